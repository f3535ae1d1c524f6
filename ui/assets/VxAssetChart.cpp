#include "ui/assets/VxAssetChart.h"

#include "game/VxConsts.h"
#include "game/VxGameHistory.h"
#include "game/VxSeed.h"
#include "ui/words/VxAssetText.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxStatusTexts.h"

#include <QCategoryAxis>
#include <QCoreApplication>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Where an amount of 0 or less is drawn: far below any decade the axis
// starts at (1万円, the smallest amount above 0, at the lowest), so its
// line leaves the plot at the bottom edge.
constexpr qreal NothingY = 1e-3;
// Year labels: at most about this many along the month axis, and none
// this close after the label of the first month.
constexpr int MostYearLabels = 5;
constexpr int FirstLabelRoom = 6;

qreal ChartY(int64_t money) {
    return money > 0 ? static_cast<qreal>(money) : NothingY;
}

int64_t PointMoney(const QPointF& point) {
    return point.y() >= 1 ? static_cast<int64_t>(point.y()) : 0;
}

QLineSeries* NewLine(const char* objectName, const QString& name, const QColor& color, qreal width,
                     Qt::PenStyle style = Qt::SolidLine) {
    auto* series = new QLineSeries;
    series->setObjectName(QString::fromLatin1(objectName));
    series->setName(name);
    QPen pen(color, width, style);
    // A thick line turns its corners flat, as a thin one does, which is
    // quicker to draw than a joint of another kind.
    pen.setJoinStyle(Qt::BevelJoin);
    series->setPen(pen);
    series->setPointsVisible(false);
    return series;
}

// The decade (power of ten) of `money` above 0, rounded down or up.
int DecadeBelow(int64_t money) {
    return static_cast<int>(std::floor(std::log10(static_cast<double>(money))));
}
int DecadeAbove(int64_t money) {
    return static_cast<int>(std::ceil(std::log10(static_cast<double>(money))));
}

// 1, 2, 5, 10 ... years between labels, so that `years` take at most
// MostYearLabels of them.
int YearStep(int64_t years) {
    for (const int step : {1, 2, 5, 10, 20, 50})
        if (years <= step * MostYearLabels)
            return step;
    return 100;
}

// Takes `money` into a span of money: `lowest` the least above 0 (0 while
// there is none), `highest` the most.
void Widen(int64_t money, int64_t& lowest, int64_t& highest) {
    if (money > 0 && (lowest == 0 || money < lowest))
        lowest = money;
    highest = std::max(highest, money);
}

} // namespace

TVxAssetChart::TVxAssetChart(QWidget* parent)
    : TVxMonthChart(parent),
      FTotalSeries(NewLine("SeriesTotal", QCoreApplication::translate("VxAssetChart", "総資産"),
                           QColor(0xc6, 0x28, 0x28), 2)),
      FCashSeries(NewLine("SeriesCash", QCoreApplication::translate("VxAssetChart", "資金"),
                          QColor(0x1f, 0x5f, 0xbf), 1)),
      FValueSeries(NewLine("SeriesValue", QCoreApplication::translate("VxAssetChart", "株式評価額"),
                           QColor(0x2e, 0x8b, 0x3e), 1)),
      // Dashed, so that 総資産 under it shows where the two agree.
      FBotSeries(NewLine("SeriesBot", BotLegend(), QColor(0xe0, 0x7b, 0x00), 1, Qt::DashLine)),
      FMonthAxis(new QCategoryAxis), FMoneyAxis(new QLogValueAxis), FMoneyLabels(new QCategoryAxis),
      FMarks(new QCategoryAxis) {
    QChart* assetChart = chart();
    assetChart->setTitle(ChartTitle());
    assetChart->legend()->setAlignment(Qt::AlignTop);

    // The month axis labels the first month of some years, at the month.
    FMonthAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    assetChart->addAxis(FMonthAxis, Qt::AlignBottom);
    // The series are placed by the log axis; the decade labels and their
    // grid lines are those of a plain axis over the decades' exponents,
    // which lies exactly over it.
    FMoneyAxis->setBase(10);
    FMoneyAxis->setVisible(false);
    assetChart->addAxis(FMoneyAxis, Qt::AlignLeft);
    FMoneyLabels->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    FMoneyLabels->setTruncateLabels(false);
    assetChart->addAxis(FMoneyLabels, Qt::AlignLeft);
    // The stake and the goal: dashed lines across the plot, named at the
    // right edge.
    FMarks->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    FMarks->setGridLinePen(QPen(QColor(0x70, 0x70, 0x70), 1, Qt::DashLine));
    FMarks->setLineVisible(false);
    FMarks->setTruncateLabels(false);
    assetChart->addAxis(FMarks, Qt::AlignRight);

    // 総資産 last: it is drawn over the others.
    for (QLineSeries* series : {FCashSeries, FValueSeries, FBotSeries, FTotalSeries}) {
        assetChart->addSeries(series);
        series->attachAxis(FMonthAxis);
        series->attachAxis(FMoneyAxis);
    }
    // Only a game of a seed has the bot's line; its legend entry comes
    // with it.
    FBotSeries->setVisible(false);
    // The dot goes where the series go: month i at x = i of the month
    // axis, the amount on the log axis, not on the labels' exponents.
    AddMarker(*FMonthAxis, *FMoneyAxis, FTotalSeries->pen().color());

    // Lines of one pixel need no antialiasing, and are drawn much faster
    // without it.
    setRenderHint(QPainter::Antialiasing, false);
    setAccessibleName(ChartTitle());
    MonthsChanged();
}

void TVxAssetChart::Reset() {
    FShown = {};
    FHistory = nullptr;
    setAccessibleDescription({});
    MonthsChanged();
}

void TVxAssetChart::Reflect(const TVxGameHistory& history, const std::vector<int64_t>* bot) {
    const std::vector<TVxHistoryMonth>& months = history.Months();
    const auto count = static_cast<qsizetype>(months.size());
    if (count < FShown.Total.size() || &history != FHistory)
        Reset();
    FHistory = &history;
    if (count > 0)
        FShown.FirstMonth = VxMonthIndex(months.front().Year, months.front().Month);
    // Every month shown but the newest is settled; the newest may have
    // changed by a trade since, and is taken again.
    const qsizetype from = std::max<qsizetype>(FShown.Total.size() - 1, 0);
    FShown.Total.resize(from);
    FShown.Cash.resize(from);
    FShown.Value.resize(from);
    for (qsizetype i = from; i < count; ++i) {
        TakeMonth(months[static_cast<size_t>(i)], static_cast<qreal>(i));
        if (i < count - 1)
            for (const QList<QPointF>* line : {&FShown.Total, &FShown.Cash, &FShown.Value})
                Settle(line->back());
    }

    // The bot's months never change once played.
    const qsizetype botCount =
        bot ? std::min<qsizetype>(static_cast<qsizetype>(bot->size()), count) : 0;
    if (botCount < FShown.Bot.size()) {
        FShown.Bot.clear();
        FShown.BotFortunes.clear();
        FShown.Replaced = true;
    }
    for (qsizetype i = FShown.Bot.size(); i < botCount; ++i) {
        const int64_t fortune = (*bot)[static_cast<size_t>(i)];
        FShown.BotFortunes.push_back(fortune);
        FShown.Bot << QPointF(static_cast<qreal>(i), ChartY(fortune));
        Settle(FShown.Bot.back());
    }
    Describe();
    MonthsChanged();
}

void TVxAssetChart::TakeMonth(const TVxHistoryMonth& month, qreal x) {
    FShown.Total << QPointF(x, ChartY(month.Total()));
    FShown.Cash << QPointF(x, ChartY(month.Cash));
    FShown.Value << QPointF(x, ChartY(month.Value));
}

void TVxAssetChart::Settle(const QPointF& point) {
    Widen(PointMoney(point), FShown.SettledLowest, FShown.SettledHighest);
}

void TVxAssetChart::Describe() {
    // A screen reader hears the title as the chart's name and the span of
    // the game with its 総資産 at both ends as its description.
    const std::vector<TVxHistoryMonth>& months = FHistory->Months();
    if (months.empty()) {
        setAccessibleDescription({});
        return;
    }
    const TVxHistoryMonth& first = months.front();
    const TVxHistoryMonth& last = months.back();
    QString text =
        QCoreApplication::translate("VxAssetChart", "%1から%2まで、総資産 %3から%4")
            .arg(CalendarQText(first.Year, first.Month), CalendarQText(last.Year, last.Month),
                 MoneyText(first.Total()), MoneyText(last.Total()));
    if (!FShown.BotFortunes.empty())
        text += QCoreApplication::translate("VxAssetChart", "。%1 %2")
                    .arg(AssetBotName(), MoneyText(FShown.BotFortunes.back()));
    setAccessibleDescription(text);
}

QPointF TVxAssetChart::MonthPoint(int index) const {
    const QPointF& point = FShown.Total[index];
    return {point.x(), std::max(point.y(), FMoneyAxis->min())};
}

QString TVxAssetChart::MonthReadout(int index) const {
    const std::vector<TVxHistoryMonth>& months = FHistory->Months();
    const auto at = static_cast<size_t>(index);
    const std::optional<int64_t> bot =
        at < FShown.BotFortunes.size() ? std::optional(FShown.BotFortunes[at]) : std::nullopt;
    return AssetMonthReadout(months[at], at > 0 ? &months[at - 1] : nullptr, bot);
}

void TVxAssetChart::paintEvent(QPaintEvent* event) {
    // Qt Charts makes label items anew whenever it lays the chart out (a
    // resize, new labels), which may come after the chart was drawn.
    CacheTexts();
    TVxMonthChart::paintEvent(event);
}

void TVxAssetChart::CacheTexts() {
    // Qt Charts draws every label, legend entry and title as a rich-text
    // item, which costs a repaint more than the lines; they change once a
    // year at most, so each is drawn from a pixmap of its own, made again
    // whenever it changes.  The lines are drawn afresh.  (Setting the mode
    // again would throw the pixmap away.)  The pixmap is kept in the item's
    // own coordinates: kept in the view's, a text of Latin letters alone
    // (the English words) came out blank.
    std::vector<QGraphicsItem*> items{chart()};
    while (!items.empty()) {
        QGraphicsItem* item = items.back();
        items.pop_back();
        if ((item->type() == QGraphicsTextItem::Type ||
             item->type() == QGraphicsSimpleTextItem::Type) &&
            item->cacheMode() != QGraphicsItem::ItemCoordinateCache)
            item->setCacheMode(QGraphicsItem::ItemCoordinateCache);
        for (QGraphicsItem* child : item->childItems())
            items.push_back(child);
    }
}

void TVxAssetChart::Draw() {
    DrawLine(*FTotalSeries, FShown.Total);
    DrawLine(*FCashSeries, FShown.Cash);
    DrawLine(*FValueSeries, FShown.Value);
    DrawLine(*FBotSeries, FShown.Bot);
    FShown.Replaced = false;
    FBotSeries->setVisible(!FShown.Bot.isEmpty());
    const bool shown = !FShown.Total.isEmpty();
    for (QAbstractAxis* axis :
         std::initializer_list<QAbstractAxis*>{FMonthAxis, FMoneyLabels, FMarks})
        axis->setVisible(shown);
    if (!shown)
        return;
    DrawMonthAxis();
    DrawMoneyAxis();
}

void TVxAssetChart::DrawLine(QLineSeries& series, const QList<QPointF>& points) {
    const qsizetype drawn = series.count();
    if (FShown.Replaced || drawn > points.size()) {
        series.replace(points);
        return;
    }
    // The newest point drawn may have moved since; the others stay.
    if (drawn > 0 && series.at(drawn - 1) != points[drawn - 1])
        series.replace(drawn - 1, points[drawn - 1]);
    if (drawn < points.size())
        series.append(points.mid(drawn));
}

void TVxAssetChart::DrawMonthAxis() {
    // To the end of the year the newest month lies in, at least a year.
    const qsizetype last = FShown.Total.size() - 1;
    const qreal end = std::max<qreal>(12, std::ceil(static_cast<qreal>(last) / 12) * 12);
    const int step = YearStep(static_cast<int64_t>(end) / 12);
    if (end == FMonthAxisEnd && step == FYearStep && FShown.FirstMonth == FLabelFirstMonth)
        return;
    FMonthAxisEnd = end;
    FYearStep = step;
    FLabelFirstMonth = FShown.FirstMonth;
    ClearCategories(*FMonthAxis);
    // The first month shown, with its year, and then the first month of
    // every step-th year, named as the calendar names it: "10年目" marks
    // where the tenth year begins.  Each label names the end of a
    // category, the first one the axis' left edge.
    FMonthAxis->setStartValue(-0.001);
    FMonthAxis->append(
        QCoreApplication::translate("VxAssetChart", "%1年目").arg(FShown.FirstMonth / 12 + 1), 0);
    for (auto x = static_cast<int64_t>(12 - FShown.FirstMonth % 12) % 12; x <= end; x += 12) {
        const int64_t year = (FShown.FirstMonth + x) / 12 + 1;
        if (x >= FirstLabelRoom && year % step == 0)
            FMonthAxis->append(QCoreApplication::translate("VxAssetChart", "%1年目").arg(year),
                               static_cast<qreal>(x));
    }
    FMonthAxis->setRange(0, end);
}

void TVxAssetChart::DrawMoneyAxis() {
    int64_t lowest = FShown.SettledLowest;
    int64_t highest = FShown.SettledHighest;
    for (const QList<QPointF>* line : {&FShown.Total, &FShown.Cash, &FShown.Value})
        Widen(PointMoney(line->back()), lowest, highest);
    // Nothing above 0 at all: the decade of the stake.
    const int low = lowest > 0 ? DecadeBelow(lowest) : DecadeBelow(StartMoney);
    const int high = std::max(highest > 0 ? DecadeAbove(highest) : low, low + 1);
    if (low == FLowDecade && high == FHighDecade)
        return;
    FLowDecade = low;
    FHighDecade = high;
    FMoneyAxis->setRange(std::pow(10.0, low), std::pow(10.0, high));
    // The labels lie over the decades' exponents; each names the end of a
    // category, the first one the axis' bottom edge.
    ClearCategories(*FMoneyLabels);
    FMoneyLabels->setStartValue(low - 0.001);
    int64_t decade = 1;
    for (int exponent = 0; exponent <= high; ++exponent, decade *= 10)
        if (exponent >= low)
            FMoneyLabels->append(MoneyText(decade), exponent);
    FMoneyLabels->setRange(low, high);
    DrawMarks();
}

void TVxAssetChart::DrawMarks() {
    // The stake and the goal as dashed lines where they lie on the axis;
    // those beyond it are named at its edge, with the way they lie.
    QStringList below;
    QStringList within;
    QList<qreal> at;
    QStringList above;
    for (const int32_t money : {StartMoney, GoalMoney}) {
        const QString name =
            (money == StartMoney ? QCoreApplication::translate("VxAssetChart", "元手 %1")
                                 : QCoreApplication::translate("VxAssetChart", "目標 %1"))
                .arg(MoneyText(money));
        const qreal exponent = std::log10(qreal(money));
        if (exponent < FLowDecade) {
            below << name;
        } else if (exponent > FHighDecade) {
            above << name;
        } else {
            within << name;
            at << exponent;
        }
    }
    ClearCategories(*FMarks);
    FMarks->setStartValue(FLowDecade - 0.001);
    const QString separator = QCoreApplication::translate("VxAssetChart", "・");
    if (!below.isEmpty())
        FMarks->append(below.join(separator) + QStringLiteral(" ↓"), FLowDecade);
    for (qsizetype i = 0; i < within.size(); ++i)
        FMarks->append(within[i], at[i]);
    if (!above.isEmpty())
        FMarks->append(above.join(separator) + QStringLiteral(" ↑"), FHighDecade);
    FMarks->setRange(FLowDecade, FHighDecade);
}

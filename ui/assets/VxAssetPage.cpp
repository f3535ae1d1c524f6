#include "ui/assets/VxAssetPage.h"

#include "components/VxColumnFitter.h"
#include "components/VxListView.h"
#include "game/VxGame.h"
#include "ui/assets/VxAssetChart.h"
#include "ui/assets/VxAssetListModel.h"
#include "ui/assets/VxTrendBot.h"
#include "ui/words/VxAssetText.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxStatusTexts.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int FigureColumns = 4;
// The chart and the list share their height in this proportion.
constexpr int ChartShare = 66;
constexpr int ListShare = 34;

// A figure a player may select and copy, and a screen reader reads as it
// is written; Tab goes to it.
QLabel* NewFigure(const char* objectName) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
}

TVxAssetListModel& ListModel(const TVxListView& list) {
    return static_cast<TVxAssetListModel&>(list.Model());
}

} // namespace

TVxAssetPage::TVxAssetPage(const TVxGame& game, QWidget* parent)
    : QWidget(parent), FGame(game), FBot(std::make_unique<TVxTrendBot>()),
      FEnd(NewFigure("LblAssetEnd")), FElapsed(NewFigure("LblAssetElapsed")),
      FTotal(NewFigure("LblAssetTotal")), FPeak(NewFigure("LblAssetPeak")),
      FFees(NewFigure("LblAssetFees")), FTax(NewFigure("LblAssetTax")),
      FTrades(NewFigure("LblAssetTrades")), FSeed(NewFigure("LblAssetSeed")),
      FBotFigure(NewFigure("LblAssetBot")) {
    QFont endFont = FEnd->font();
    endFont.setBold(true);
    endFont.setPointSizeF(endFont.pointSizeF() * 1.25);
    FEnd->setFont(endFont);
    FEnd->hide();

    auto* figures = new QGridLayout;
    figures->setContentsMargins(6, 2, 6, 2);
    figures->setHorizontalSpacing(18);
    figures->setVerticalSpacing(2);
    int place = 0;
    for (QLabel* figure : {FElapsed, FTotal, FPeak, FTrades, FFees, FTax, FSeed, FBotFigure}) {
        figures->addWidget(figure, place / FigureColumns, place % FigureColumns);
        ++place;
    }
    figures->setColumnStretch(FigureColumns - 1, 1);

    FList = new TVxListView(new TVxAssetListModel(game.History()));
    FList->setObjectName(QStringLiteral("VLVAssets"));
    FList->setAccessibleName(QCoreApplication::translate("VxAssetPage", "月ごとの資産"));
    for (int column = 0; column < TVxAssetListModel::acColumnCount; ++column)
        FList->AddColumn(
            TVxAssetListModel::Caption(column), TVxAssetListModel::DefaultWidth(column),
            column == TVxAssetListModel::acMonth ? TVxAlignment::Left : TVxAlignment::Right);
    FList->SetColumnClick(false);
    FColumns = new TVxColumnFitter(*FList);

    FSplit = new QSplitter(Qt::Vertical);
    FSplit->setObjectName(QStringLiteral("SplitterAssets"));
    FSplit->setChildrenCollapsible(false);
    FSplit->addWidget(FList);
    FSplit->installEventFilter(this);
    connect(FSplit, &QSplitter::splitterMoved, this, [this] { FSplitMoved = true; });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(2);
    auto* endRow = new QHBoxLayout;
    endRow->setContentsMargins(6, 0, 6, 0);
    endRow->addWidget(FEnd);
    layout->addLayout(endRow);
    layout->addLayout(figures);
    layout->addWidget(FSplit, 1);
}

TVxAssetPage::~TVxAssetPage() = default;

TVxAssetChart& TVxAssetPage::Chart() {
    if (!FChart) {
        FChart = new TVxAssetChart;
        FChart->setObjectName(QStringLiteral("Chart"));
        FSplit->insertWidget(0, FChart);
        // Before the list by Tab too, as it stands above it.  Qt orders
        // only widgets that take the focus, which a chart without months
        // does not.
        FChart->setFocusPolicy(Qt::StrongFocus);
        setTabOrder(FList->previousInFocusChain(), FChart);
        setTabOrder(FChart, FList);
        FChart->setFocusPolicy(Qt::NoFocus);
        ShareHeight();
    }
    return *FChart;
}

bool TVxAssetPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FSplit && event->type() == QEvent::Resize)
        ShareHeight();
    return QWidget::eventFilter(watched, event);
}

void TVxAssetPage::ShareHeight() {
    if (FSplitMoved || !FChart)
        return;
    const int height = FSplit->height() - FSplit->handleWidth();
    FSplit->setSizes({height * ChartShare / 100, height * ListShare / 100});
}

void TVxAssetPage::Reset() {
    ListModel(*FList).Reset();
    FColumns->Reset();
    if (FChart)
        FChart->Reset();
}

void TVxAssetPage::Reflect() {
    // The rows added at the top, and the newest month, changed by its
    // trades, are measured for the columns.
    const int shown = FList->ItemCount();
    ListModel(*FList).Reflect();
    const int rows = FList->ItemCount();
    if (rows < shown)
        FColumns->Reset();
    FColumns->Measure(0, std::max(rows < shown ? rows : rows - shown, 1) - 1);
    Chart().Reflect(FGame.History(), BotFortunes());
    ShowFigures();
    // The bot plays its months when the event loop next runs, once for any
    // number of Reflects before it, so a month step does not wait for it.
    if (FBotPending || !BotHasWork())
        return;
    FBotPending = true;
    QMetaObject::invokeMethod(this, &TVxAssetPage::CatchUpBot, Qt::QueuedConnection);
}

const std::vector<int64_t>* TVxAssetPage::BotFortunes() const {
    const TVxGameHistory& history = FGame.History();
    if (!history.SeededFromStart() || FBot->Seed() != history.Seed())
        return nullptr;
    return &FBot->Fortunes();
}

bool TVxAssetPage::BotHasWork() const {
    const TVxGameHistory& history = FGame.History();
    if (!history.SeededFromStart() || history.Empty())
        return FBot->Seed().has_value();
    return FBot->Seed() != history.Seed() ||
           (FBot->Fortunes().size() < history.Months().size() && !FBot->Ended());
}

std::optional<int64_t> TVxAssetPage::BotTotal() {
    const TVxGameHistory& history = FGame.History();
    if (!history.SeededFromStart() || history.Empty())
        return std::nullopt;
    const size_t months = history.Months().size();
    FBot->CatchUp(*history.Seed(), months);
    const std::vector<int64_t>& fortunes = FBot->Fortunes();
    return fortunes[std::min(fortunes.size(), months) - 1];
}

void TVxAssetPage::CatchUpBot() {
    if (!FBotPending)
        return;
    FBotPending = false;
    const TVxGameHistory& history = FGame.History();
    if (!history.SeededFromStart() || history.Empty())
        FBot->Clear();
    else
        FBot->CatchUp(*history.Seed(), history.Months().size());
    Chart().Reflect(history, BotFortunes());
    ShowBotFigure();
}

void TVxAssetPage::ShowFigures() {
    const TVxGameHistory& history = FGame.History();
    if (history.Empty())
        return;
    const QString end = GameEndText(FGame);
    FEnd->setText(end);
    FEnd->setVisible(!end.isEmpty());

    const TVxHistorySummary summary = VxSummarize(history);
    const TVxHistoryMonth& peak = history.Months()[static_cast<size_t>(summary.PeakIndex)];
    FElapsed->setText(QCoreApplication::translate("VxAssetPage", "経過 %1")
                          .arg(ElapsedText(summary.MonthsPlayed)));
    FTotal->setText(QCoreApplication::translate("VxAssetPage", "総資産 %1 (元手%2)")
                        .arg(MoneyText(summary.Total), StakeMultipleText(summary.Total)));
    FPeak->setText(QCoreApplication::translate("VxAssetPage", "最高 %1 (%2)")
                       .arg(MoneyText(summary.PeakTotal), CalendarQText(peak.Year, peak.Month)));
    FTrades->setText(QCoreApplication::translate("VxAssetPage", "取引回数 %1回")
                         .arg(GroupedText(summary.Trades)));
    FFees->setText(
        QCoreApplication::translate("VxAssetPage", "手数料 %1").arg(YenText(summary.FeesYen)));
    FTax->setText(QCoreApplication::translate("VxAssetPage", "税 %1").arg(MoneyText(summary.Tax)));
    FSeed->setText(
        history.Seed()
            ? QCoreApplication::translate("VxAssetPage", "シード %1").arg(*history.Seed())
            : QCoreApplication::translate("VxAssetPage", "シード なし"));
    ShowBotFigure();
}

void TVxAssetPage::ShowBotFigure() {
    const QString bot = BotFortunes() ? BotText() : QString();
    FBotFigure->setText(bot);
    FBotFigure->setVisible(!bot.isEmpty());
}

QString TVxAssetPage::BotText() const {
    const std::vector<int64_t>& fortunes = FBot->Fortunes();
    const size_t months = FGame.History().Months().size();
    // The bot's game ended before the player's month: how.
    if (fortunes.size() < months && FBot->Won())
        return QCoreApplication::translate("VxAssetPage", "%1 %2")
            .arg(AssetBotName(), GoalReachedText(static_cast<int64_t>(fortunes.size()) - 1));
    const size_t shown = std::min(fortunes.size(), months);
    const QString total = MoneyText(fortunes[shown - 1]);
    if (fortunes.size() < months && FBot->Ended())
        return QCoreApplication::translate("VxAssetPage", "%1 総資産 %2 (終了)")
            .arg(AssetBotName(), total);
    return QCoreApplication::translate("VxAssetPage", "%1 総資産 %2").arg(AssetBotName(), total);
}

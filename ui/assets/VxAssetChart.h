#pragma once

// The chart of 資産推移: 総資産, 資金 and 株式評価額 over every month of the
// game's history, on a logarithmic money axis (a game runs from 3000万円 to
// 3000億円, four orders of magnitude), with the stake and the goal marked;
// and, for a game whose market came whole from its seed, a second 総資産
// line: what the simulator's trend rules made of the same market.  It reads
// out one month at a time (TVxMonthChart), with its dot on the 総資産 line.
//
// Month i of the history lies at x = i, and the first month of the chart
// and of every year or every few years is labelled with its year.  The
// money axis runs over the whole decades of the amounts shown, from the
// decade of the smallest above 0 to the decade above the largest, so the
// lines use the plot's height in the first year as in the last; it is
// labelled in Japanese units (1000万円, 1億円) by an axis of its own,
// since a log axis writes only printf formats.  The stake and the goal are
// dashed lines where they lie within the axis, and otherwise named at the
// edge beyond which they lie, with an arrow.  An amount of 0 or less (no
// holdings, the cash below 0 in the month a game is lost) has no place on
// a log axis: its line drops below the bottom edge, which cuts it off, and
// the dot of such a month sits on that edge.
//
// 総資産 is drawn over the other lines, and thicker; the trend rules' line
// is dashed, and its legend says in a player's words what it is.
//
// A month played adds a point to each line instead of drawing them again;
// the chart's parts take what Reflect decided when the event loop next runs
// (TVxMonthChart), and the month axis runs to the end of the year shown, so
// its range changes once a year.  The month read out by the keys stays on
// its month as months are added; the pointer's is the month under it.

#include "ui/charts/VxMonthChart.h"

#include <QCoreApplication>
#include <QList>
#include <QPointF>

#include <cstdint>
#include <vector>

class QCategoryAxis;
class QLineSeries;
class QLogValueAxis;
class TVxGameHistory;
struct TVxHistoryMonth;

class TVxAssetChart : public TVxMonthChart {
    Q_OBJECT
public:
    static QString ChartTitle() { return QCoreApplication::translate("VxAssetChart", "資産推移"); }
    // The legend of the trend rules' line.
    static QString BotLegend() {
        return QCoreApplication::translate("VxAssetChart",
                                           "トレンド戦略 (同じ市場をコンピューターが売買)");
    }

    explicit TVxAssetChart(QWidget* parent = nullptr);

    // Takes in the months of `history` added since the last Reflect and
    // the changes of its newest month, and `bot`'s fortunes (万円, month by
    // month from the history's first; none: no bot line) up to as many
    // months.  A history shorter than the one shown, or fewer bot months,
    // is taken in whole.
    void Reflect(const TVxGameHistory& history, const std::vector<int64_t>* bot);
    // The history now holds another game's months: nothing of the last
    // one stays.
    void Reset();

    int MonthCount() const override { return static_cast<int>(FShown.Total.size()); }
    // "12年目3月 総資産 1億2000万円 (資金 2000万円, 株式 1億円, 前月比 +1000万円 +9.09%)",
    // and " トレンド戦略 9000万円" where the trend rules' line has the
    // month (AssetMonthReadout).
    QString MonthReadout(int index) const override;

    // The chart's parts as the last Reflect has them.
    QLineSeries& TotalSeries() const { return Synced(FTotalSeries); }
    QLineSeries& CashSeries() const { return Synced(FCashSeries); }
    QLineSeries& ValueSeries() const { return Synced(FValueSeries); }
    QLineSeries& BotSeries() const { return Synced(FBotSeries); }
    QCategoryAxis& MonthAxis() const { return Synced(FMonthAxis); }
    QLogValueAxis& MoneyAxis() const { return Synced(FMoneyAxis); }
    QCategoryAxis& MoneyLabels() const { return Synced(FMoneyLabels); }
    QCategoryAxis& Marks() const { return Synced(FMarks); }

protected:
    // The point of month `index` on the 総資産 line, on the bottom edge for
    // an amount of nothing.
    QPointF MonthPoint(int index) const override;
    void Draw() override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What the chart shows: a point per month of each line, and what the
    // axes are fitted to.
    struct TShown {
        QList<QPointF> Total;
        QList<QPointF> Cash;
        QList<QPointF> Value;
        QList<QPointF> Bot;
        // The trend rules' fortunes drawn, 万円 (the points hold nothing
        // below 1万円).
        std::vector<int64_t> BotFortunes;
        // The calendar month (from the game's start) of x = 0.
        int64_t FirstMonth = 0;
        // The smallest amount above 0 and the largest amount of the points
        // that no longer change (the bot's, the history's but the newest).
        int64_t SettledLowest = 0; // 0: none yet
        int64_t SettledHighest = 0;
        // Whether the lines' points must be replaced rather than appended.
        bool Replaced = true;
    };

    void TakeMonth(const TVxHistoryMonth& month, qreal x);
    // Counts a point that no longer changes into the range of the axis.
    void Settle(const QPointF& point);
    void Describe();

    void CacheTexts();
    void DrawLine(QLineSeries& series, const QList<QPointF>& points);
    void DrawMonthAxis();
    void DrawMoneyAxis();
    void DrawMarks();

    TShown FShown;
    // The history last taken in, for what a month reads out.
    const TVxGameHistory* FHistory = nullptr;
    QLineSeries* FTotalSeries;
    QLineSeries* FCashSeries;
    QLineSeries* FValueSeries;
    QLineSeries* FBotSeries;
    QCategoryAxis* FMonthAxis;
    QLogValueAxis* FMoneyAxis;
    QCategoryAxis* FMoneyLabels;
    QCategoryAxis* FMarks;
    // What the parts were last drawn with.
    int FYearStep = 0;
    qreal FMonthAxisEnd = -1;
    int64_t FLabelFirstMonth = -1;
    int FLowDecade = -1;
    int FHighDecade = -1;
};

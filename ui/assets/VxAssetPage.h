#pragma once

// The page 資産推移: how the game's fortune grew, over its whole history.
// Above, how the game ended (once it has) and its figures: the months
// played, 総資産 with its multiple of the stake, the peak and its month,
// the fees, the tax, the number of trades and the seed.  Below, the chart
// (TVxAssetChart) over the whole width, and under it the list of the
// months, newest first, its columns fitted to their amounts and to the
// width (TVxColumnFitter).
//
// The page reads the game only when Reflect asks it to, so a page that is
// not shown costs a month nothing; its chart is made when it is first
// needed, so a window that never shows the page never pays for it.  For a game whose market came
// whole from its seed, Reflect also has what the trend rules make of the same market (TVxTrendBot)
// caught up, when the event loop next runs, and drawn as a second 総資産 line.

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QSplitter;
class TVxAssetChart;
class TVxColumnFitter;
class TVxGame;
class TVxListView;
class TVxTrendBot;

class TVxAssetPage : public QWidget {
    Q_OBJECT
public:
    explicit TVxAssetPage(const TVxGame& game, QWidget* parent = nullptr);
    ~TVxAssetPage() override;

    // Takes in the game as it stands: the months added since the last
    // Reflect, the newest month's trades, the figures and the bot's line.
    void Reflect();
    // The game has a history of another game now (a new game, a load):
    // nothing of the last one stays.
    void Reset();

    TVxAssetChart& Chart();

    // The trend rules' 総資産 in the newest month of the game's history
    // (their last, had their game ended before), played now as far as
    // needed; none for a history whose market did not all come from its
    // seed.
    std::optional<int64_t> BotTotal();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The chart and the list share the height between them as set out.
    void ShareHeight();
    void ShowFigures();
    void ShowBotFigure();
    // The bot's fortunes for the history shown, as far as it has played;
    // none for a history whose market did not all come from its seed.
    const std::vector<int64_t>* BotFortunes() const;
    // The bot has months to play for the history shown, or the game of
    // another history to forget.
    bool BotHasWork() const;
    // Plays the bot's months up to the history's and draws them.
    void CatchUpBot();
    // The bot's figure, while BotFortunes() has its fortunes (at least the
    // first month's, for a history of at least one month).
    QString BotText() const;

    const TVxGame& FGame;
    std::unique_ptr<TVxTrendBot> FBot;
    bool FBotPending = false;
    QLabel* FEnd;
    QLabel* FElapsed;
    QLabel* FTotal;
    QLabel* FPeak;
    QLabel* FFees;
    QLabel* FTax;
    QLabel* FTrades;
    QLabel* FSeed;
    QLabel* FBotFigure;
    TVxAssetChart* FChart = nullptr;
    TVxListView* FList;
    TVxColumnFitter* FColumns;
    // The chart over the list; they share its height in proportion until
    // the player moves the handle between them.
    QSplitter* FSplit;
    bool FSplitMoved = false;
};

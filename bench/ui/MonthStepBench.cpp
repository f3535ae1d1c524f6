// The main window's month step against its floors.  Without repaint the
// step's floor is the game's monthly turn alone: the window adds moving the
// lists' rows with their companies, fetching the rows on screen again, the
// chart's and the status bar's new texts.  With repaint the event loop runs
// after each step: the chart's parts take the new month and the offscreen
// window paints, and the floor is BM_ListPaintFloor, a plain Qt tree view
// re-sorted and painted.  The chart's part of a month is also measured
// alone: Qt Charts lays out the labels of an axis at once whenever its range
// changes, and every month renames all twelve month labels and usually
// moves the price range.
//
// The window runs with the market sorted by the month-on-month percentage,
// the order that every month shuffles most.
//
// 資産推移 adds to a month only while it is shown: its list takes in a row
// at the top, its chart a point per line (drawn when the event loop runs)
// and, for a game of a seed, the trend rules' line one simulated month.
// Measured with 1200 months of history, shown and hidden, and with a month
// of the chart read out by the keys or under a resting pointer, beside the
// seeded game's own turn.
//
// 自動進行 at 最速 plays a month as soon as the last one is painted: its
// month (the timer's tick, the step, the event loop's repaint) is measured
// against the step with repaint above, 資産推移 shown in both, and counts
// the repaints of the chart per month.

#include "components/VxListView.h"
#include "game/VxCompanyColumn.h"
#include "game/VxGame.h"
#include "game/VxRandom.h"
#include "ui/assets/VxAssetChart.h"
#include "ui/assets/VxAssetPage.h"
#include "ui/charts/VxPriceChart.h"
#include "ui/window/FrmRidolt.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// Cash that no run of months can use up, so no turn ends the game.
constexpr int32_t EndlessMoney = 1000000000;

TVxSeededRandom BenchRandom{7};

// Counts the paint events of the widget it watches.
class TPaintCounter : public QObject {
public:
    int Count = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Count;
        return QObject::eventFilter(watched, event);
    }
};

// One month of `game` that its cash cannot end.
void PlayEndlessMonth(TVxGame& game) {
    game.Money = EndlessMoney;
    game.NextMonth();
}

// Steps `game`'s months, its cash kept endless, sorted as the window's
// market list is.
void StepEndlessMonths(benchmark::State& state, TVxGame& game) {
    game.NewGame();
    game.MarketList.SetSort(ccMonthDiffPercent, false);
    for (auto _ : state)
        PlayEndlessMonth(game);
    benchmark::DoNotOptimize(game.Month);
}

void BM_GameNextMonth(benchmark::State& state) {
    TVxGame game;
    game.SetRandom(&BenchRandom);
    StepEndlessMonths(state, game);
}
BENCHMARK(BM_GameNextMonth)->Unit(benchmark::kMillisecond);

// The turn of a game of a seed, which draws each company's moves in ID
// order: the floor of the steps below.
void BM_GameNextMonthSeeded(benchmark::State& state) {
    TVxGame game;
    game.SetSeed(7);
    StepEndlessMonths(state, game);
}
BENCHMARK(BM_GameNextMonthSeeded)->Unit(benchmark::kMillisecond);

// A shown window over `game` whose first activation has run, with one
// company held and selected in each list, so the step has rows to move.
// A game without a seed draws from BenchRandom.
std::unique_ptr<TFormRidolt> ShownWindow(TVxGame& game) {
    if (!game.Seed())
        game.SetRandom(&BenchRandom);
    auto form = std::make_unique<TFormRidolt>(game);
    form->show();
    auto* market = form->findChild<TVxListView*>(QStringLiteral("VLVMarket"));
    QElapsedTimer clock;
    clock.start();
    while (market->ItemCount() == 0 && clock.elapsed() < 10000)
        QCoreApplication::processEvents();
    if (market->ItemCount() == 0)
        std::abort();
    game.MarketList.SetSort(ccMonthDiffPercent, false);
    market->SortColumnIndex = ccMonthDiffPercent;
    TVxCompany& held = *game.MarketList.Items(100);
    held.MyStockCount = 1000;
    held.MyStockCost = 100;
    game.OwnerList.Add(&held);
    form->ActDataReflect();
    market->SelectAndFocus(500);
    form->findChild<TVxListView*>(QStringLiteral("VLVOwner"))->SelectAndFocus(0);
    QCoreApplication::processEvents();
    return form;
}

// Moves the window's game on by its month action, as the player does, and
// with `repaint` lets the event loop run after each month.
void StepMonths(benchmark::State& state, TVxGame& game, TFormRidolt& form, bool repaint) {
    auto* nextMonth = form.findChild<QAction*>(QStringLiteral("ActNextMonth"));
    for (auto _ : state) {
        game.Money = EndlessMoney;
        nextMonth->trigger();
        if (repaint)
            QCoreApplication::processEvents();
    }
    benchmark::DoNotOptimize(game.Month);
}

void WindowMonthStep(benchmark::State& state, bool repaint) {
    TVxGame game;
    const std::unique_ptr<TFormRidolt> form = ShownWindow(game);
    StepMonths(state, game, *form, repaint);
}

void BM_WindowMonthStep(benchmark::State& state) {
    WindowMonthStep(state, false);
}
BENCHMARK(BM_WindowMonthStep)->Unit(benchmark::kMillisecond);

void BM_WindowMonthStepWithRepaint(benchmark::State& state) {
    WindowMonthStep(state, true);
}
BENCHMARK(BM_WindowMonthStepWithRepaint)->Unit(benchmark::kMillisecond);

// How the chart of 資産推移 reads out a month while the game goes on.
enum class TReadout { None, Keys, Pointer };

// Reads out a month of `chart` by End, or by the pointer resting at the
// middle of its plot.
void ReadOut(TVxAssetChart& chart, TReadout readout) {
    if (readout == TReadout::Keys) {
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
        QApplication::sendEvent(&chart, &end);
    } else if (readout == TReadout::Pointer) {
        const QPointF at = chart.viewport()->rect().center();
        QMouseEvent move(QEvent::MouseMove, at, chart.viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(chart.viewport(), &move);
    }
}

// The window over a game of seed 7 that has played `months` months, with
// 資産推移 shown or not.
void WindowMonthStepAssets(benchmark::State& state, int months, bool shown, bool repaint,
                           TReadout readout = TReadout::None) {
    TVxGame game;
    game.SetSeed(7);
    const std::unique_ptr<TFormRidolt> form = ShownWindow(game);
    for (int month = 0; month < months; ++month)
        PlayEndlessMonth(game);
    form->ActDataReflect();
    auto* pages = form->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    auto* page = form->findChild<TVxAssetPage*>(QStringLiteral("TabSheet5"));
    if (shown)
        pages->setCurrentWidget(page);
    QCoreApplication::processEvents();
    ReadOut(page->Chart(), readout);
    if (page->Chart().Highlighted() < 0 && readout != TReadout::None)
        std::abort();
    QCoreApplication::processEvents();
    StepMonths(state, game, *form, repaint);
}

// The trend rules of seed 7 win in month 416: after that the bot's line
// costs nothing, so 1200 months measure the page without it.
void BM_WindowMonthStepAssets1200(benchmark::State& state) {
    WindowMonthStepAssets(state, 1200, true, false);
}
BENCHMARK(BM_WindowMonthStepAssets1200)->Unit(benchmark::kMillisecond);

void BM_WindowMonthStepAssets1200WithRepaint(benchmark::State& state) {
    WindowMonthStepAssets(state, 1200, true, true);
}
BENCHMARK(BM_WindowMonthStepAssets1200WithRepaint)->Unit(benchmark::kMillisecond);

void BM_WindowMonthStepAssets1200Hidden(benchmark::State& state) {
    WindowMonthStepAssets(state, 1200, false, false);
}
BENCHMARK(BM_WindowMonthStepAssets1200Hidden)->Unit(benchmark::kMillisecond);

// A month read out, by the keys or under a resting pointer, shown as a
// tooltip: the readout is read again from the new months, and the tooltip
// follows the dot.
void BM_WindowMonthStepAssets1200Keys(benchmark::State& state) {
    WindowMonthStepAssets(state, 1200, true, false, TReadout::Keys);
}
BENCHMARK(BM_WindowMonthStepAssets1200Keys)->Unit(benchmark::kMillisecond);

void BM_WindowMonthStepAssets1200Pointer(benchmark::State& state) {
    WindowMonthStepAssets(state, 1200, true, false, TReadout::Pointer);
}
BENCHMARK(BM_WindowMonthStepAssets1200Pointer)->Unit(benchmark::kMillisecond);

// Months played by 自動進行 at 最速 with 資産推移 shown, as the event loop
// runs them: each iteration waits for the next month.
void BM_WindowAutoPlayFastestAssets1200(benchmark::State& state) {
    TVxGame game;
    game.SetSeed(7);
    const std::unique_ptr<TFormRidolt> form = ShownWindow(game);
    for (int month = 0; month < 1200; ++month)
        PlayEndlessMonth(game);
    form->ActDataReflect();
    auto* pages = form->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    auto* page = form->findChild<TVxAssetPage*>(QStringLiteral("TabSheet5"));
    pages->setCurrentWidget(page);
    QCoreApplication::processEvents();
    TPaintCounter paints;
    page->Chart().viewport()->installEventFilter(&paints);
    form->findChild<QAction*>(QStringLiteral("ActAutoPlaySpeedFastest"))->trigger();
    form->ActionList1Update();
    form->findChild<QAction*>(QStringLiteral("ActAutoPlay"))->trigger();
    for (auto _ : state) {
        const int32_t month = game.Month;
        while (game.Month == month)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    form->findChild<QAction*>(QStringLiteral("ActAutoPlay"))->trigger();
    state.counters["PaintsPerMonth"] =
        static_cast<double>(paints.Count) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WindowAutoPlayFastestAssets1200)->Unit(benchmark::kMillisecond);

// 300 months in, the bot plays a month with every month of the player's,
// for the 100 months measured (it wins in month 416).
void BM_WindowMonthStepAssetsBot(benchmark::State& state) {
    WindowMonthStepAssets(state, 300, true, false);
}
BENCHMARK(BM_WindowMonthStepAssetsBot)->Unit(benchmark::kMillisecond)->Iterations(100);

// The floor of the window's repaint: a plain QTreeView, as Qt's own item
// views come, over a QStandardItemModel holding the texts of the same 1000
// companies, in a window of the main window's size.  Every pass re-sorts it
// by the month-on-month percentage, the other way round each time so that
// every row moves, and paints it.
void BM_ListPaintFloor(benchmark::State& state) {
    TVxGame game;
    game.SetRandom(&BenchRandom);
    game.NewGame();
    QStandardItemModel model(game.MarketList.Count(), CompanyColumnCount);
    model.setSortRole(Qt::UserRole);
    for (int32_t row = 0; row < game.MarketList.Count(); ++row) {
        const TVxCompany& company = *game.MarketList.Items(row);
        for (int column = 0; column < CompanyColumnCount; ++column) {
            auto* item = new QStandardItem(CompanyColumnText(company, column));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setData(company.MonthDiffPercent(), Qt::UserRole);
            model.setItem(row, column, item);
        }
    }
    QTreeView view;
    view.setModel(&model);
    view.setRootIsDecorated(false);
    view.setUniformRowHeights(true);
    view.resize(TFormRidolt::DefaultWidth, TFormRidolt::DefaultHeight);
    view.show();
    QCoreApplication::processEvents();
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        model.sort(ccMonthDiffPercent, order);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ListPaintFloor)->Unit(benchmark::kMillisecond);

// One chart in a window of the main window's width, charting a company
// whose price moves every month as the turn moves it: the Reflect, the
// redraw of the chart's parts it leads to when the event loop runs, and the
// painting.
void BM_PriceChartMonth(benchmark::State& state) {
    TVxPriceChart chart;
    chart.resize(TFormRidolt::DefaultWidth, 190);
    chart.show();
    TVxCompany company;
    company.Reset();
    company.ID = 7;
    TVxSeededRandom random{7};
    int month = 0;
    chart.Reflect(&company, month);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        company.PushPrice(std::max(1, company.StockPrice() + random.Random(201) - 100));
        month = (month + 1) % 12;
        chart.Reflect(&company, month);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PriceChartMonth)->Unit(benchmark::kMillisecond);

} // namespace

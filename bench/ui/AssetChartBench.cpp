// Painting the chart of 資産推移 over 1200 months, also with a month read
// out, against its floor: a plain QChartView with one QLineSeries of the
// same 1200 points (the 総資産 line) and Qt's default axes, in a widget of
// the same size.  Each pass repaints the whole chart at once.

#include "game/VxGameHistory.h"
#include "game/VxRandom.h"
#include "ui/assets/VxAssetChart.h"
#include "ui/window/FrmRidolt.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QKeyEvent>
#include <QLineSeries>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Months = 1200;
constexpr int ChartWidth = 600;
constexpr int ChartHeight = 240;

// 1200 months of a fortune that grows from the stake towards the goal with
// ups and downs, split between cash and holdings month by month, and a
// bot's fortune beside it.
struct TBenchHistory {
    TVxGameHistory History;
    std::vector<int64_t> Bot;

    TBenchHistory() {
        TVxSeededRandom random{7};
        double total = 3000;
        double bot = 3000;
        for (int i = 0; i < Months; ++i) {
            TVxHistoryMonth month;
            month.Year = i / 12;
            month.Month = i % 12;
            const auto cashShare = 1 + random.Random(99);
            month.Cash = static_cast<int32_t>(total * cashShare / 100);
            month.Value = static_cast<int64_t>(total) - month.Cash;
            if (i == 0)
                History.Begin(7, TVxHistoryOrigin::NewGame, month);
            else
                History.Turn(month);
            Bot.push_back(static_cast<int64_t>(bot));
            total = std::max(1.0, total * (1.0 + (random.Random(201) - 90) / 1000.0));
            bot *= 1.01;
        }
    }
};

const TBenchHistory& BenchHistory() {
    static const TBenchHistory history;
    return history;
}

void Paint(benchmark::State& state, QChartView& view) {
    view.resize(ChartWidth, ChartHeight);
    view.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        view.viewport()->repaint();
}

void BM_AssetChartPaint(benchmark::State& state) {
    TVxAssetChart chart;
    chart.Reflect(BenchHistory().History, &BenchHistory().Bot);
    Paint(state, chart);
}
BENCHMARK(BM_AssetChartPaint)->Unit(benchmark::kMillisecond);

// The same with the latest month read out: its dot drawn over the lines.
void BM_AssetChartPaintReadout(benchmark::State& state) {
    TVxAssetChart chart;
    chart.Reflect(BenchHistory().History, &BenchHistory().Bot);
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(&chart, &end);
    if (chart.Highlighted() != Months - 1)
        std::abort();
    Paint(state, chart);
}
BENCHMARK(BM_AssetChartPaintReadout)->Unit(benchmark::kMillisecond);

void BM_AssetChartPaintFloor(benchmark::State& state) {
    auto* series = new QLineSeries;
    const std::vector<TVxHistoryMonth>& months = BenchHistory().History.Months();
    for (size_t i = 0; i < months.size(); ++i)
        series->append(static_cast<qreal>(i), static_cast<qreal>(months[i].Total()));
    QChartView view;
    view.chart()->addSeries(series);
    view.chart()->createDefaultAxes();
    Paint(state, view);
}
BENCHMARK(BM_AssetChartPaintFloor)->Unit(benchmark::kMillisecond);

} // namespace

// Opening the load menu with ten kept games, each a game of 100 years (1200
// months of history): every kept file is read and checked whole, as its
// load would read it, so that a damaged one shows greyed before it is
// chosen.  Beside it the same menu over an empty kept folder (the slots'
// own captions), and one kept game read against its floor, the bytes of
// its save file and history read from the disk without a check.

#include "app/VxAppPaths.h"
#include "game/VxGame.h"
#include "game/VxRandom.h"
#include "ui/saves/VxKeptGame.h"
#include "ui/saves/VxKeptGameFolder.h"
#include "ui/window/FrmRidolt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int KeptMonths = 1200;

// A save folder holding `count` kept games of KeptMonths months, made once.
class TKeptFolder {
public:
    explicit TKeptFolder(int count) {
        SetSaveDataFolder(FRoot.path());
        TVxGame game;
        game.SetSeed(7);
        game.NewGame();
        for (int month = 0; month < KeptMonths; ++month)
            game.NextMonth();
        QDir().mkpath(Kept());
        for (int i = 0; i < count; ++i)
            game.SaveToFile(
                QFile::encodeName(
                    Kept() + QStringLiteral("20240101-000000-%1.sav").arg(i, 8, 16, QChar(u'0')))
                    .toStdString());
    }
    ~TKeptFolder() { SetSaveDataFolder(QString()); }

    QString Kept() const { return FRoot.path() + QStringLiteral("/kept/"); }

private:
    QTemporaryDir FRoot;
};

void OpenLoadMenu(benchmark::State& state, int keptGames) {
    const TKeptFolder folder(keptGames);
    TVxGame game;
    game.SetSeed(1);
    TFormRidolt form(game);
    form.show();
    QApplication::processEvents();
    QMenu* load = form.findChild<QMenu*>(QStringLiteral("MILoad"));
    for (auto _ : state)
        emit load->aboutToShow();
    state.counters["kept"] = keptGames;
}

void BM_LoadMenuWithTenKeptGames(benchmark::State& state) {
    OpenLoadMenu(state, TVxKeptGameFolder::MaxGames);
}
BENCHMARK(BM_LoadMenuWithTenKeptGames)->Unit(benchmark::kMillisecond);

void BM_LoadMenuFloor(benchmark::State& state) {
    OpenLoadMenu(state, 0);
}
BENCHMARK(BM_LoadMenuFloor)->Unit(benchmark::kMillisecond);

void BM_ReadKeptGame(benchmark::State& state) {
    const TKeptFolder folder(1);
    const TVxKeptGameFile file = TVxKeptGameFolder(folder.Kept()).Files().front();
    for (auto _ : state)
        benchmark::DoNotOptimize(VxReadKeptGame(file.Path, file.LastPlayed));
}
BENCHMARK(BM_ReadKeptGame)->Unit(benchmark::kMicrosecond);

void BM_ReadKeptGameFloor(benchmark::State& state) {
    const TKeptFolder folder(1);
    const QString path = TVxKeptGameFolder(folder.Kept()).Files().front().Path;
    for (auto _ : state)
        for (const QString& name : {path, path + QStringLiteral(".history")}) {
            QFile file(name);
            file.open(QIODevice::ReadOnly);
            benchmark::DoNotOptimize(file.readAll());
        }
}
BENCHMARK(BM_ReadKeptGameFloor)->Unit(benchmark::kMicrosecond);

} // namespace

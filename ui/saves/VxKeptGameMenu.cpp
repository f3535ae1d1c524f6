#include "ui/saves/VxKeptGameMenu.h"

#include "ui/saves/VxGameKeeper.h"
#include "ui/saves/VxKeptGame.h"
#include "ui/saves/VxKeptGameFolder.h"
#include "ui/saves/VxSaveSlots.h"
#include "ui/words/VxStatusTexts.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

namespace {

// The texts of the kept games in the menu and the status bar.
const QString Gap = QStringLiteral("  ");

QString ResumeCaption() {
    return QCoreApplication::translate("VxKeptGameMenu", "前回の続き(&R)");
}

QString KeptGamesCaption() {
    return QCoreApplication::translate("VxKeptGameMenu", "保存していないゲーム(&K)");
}

QString HintText() {
    return QCoreApplication::translate("VxKeptGameMenu", "前回の続きは ロード(L) → 前回の続き(R)");
}

// Where the game stands: 1年目8月 資金 2790万円.
QString StandingText(const TVxSaveFileSummary& summary) {
    return CalendarQText(summary.Year, summary.Month) + u' ' + CashText(summary.Money);
}

QString LastPlayedText(const QDateTime& lastPlayed) {
    return lastPlayed.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString SeedText(const std::optional<uint64_t>& seed) {
    return seed ? QCoreApplication::translate("VxKeptGameMenu", "シード %1").arg(*seed)
                : QCoreApplication::translate("VxKeptGameMenu", "シード 不明");
}

QString DamageText(const TVxKeptGame& game) {
    QString reason = game.Damage;
    // A menu item takes "&" for a mnemonic.
    return QCoreApplication::translate("VxKeptGameMenu", "開けません: %1")
        .arg(reason.replace(u'&', QStringLiteral("&&")));
}

// The item of a kept game in 保存していないゲーム(K).
QString ItemText(const TVxKeptGame& game) {
    if (!game.Damage.isEmpty())
        return QFileInfo(game.Path).fileName() + Gap + LastPlayedText(game.LastPlayed) + Gap +
               DamageText(game);
    return StandingText(game.Summary) + Gap + LastPlayedText(game.LastPlayed) + Gap +
           SeedText(game.Seed);
}

QList<TVxKeptGame> ReadKeptGames() {
    QList<TVxKeptGame> games;
    for (const TVxKeptGameFile& file : TVxKeptGameFolder::InSaveFolder().Files())
        games.append(VxReadKeptGame(file.Path, file.LastPlayed));
    return games;
}

} // namespace

TVxKeptGameMenu::TVxKeptGameMenu(TVxSaveSlots& saveSlots, const TVxGameKeeper& keeper,
                                 QMenu& loadMenu, QObject* parent)
    : QObject(parent), FSlots(saveSlots), FKeeper(keeper) {
    loadMenu.addSeparator();
    MIDataLoadResume = loadMenu.addAction(ResumeCaption());
    MIDataLoadResume->setObjectName(QStringLiteral("MIDataLoadResume"));
    MIDataLoadResume->setEnabled(false);
    connect(MIDataLoadResume, &QAction::triggered, this,
            [this] { LoadKeptGame(MIDataLoadResume->data().toString()); });
    MIKeptGames = loadMenu.addMenu(KeptGamesCaption());
    MIKeptGames->setObjectName(QStringLiteral("MIKeptGames"));
    MIKeptGames->menuAction()->setObjectName(QStringLiteral("MIKeptGames"));
    MIKeptGames->setEnabled(false);
    connect(&loadMenu, &QMenu::aboutToShow, this, &TVxKeptGameMenu::ActMILoadExecute);
}

QString TVxKeptGameMenu::StartHint() {
    return TVxKeptGameFolder::InSaveFolder().Files().isEmpty() ? QString() : HintText();
}

void TVxKeptGameMenu::ActMILoadExecute() {
    const QList<TVxKeptGame> games = ReadKeptGames();
    FillKeptGames(games);

    // The last game played but the one in the window.
    const QString inWindow = FKeeper.KeptPath();
    const auto last =
        std::find_if(games.begin(), games.end(),
                     [&inWindow](const TVxKeptGame& game) { return game.Path != inWindow; });
    if (last == games.end()) {
        MIDataLoadResume->setText(ResumeCaption());
        MIDataLoadResume->setEnabled(false);
        MIDataLoadResume->setData(QString());
        return;
    }
    const bool loads = last->Damage.isEmpty();
    MIDataLoadResume->setText(ResumeCaption() + Gap +
                              (loads ? StandingText(last->Summary) : DamageText(*last)));
    MIDataLoadResume->setEnabled(loads);
    MIDataLoadResume->setData(last->Path);
}

void TVxKeptGameMenu::FillKeptGames(const QList<TVxKeptGame>& games) {
    MIKeptGames->clear();
    const QString inWindow = FKeeper.KeptPath();
    for (const TVxKeptGame& game : games) {
        QAction* item = MIKeptGames->addAction(ItemText(game));
        item->setEnabled(game.Damage.isEmpty());
        if (game.Path == inWindow) {
            item->setCheckable(true);
            item->setChecked(true);
        }
        connect(item, &QAction::triggered, this, [this, path = game.Path] { LoadKeptGame(path); });
    }
    MIKeptGames->setEnabled(!games.isEmpty());
}

void TVxKeptGameMenu::LoadKeptGame(const QString& path) {
    // The file may have gone since the menu was opened.
    if (TVxSaveSlots::FileExists(path))
        FSlots.OpenGameFile(path);
}

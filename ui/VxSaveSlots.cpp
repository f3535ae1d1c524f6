#include "ui/VxSaveSlots.h"

#include "app/VxAppPaths.h"
#include "game/VxGame.h"
#include "ui/VxQtMessageBox.h"
#include "ui/VxWaitCursor.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include <exception>

namespace {

QString SlotFileName(int slot) {
    return QStringLiteral("%1savedata.sav").arg(slot);
}

QString SlotPath(int slot) {
    return GetSaveDataFolder() + SlotFileName(slot);
}

// The caption of a slot's menu items: its file name, or "<Nempty>".
QString SlotCaption(int slot, bool exists) {
    return exists ? SlotFileName(slot) : QStringLiteral("<%1empty>").arg(slot);
}

TVxMessageBoxRequest ErrorBox(const QString& path, const QString& what) {
    return TVxMessageBoxRequest::Error(path + u'\n' + what);
}

} // namespace

TVxSaveSlots::TVxSaveSlots(TVxGame& game, TVxQtMessageBox& messageBox, QMenu& loadMenu,
                           QMenu& saveMenu, QObject* parent)
    : QObject(parent), FGame(game), FMessageBox(messageBox), FLoadMenu(loadMenu),
      FSaveMenu(saveMenu) {
    for (int slot = 0; slot < SlotCount; ++slot) {
        QAction* load = FLoadMenu.addAction(QString::number(slot));
        load->setObjectName(QStringLiteral("MIDataLoad%1").arg(slot));
        load->setData(slot);
        QAction* save = FSaveMenu.addAction(QString::number(slot));
        save->setObjectName(QStringLiteral("MIDataSave%1").arg(slot));
        save->setData(slot);
    }
    connect(&FLoadMenu, &QMenu::aboutToShow, this, &TVxSaveSlots::ActMILoadExecute);
    connect(&FSaveMenu, &QMenu::aboutToShow, this, &TVxSaveSlots::ActMISaveExecute);
    connect(&FLoadMenu, &QMenu::triggered, this,
            [this](QAction* item) { ActDataLoadExecute(*item); });
    connect(&FSaveMenu, &QMenu::triggered, this,
            [this](QAction* item) { ActDataSaveExecute(*item); });
}

bool TVxSaveSlots::FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void TVxSaveSlots::ActMILoadExecute() {
    const QList<QAction*> items = FLoadMenu.actions();
    for (int slot = 0; slot < SlotCount; ++slot) {
        const bool exists = FileExists(SlotPath(slot));
        items[slot]->setText(SlotCaption(slot, exists));
        items[slot]->setEnabled(exists);
    }
}

void TVxSaveSlots::ActMISaveExecute() {
    const QList<QAction*> items = FSaveMenu.actions();
    for (int slot = 0; slot < SlotCount; ++slot)
        items[slot]->setText(SlotCaption(slot, FileExists(SlotPath(slot))));
}

void TVxSaveSlots::ActDataLoadExecute(const QAction& sender) {
    const QString path = SlotPath(sender.data().toInt());
    // The file may have gone since the menu was opened.
    if (FileExists(path))
        OpenGameFile(path);
}

void TVxSaveSlots::ActDataSaveExecute(const QAction& sender) {
    // A folder that cannot be made shows up as a failed save.
    QDir().mkpath(GetSaveDataFolder());
    const QString path = SlotPath(sender.data().toInt());
    if (FileExists(path)) {
        const auto question =
            TVxMessageBoxRequest::Question(QStringLiteral("ファイルを上書きしてよろしいですか？"));
        if (FMessageBox.Show(question) != TVxMsgResult::Ok)
            return;
    }
    SaveGameFile(path);
}

bool TVxSaveSlots::OpenGameFile(const QString& path) {
    try {
        const TVxWaitCursor waitCursor;
        // The loader checks the whole file first: a refused file leaves the
        // game as it was, and nothing is refreshed.
        FGame.LoadFromFile(QFile::encodeName(path).toStdString());
        emit Loaded();
        return true;
    } catch (const std::exception&) {
        FMessageBox.Show(ErrorBox(path, QStringLiteral("ファイルを開けませんでした。")));
        return false;
    }
}

bool TVxSaveSlots::SaveGameFile(const QString& path) {
    try {
        const TVxWaitCursor waitCursor;
        FGame.SaveToFile(QFile::encodeName(path).toStdString());
        return true;
    } catch (const std::exception&) {
        FMessageBox.Show(ErrorBox(path, QStringLiteral("ファイルを作成できませんでした。")));
        return false;
    }
}

#include "ui/saves/VxSaveSlots.h"

#include "app/VxAppPaths.h"
#include "game/VxFileKind.h"
#include "game/VxGame.h"
#include "ui/window/VxQtMessageBox.h"
#include "ui/window/VxWaitCursor.h"
#include "ui/words/VxFileErrorText.h"

#include <QAction>
#include <QCoreApplication>
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

// The box about a failed load or save: the path and what failed, as the
// game always said it, and below them why.
TVxMessageBoxRequest ErrorBox(const QString& path, const QString& what, const QString& reason) {
    return TVxMessageBoxRequest::Error(path + u'\n' + what + u'\n' + reason);
}

// The slot holds a save file: the one thing a save there replaces after
// asking.  Anything else it would refuse, and says so, without a question.
bool HoldsSave(const QString& path) {
    try {
        return VxFileKindAt(QFile::encodeName(path).toStdString()) == TVxFileKind::Save;
    } catch (const EVxFileError&) {
        return false;
    }
}

} // namespace

TVxSaveSlots::TVxSaveSlots(TVxGame& game, TVxQtMessageBox& messageBox, QMenu& loadMenu,
                           QMenu& saveMenu, QObject* parent)
    : QObject(parent), FGame(game), FMessageBox(messageBox) {
    for (int slot = 0; slot < SlotCount; ++slot) {
        QAction* load = loadMenu.addAction(QString::number(slot));
        load->setObjectName(QStringLiteral("MIDataLoad%1").arg(slot));
        load->setData(slot);
        connect(load, &QAction::triggered, this, [this, load] { ActDataLoadExecute(*load); });
        FLoadItems.append(load);
        QAction* save = saveMenu.addAction(QString::number(slot));
        save->setObjectName(QStringLiteral("MIDataSave%1").arg(slot));
        save->setData(slot);
        connect(save, &QAction::triggered, this, [this, save] { ActDataSaveExecute(*save); });
        FSaveItems.append(save);
    }
    connect(&loadMenu, &QMenu::aboutToShow, this, &TVxSaveSlots::ActMILoadExecute);
    connect(&saveMenu, &QMenu::aboutToShow, this, &TVxSaveSlots::ActMISaveExecute);
}

bool TVxSaveSlots::FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void TVxSaveSlots::ActMILoadExecute() {
    for (int slot = 0; slot < SlotCount; ++slot) {
        const bool exists = FileExists(SlotPath(slot));
        FLoadItems[slot]->setText(SlotCaption(slot, exists));
        FLoadItems[slot]->setEnabled(exists);
    }
}

void TVxSaveSlots::ActMISaveExecute() {
    for (int slot = 0; slot < SlotCount; ++slot)
        FSaveItems[slot]->setText(SlotCaption(slot, FileExists(SlotPath(slot))));
}

void TVxSaveSlots::ActDataLoadExecute(const QAction& sender) {
    const QString path = SlotPath(sender.data().toInt());
    // The file may have gone since the menu was opened.
    if (FileExists(path))
        OpenGameFile(path);
}

void TVxSaveSlots::ActDataSaveExecute(const QAction& sender) {
    const QString path = SlotPath(sender.data().toInt());
    if (HoldsSave(path)) {
        const auto question = TVxMessageBoxRequest::Question(
            QCoreApplication::translate("VxSaveSlots", "ファイルを上書きしてよろしいですか？"));
        if (FMessageBox.Show(question) != TVxMsgResult::Ok)
            return;
    }
    SaveGameFile(path);
}

bool TVxSaveSlots::OpenGameFile(const QString& path) {
    emit AboutToLoad();
    try {
        const TVxWaitCursor waitCursor;
        // The loader checks the whole file first: a refused file leaves the
        // game as it was, and nothing is refreshed.
        FGame.LoadFromFile(QFile::encodeName(path).toStdString());
        emit Loaded(path);
        return true;
    } catch (const std::exception&) {
        FMessageBox.Show(ErrorBox(
            path, QCoreApplication::translate("VxSaveSlots", "ファイルを開けませんでした。"),
            LoadFailureReason(path, std::current_exception())));
        return false;
    }
}

bool TVxSaveSlots::SaveGameFile(const QString& path) {
    try {
        const TVxWaitCursor waitCursor;
        WriteGameFile(path);
        return true;
    } catch (const std::exception&) {
        FMessageBox.Show(ErrorBox(
            path, QCoreApplication::translate("VxSaveSlots", "ファイルを作成できませんでした。"),
            SaveFailureReason(path, std::current_exception())));
        return false;
    }
}

void TVxSaveSlots::WriteGameFile(const QString& path) {
    // A folder that cannot be made shows up as a failed save.
    QDir().mkpath(QFileInfo(path).absolutePath());
    FGame.SaveToFile(QFile::encodeName(path).toStdString());
}

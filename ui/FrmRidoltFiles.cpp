// The save slots of the main window and the routes by which a save file
// reaches it: the load and save menus, a file dropped on the window, and a
// path handed over by the command line or by a second start.

#include "ui/FrmRidolt.h"

#include "app/VxAppPaths.h"
#include "app/VxCopyData.h"
#include "app/VxFileDropTarget.h"
#include "game/VxGame.h"
#include "ui/VxModalQueue.h"
#include "ui/VxWaitCursor.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include <exception>

namespace {

constexpr int SlotCount = 10;

QString SlotFileName(int slot) {
    return QStringLiteral("%1savedata.sav").arg(slot);
}

QString SlotPath(int slot) {
    return GetSaveDataFolder() + SlotFileName(slot);
}

// A regular file (or a link to one) exists at `path`.  Not a folder, and
// not a pipe or a device either: reading those could block the window or
// never end.
bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The caption of a slot's menu items: its file name, or "<Nempty>".
QString SlotCaption(int slot, bool exists) {
    return exists ? SlotFileName(slot) : QStringLiteral("<%1empty>").arg(slot);
}

TVxMessageBoxRequest ErrorBox(const QString& path, const QString& what) {
    return TVxMessageBoxRequest::Error(path + u'\n' + what);
}

} // namespace

void TFormRidolt::CreateFileCommands() {
    connect(MILoad, &QMenu::aboutToShow, this, &TFormRidolt::ActMILoadExecute);
    connect(MISave, &QMenu::aboutToShow, this, &TFormRidolt::ActMISaveExecute);
    connect(MILoad, &QMenu::triggered, this, [this](QAction* item) { ActDataLoadExecute(*item); });
    connect(MISave, &QMenu::triggered, this, [this](QAction* item) { ActDataSaveExecute(*item); });

    FileDropTarget1 = new TFileDropTarget(this);
    FileDropTarget1->setObjectName(QStringLiteral("FileDropTarget1"));
    connect(FileDropTarget1, &TFileDropTarget::OnFileDrop, this,
            &TFormRidolt::FileDropTarget1FileDrop);
}

void TFormRidolt::ActMILoadExecute() {
    const QList<QAction*> items = MILoad->actions();
    for (int slot = 0; slot < SlotCount; ++slot) {
        const bool exists = FileExists(SlotPath(slot));
        items[slot]->setText(SlotCaption(slot, exists));
        items[slot]->setEnabled(exists);
    }
}

void TFormRidolt::ActMISaveExecute() {
    const QList<QAction*> items = MISave->actions();
    for (int slot = 0; slot < SlotCount; ++slot)
        items[slot]->setText(SlotCaption(slot, FileExists(SlotPath(slot))));
}

void TFormRidolt::ActDataLoadExecute(const QAction& sender) {
    const QString path = SlotPath(sender.data().toInt());
    // The file may have gone since the menu was opened.
    if (FileExists(path))
        OpenGameFile(path);
}

void TFormRidolt::ActDataSaveExecute(const QAction& sender) {
    // A folder that cannot be made shows up as a failed save.
    QDir().mkpath(GetSaveDataFolder());
    const QString path = SlotPath(sender.data().toInt());
    if (FileExists(path)) {
        const auto question =
            TVxMessageBoxRequest::Question(QStringLiteral("ファイルを上書きしてよろしいですか？"));
        if (FMessageBox->Show(question) != TVxMsgResult::Ok)
            return;
    }
    SaveGameFile(path);
}

bool TFormRidolt::OpenGameFile(const QString& path) {
    try {
        const TVxWaitCursor waitCursor;
        // The loader checks the whole file first: a refused file leaves the
        // game as it was, so nothing below runs and nothing is refreshed.
        Game.LoadFromFile(QFile::encodeName(path).toStdString());
        // The file keeps the order the lists had when it was saved; the
        // lists show the order their sort marks say.
        Game.MarketList.Sort();
        Game.OwnerList.Sort();
        ForgetCompanies();
        ActDataReflect();
        FMessageLog->Clear();
        return true;
    } catch (const std::exception&) {
        FMessageBox->Show(ErrorBox(path, QStringLiteral("ファイルを開けませんでした。")));
        return false;
    }
}

bool TFormRidolt::SaveGameFile(const QString& path) {
    try {
        const TVxWaitCursor waitCursor;
        Game.SaveToFile(QFile::encodeName(path).toStdString());
        return true;
    } catch (const std::exception&) {
        FMessageBox->Show(ErrorBox(path, QStringLiteral("ファイルを作成できませんでした。")));
        return false;
    }
}

void TFormRidolt::OpenPath(const QString& path) {
    // Never under an open dialog or box: the trade dialog would settle
    // against a game it was not opened for.  The path waits until it closes.
    FModalQueue->Run([this, path] {
        if (FileExists(path))
            OpenGameFile(path);
    });
}

void TFormRidolt::FileDropTarget1FileDrop(const QStringList& droppedFiles) {
    if (!droppedFiles.isEmpty())
        OpenPath(droppedFiles.first());
}

void TFormRidolt::CopyDataReceived(int kind, const QString& text) {
    if (kind == CopyDataOpenPath)
        OpenPath(text);
}

#pragma once

// The ten save slots, 0savedata.sav to 9savedata.sav in the save folder,
// behind the load and save menus, and the loading and saving of one file
// with the player-facing error boxes, which say below their own text why
// the file failed (VxFileErrorText.h).  A slot that holds a save file is
// overwritten after the question; one that holds anything else is refused
// by the save itself, with its box.  The slot captions are brought up to
// date each time a menu is about to open.  Every load of a file, whatever
// route it came by, goes through OpenGameFile: the owner keeps the game
// about to be replaced (AboutToLoad) and, after a successful load,
// refreshes everything it shows (Loaded), still under the load's error
// handling.

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class TVxGame;
class TVxQtMessageBox;

class TVxSaveSlots : public QObject {
    Q_OBJECT
public:
    static constexpr int SlotCount = 10;

    // Fills `loadMenu` and `saveMenu` with the slot items MIDataLoad0..9 and
    // MIDataSave0..9; items added after them are left to their owners.
    TVxSaveSlots(TVxGame& game, TVxQtMessageBox& messageBox, QMenu& loadMenu, QMenu& saveMenu,
                 QObject* parent);

    // Raises AboutToLoad, loads the game from `path` and raises Loaded; a
    // file that cannot be read, or is no save file of this game, is
    // reported in a box naming the path, and the game stays as it was.
    // True on success.
    bool OpenGameFile(const QString& path);
    // Saves the game to `path`, replacing the file only once the new one is
    // complete; a failure is reported in a box.  True on success.
    bool SaveGameFile(const QString& path);
    // SaveGameFile without the box: the save folder is made when missing,
    // and a failure throws std::exception naming the path.
    void WriteGameFile(const QString& path);

    // A regular file (or a link to one) exists at `path`: not a folder, and
    // not a pipe or a device, whose reading could block or never end.
    static bool FileExists(const QString& path);

signals:
    // The game is about to be replaced by a file's, which may yet be
    // refused.
    void AboutToLoad();
    // The game in `path` has been loaded; nothing of it has changed yet.
    void Loaded(const QString& path);

private:
    void ActMILoadExecute();
    void ActMISaveExecute();
    void ActDataLoadExecute(const QAction& sender);
    void ActDataSaveExecute(const QAction& sender);

    TVxGame& FGame;
    TVxQtMessageBox& FMessageBox;
    // The slot items, slot n at index n; the menus may hold more.
    QList<QAction*> FLoadItems;
    QList<QAction*> FSaveItems;
};

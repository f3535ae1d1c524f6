#pragma once

// Where the program's files live: its own folder, the folder of the save
// slots and the name of the help file.  Folders are returned with a
// trailing "/" so callers append file names directly.

#include <QString>

// The folder of the running executable.
QString ApplicationFolder();

// The save folder of a program installed in `applicationFolder`: "savedata"
// beside the executable when that folder is there, or can be made (a
// portable copy), the user's data folder otherwise (an installed copy
// under /usr).  A savedata folder the user may not write is still the save
// folder: its slots are read, and a save there says why it fails and
// where the user could write (UserSaveDataFolder).  The folder is not
// created here; the first save creates it.
QString SaveDataFolderFor(const QString& applicationFolder);

// The save folder in the user's data folder, where an installed copy keeps
// its slots: ~/.local/share/Tovric/ridolt/savedata/.
QString UserSaveDataFolder();

// The one save folder that loading and saving both use.
QString GetSaveDataFolder();

// Puts the save folder somewhere else (tests keep their slots in a folder
// of their own); an empty text goes back to the usual place.
void SetSaveDataFolder(const QString& folder);

// The help file's name beside the executable: the executable's name with
// its extension replaced by "_help.html" (ridolt gives ridolt_help.html),
// in English by "_help.en.html" (ridolt_help.en.html).
QString HelpHtmlFileName();

#pragma once

// Where the program's files live: its own folder, the folder of the save
// slots and the name of the help file.  Folders are returned with a
// trailing "/" so callers append file names directly.

#include <QString>

// The folder of the running executable.
QString ApplicationFolder();

// The save folder of a program installed in `applicationFolder`: "savedata"
// beside the executable while that can be written (a portable copy), the
// user's data folder otherwise (an installed copy under /usr).  The folder
// is not created here; the first save creates it.
QString SaveDataFolderFor(const QString& applicationFolder);

// The one save folder that loading and saving both use.
QString GetSaveDataFolder();

// Puts the save folder somewhere else (tests keep their slots in a folder
// of their own); an empty text goes back to the usual place.
void SetSaveDataFolder(const QString& folder);

// The help file's name beside the executable: the executable's name with
// its extension replaced by "_help.html" (ridolt gives ridolt_help.html).
QString HelpHtmlFileName();

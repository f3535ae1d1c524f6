#pragma once

// Handing documents and folders to the desktop: the user's configured
// programs open them, the game does not wait and reports no failure of its
// own (the desktop shows its message, if any).

#include <QString>

// Opens a document with the program the desktop associates with its type;
// false when the desktop has no way to.  The path travels as a file URL, so
// blanks and other special characters reach that program as part of one
// argument.
bool OpenFileWithAssociation(const QString& fileName);

// Opens a file-manager window on `path`; true when the desktop took the
// request.
bool OpenFolder(const QString& path);

#pragma once

// Why a file could not be opened, loaded or saved, in the player's words:
// the line the boxes about a failed load or save add below their own text,
// and what the status bar and standard error say of a path that cannot be
// opened.  The model hands out codes (VxFileError.h, VxFileKind.h) and the
// system's errno; this turns them into Japanese, the system's own words
// kept after an errno's reason so that it can still be looked up.

#include <QString>

#include <exception>
#include <system_error>

// The reason `code` gives: what a path is instead of a file ("フォルダです。"),
// what kind of file a save refused ("テキストファイルです。"), or the
// system's reason ("ディスクの空き容量が足りません。(No space left on device)").
QString FileErrorReason(const std::error_code& code);

// Why loading `path` failed with `error`, thrown by TVxGame::LoadFromFile.
QString LoadFailureReason(const QString& path, const std::exception_ptr& error);

// Why saving to `path` failed with `error`, thrown by TVxGame::SaveToFile.
// A folder the player may not write is named as such, and when it is the
// save folder, so is the folder where the player could save.
QString SaveFailureReason(const QString& path, const std::exception_ptr& error);

// The line that says `path` cannot be opened at all and why: nothing is
// there, or what is there is no file ("/x/a.sav: ファイルを開けませんでした。
// フォルダです。").  Empty when a file is there to be loaded, and for an
// empty path.
QString CannotOpenText(const QString& path);

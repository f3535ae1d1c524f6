#pragma once

// Replacing the content of a file as a whole.  The new bytes go to a
// temporary file beside the old one, which is renamed over it only once
// they are on the disk: a crash, a signal or a full disk leaves the old
// content or the new one, never a part of either.
//
// Only files are replaced:
// - a symbolic link is followed and kept; the file it leads to gets the
//   new content, and is created when it does not exist but its folder does;
// - a directory, FIFO, device or socket is refused and left untouched;
// - so is a file the caller may not write.  Root may write any file, so
//   for root a file without any write bit counts as read-only, as rm and
//   cp treat a "write-protected" file.
// What a file holds is its callers' to judge (VxFileKind.h): this only
// replaces files.  A replaced file keeps its permission bits (and its
// owner, where the caller may set it).
//
// Temporary files are named ".<file>.ridolt-tmp-<pid>-<n>": hidden, and
// marked as this program's own, so that no file of the user's is ever
// taken for one.  One is removed on every failure, and, once
// VxRemoveTemporaryFilesOnSignals has been called, when SIGTERM, SIGINT or
// SIGHUP ends the process.  What a process killed outright leaves behind
// is swept by the next replacement of the same file, once no process of
// that pid runs; the sweep takes names of exactly that form and nothing
// else.

#include "platform/VxFileError.h"

#include <cstdint>
#include <span>
#include <string>

// Replaces the content of the file at `path` by `bytes`, or creates it.
// Throws EVxFileError, whose code is a TVxFileRefusal or the system's
// errno, naming `path`; the file is then as it was.
void VxReplaceFile(const std::string& path, std::span<const uint8_t> bytes);

// The new content of one file.
struct TVxFileContent {
    std::string Path;
    std::span<const uint8_t> Bytes;
};

// Replaces several files together, as VxReplaceFile replaces one: every
// one is checked and its new bytes are on the disk, in the order given,
// before any is renamed over its target; then they are renamed in the
// reverse order, each rename on the disk before the next, so that the
// first file, which the others belong with, takes its place last.  A
// failure before the renames leaves every file as it was, and names the
// first file that failed; one between them (a rename that fails, a crash)
// leaves the files renamed so far replaced and the rest as they were.
void VxReplaceFiles(std::span<const TVxFileContent> files);

// Makes SIGTERM, SIGINT and SIGHUP remove the temporary files of the
// replacements in progress before they end the process as they would have
// (a signal the process ignores stays ignored).  The library never calls
// it: a program that lets these signals end it calls it once at its start;
// one that handles them itself (finishing the save in progress) does not.
void VxRemoveTemporaryFilesOnSignals();

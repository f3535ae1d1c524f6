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
// A replaced file keeps its permission bits (and its owner, where the
// caller may set it).
//
// Temporary files are named "<file>.<pid>-<n>.tmp".  One is removed on
// every failure, and, once VxRemoveTemporaryFilesOnSignals has been called,
// when SIGTERM, SIGINT or SIGHUP ends the process.  What a process killed
// outright leaves behind is swept by the next replacement of the same file,
// once no process of that pid runs.

#include <cstdint>
#include <span>
#include <string>
#include <system_error>
#include <type_traits>

// Why a path is not replaced: what it is instead of a file the caller may
// write.  The codes' messages read "is a directory", "is a FIFO", ...
enum class TVxFileRefusal {
    IsDirectory = 1,
    IsFifo,
    IsCharacterDevice,
    IsBlockDevice,
    IsSocket,
    IsReadOnly,
};

template <> struct std::is_error_code_enum<TVxFileRefusal> : std::true_type {};

const std::error_category& VxFileRefusalCategory();
std::error_code make_error_code(TVxFileRefusal refusal);

// Replaces the content of the file at `path` by `bytes`, or creates it.
// Throws std::system_error whose code is a TVxFileRefusal or the system's
// errno and whose what() begins with `path`; the file is then as it was.
void VxReplaceFile(const std::string& path, std::span<const uint8_t> bytes);

// The new content of one file.
struct TVxFileContent {
    std::string Path;
    std::span<const uint8_t> Bytes;
};

// Replaces several files together, as VxReplaceFile replaces one: every
// one is checked and its new bytes are on the disk before the first is
// renamed over its target, in the order given.  A failure before the
// renames leaves every file as it was; one between them (a rename that
// fails, a crash) leaves the files before it replaced and the rest as
// they were.
void VxReplaceFiles(std::span<const TVxFileContent> files);

// What `path` is when it exists and is no regular file, following
// symbolic links: a TVxFileRefusal other than IsReadOnly.  Empty for a
// regular file and for a path where nothing is.
std::error_code VxNonFileKind(const std::string& path);

// Makes SIGTERM, SIGINT and SIGHUP remove the temporary files of the
// replacements in progress before they end the process as they would have
// (a signal the process ignores stays ignored).  The library never calls
// it: a program that lets these signals end it calls it once at its start;
// one that handles them itself (finishing the save in progress) does not.
void VxRemoveTemporaryFilesOnSignals();

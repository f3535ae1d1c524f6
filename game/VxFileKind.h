#pragma once

// What a file holds, told from its first bytes, and the rule every writer
// of this program keeps: it replaces a file only when the file is one of
// the kind it writes (a save file by a save, a history by a history, a
// record by a record), or empty, as a file just made by mktemp is.  Any
// other file is refused untouched, with a code that says what it is: a
// text file, another kind of our files, another program's file.
//
// The kinds are told apart by how each begins:
// - a save file: the 382-byte header (VxGameSaveData.h);
// - a history: "ridolt-history " (VxGameHistoryFile.h);
// - a record of `ridolt-sim serve`: VxRecordOpening, the start of its JSON
//   header line;
// - a text file: UTF-8 without control characters other than tab, line
//   and page breaks and escape;
// - anything else is another program's file.

#include "platform/VxFileError.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <vector>

enum class TVxFileKind { Empty, Save, History, Record, Text, OtherProgram };

// How every record of `ridolt-sim serve` begins.
inline constexpr std::string_view VxRecordOpening = "{\"ridolt_sim_record\":";

// How many bytes of a file tell its kind.
inline constexpr size_t VxFileKindHeadSize = 4096;

// The kind of a file that begins with `head` (its first VxFileKindHeadSize
// bytes, or all of a shorter file).
TVxFileKind VxFileKindOf(std::span<const uint8_t> head);

// Why a writer refuses a file.  The codes' messages read "is a text file",
// "is a record of ridolt-sim serve", ...
enum class TVxKindRefusal {
    IsSaveFile = 1,
    IsHistoryFile,
    IsRecord,
    IsTextFile,
    IsOtherProgramsFile,
    // The save file a session loaded, which its record or replay must not
    // overwrite: a replay of the session needs it as it was.
    IsLoadedSave,
};

template <> struct std::is_error_code_enum<TVxKindRefusal> : std::true_type {};

const std::error_category& VxKindRefusalCategory();
std::error_code make_error_code(TVxKindRefusal refusal);

// The refusal of a file of `kind` (not Empty).
TVxKindRefusal VxRefusalOfKind(TVxFileKind kind);

// The kind of the file at `path`, read from its head; nothing when nothing
// is there.  Throws EVxFileError for what is no regular file, or cannot be
// read (VxFileRead.h): nothing is read from a FIFO or a device.
std::optional<TVxFileKind> VxFileKindAt(const std::string& path);

// Throws EVxFileError naming `path` unless `bytes`, the content of the
// file at `path` (none: nothing is there), may be replaced by a file of
// `kind`.
void VxRequireKind(const std::string& path, const std::optional<std::vector<uint8_t>>& bytes,
                   TVxFileKind kind);

// VxRequireKind for the file at `path` as it is now.
void VxRequireKindAt(const std::string& path, TVxFileKind kind);

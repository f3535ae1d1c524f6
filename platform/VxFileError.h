#pragma once

// Why a file could not be read or written, and which file it was.
//
// A path that holds no regular file is refused before anything is read or
// written, with a code that says what is there instead; every other
// failure carries the system's errno.  The error names the file it is
// about, which is not always the one the caller named: a save can fail on
// the history file beside it.

#include <string>
#include <system_error>
#include <type_traits>

#include <sys/types.h>

// What a path is instead of a file the caller may read or write.  The
// codes' messages read "is a directory", "is a FIFO", ...
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

// A failure about the file at Path(): what() reads "<path>: <reason>".
class EVxFileError : public std::system_error {
public:
    EVxFileError(std::error_code code, std::string path);
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

// Throws EVxFileError for `path` with the errno of the call that just failed.
[[noreturn]] void VxThrowErrno(const std::string& path);

// What a file of type `mode` (st_mode) is when it is no regular file: a
// TVxFileRefusal other than IsReadOnly; empty for a regular file.
std::error_code VxNonFileKindOf(mode_t mode);

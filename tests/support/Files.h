#pragma once

// Whole files for the tests: their bytes read and written, the names in a
// folder, things other than a writable file made where a save is to go,
// and what lstat() says of a path.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

// The bytes of the file at `path` in a std::string or a vector of bytes;
// empty when it cannot be read.
template <typename TBytes = std::string> TBytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), {});
}

// Makes the file at `path` hold exactly `bytes`.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

template <typename TByte>
void WriteFile(const std::filesystem::path& path, const std::vector<TByte>& bytes) {
    static_assert(sizeof(TByte) == 1);
    WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// The names of what is in `folder`, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

// Each makes something at `path`: false when this user may not make it.
bool MakeFifo(const std::filesystem::path& path);
// A copy of /dev/full, which needs root: written through, every save would
// fail; replaced, the device would be gone.
bool MakeFullDevice(const std::filesystem::path& path);
// A file holding `bytes` that no one may write.
template <typename TBytes>
bool MakeReadOnlyFile(const std::filesystem::path& path, const TBytes& bytes) {
    WriteFile(path, bytes);
    return ::chmod(path.c_str(), 0444) == 0;
}

// What lstat() says of a path: type and permission bits, device and size,
// enough to see that nothing there changed.
struct TFileStatus {
    mode_t Mode;
    dev_t Device;
    off_t Size;
    bool operator==(const TFileStatus&) const = default;
};

// Throws std::system_error when lstat() fails.
TFileStatus FileStatus(const std::filesystem::path& path);

#include "tests/support/Files.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include <sys/sysmacros.h>

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool MakeFifo(const std::filesystem::path& path) {
    return ::mkfifo(path.c_str(), 0644) == 0;
}

bool MakeFullDevice(const std::filesystem::path& path) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
}

TFileStatus FileStatus(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        throw std::system_error(errno, std::generic_category(), "lstat " + path.string());
    return {info.st_mode, info.st_rdev, info.st_size};
}

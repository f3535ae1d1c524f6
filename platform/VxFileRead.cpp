#include "platform/VxFileRead.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void RefuseNonFile(const struct stat& info, const std::string& path) {
    if (const std::error_code kind = VxNonFileKindOf(info.st_mode))
        throw EVxFileError(kind, path);
}

class TDescriptor {
public:
    explicit TDescriptor(int descriptor) : FDescriptor(descriptor) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() { ::close(FDescriptor); }
    int Get() const { return FDescriptor; }

private:
    int FDescriptor;
};

} // namespace

std::vector<uint8_t> VxReadFile(const std::string& path, size_t limit) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        VxThrowErrno(path);
    RefuseNonFile(info, path);
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        VxThrowErrno(path);
    const TDescriptor file(descriptor);
    if (::fstat(file.Get(), &info) != 0)
        VxThrowErrno(path);
    RefuseNonFile(info, path);

    // Room for the size the file has now and one byte more, grown should it
    // have grown meanwhile, never beyond `limit` + 1.
    const size_t most = limit + 1;
    std::vector<uint8_t> bytes(std::min<size_t>(static_cast<size_t>(info.st_size), limit) + 1);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() == most)
                break;
            bytes.resize(std::min(most, 2 * bytes.size()));
        }
        const ssize_t got = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            VxThrowErrno(path);
        if (got == 0)
            break;
        filled += static_cast<size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

std::optional<std::vector<uint8_t>> VxReadFileIfAny(const std::string& path, size_t limit) {
    try {
        return VxReadFile(path, limit);
    } catch (const EVxFileError& e) {
        if (e.code() == std::errc::no_such_file_or_directory)
            return std::nullopt;
        throw;
    }
}

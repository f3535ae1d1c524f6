#include "platform/VxFileError.h"

#include <cerrno>
#include <utility>

#include <sys/stat.h>

namespace {

class TRefusalCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "file kind"; }
    std::string message(int code) const override {
        switch (static_cast<TVxFileRefusal>(code)) {
        case TVxFileRefusal::IsDirectory:
            return "is a directory";
        case TVxFileRefusal::IsFifo:
            return "is a FIFO";
        case TVxFileRefusal::IsCharacterDevice:
            return "is a character device";
        case TVxFileRefusal::IsBlockDevice:
            return "is a block device";
        case TVxFileRefusal::IsSocket:
            return "is a socket";
        case TVxFileRefusal::IsReadOnly:
            return "is read-only";
        }
        return "is no file";
    }
};

} // namespace

const std::error_category& VxFileRefusalCategory() {
    static const TRefusalCategory category;
    return category;
}

std::error_code make_error_code(TVxFileRefusal refusal) {
    return {static_cast<int>(refusal), VxFileRefusalCategory()};
}

EVxFileError::EVxFileError(std::error_code code, std::string path)
    : std::system_error(code, path), FPath(std::move(path)) {}

void VxThrowErrno(const std::string& path) {
    throw EVxFileError(std::error_code(errno, std::generic_category()), path);
}

std::error_code VxNonFileKindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return TVxFileRefusal::IsDirectory;
    if (S_ISFIFO(mode))
        return TVxFileRefusal::IsFifo;
    if (S_ISCHR(mode))
        return TVxFileRefusal::IsCharacterDevice;
    if (S_ISBLK(mode))
        return TVxFileRefusal::IsBlockDevice;
    if (S_ISSOCK(mode))
        return TVxFileRefusal::IsSocket;
    return {};
}

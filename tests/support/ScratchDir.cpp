#include "tests/support/ScratchDir.h"

#include <cerrno>
#include <stdlib.h>
#include <system_error>

TScratchDir::TScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ridolt-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    FPath = pattern;
}

TScratchDir::~TScratchDir() {
    std::error_code ignored;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(FPath, ignored);
}

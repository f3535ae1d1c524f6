#pragma once

// A folder of its own for one test, removed with everything in it even
// when the test has taken its write permission away.

#include <filesystem>
#include <string>

class TScratchDir {
public:
    // Throws std::system_error when no folder can be made.
    TScratchDir();
    ~TScratchDir();
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
    std::filesystem::path FPath;
};

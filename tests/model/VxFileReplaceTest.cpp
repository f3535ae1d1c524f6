// Replacing a file's content: what may be replaced and what is refused
// untouched, symbolic links followed and kept, permission bits kept, and
// the temporary files of dead processes swept.

#include "platform/VxFileReplace.h"

#include "tests/support/Files.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<uint8_t>;

const TBytes OldBytes(300, 'o');
const TBytes NewBytes = {'n', 'e', 'w', '\n'};

// Something other than a writable file, made at `path`: false when this
// user may not make it (a device needs root).
struct TRefusedTarget {
    const char* Name;
    bool (*Make)(const fs::path& path);
    TVxFileRefusal Refusal;
};

void PrintTo(const TRefusedTarget& target, std::ostream* out) {
    *out << target.Name;
}

bool MakeSocket(const fs::path& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || path.string().size() >= sizeof address.sun_path)
        return false;
    std::copy_n(path.c_str(), path.string().size(), address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

bool MakeReadOnly(const fs::path& path) {
    return MakeReadOnlyFile(path, OldBytes);
}

class RefusedTarget : public testing::TestWithParam<TRefusedTarget> {};

TEST_P(RefusedTarget, IsNamedAndLeftUntouched) {
    const TScratchDir dir;
    const fs::path path = dir.Path() / "game.sav";
    if (!GetParam().Make(path))
        GTEST_SKIP() << "this user may not make " << GetParam().Name;
    // Also through a link: a link is judged by what it leads to.
    const fs::path link = dir.Path() / "link.sav";
    fs::create_symlink("game.sav", link);
    const TFileStatus before = FileStatus(path);
    const std::vector<std::string> names = FileNames(dir.Path());

    for (const fs::path& target : {path, link}) {
        SCOPED_TRACE(target.filename().string());
        try {
            VxReplaceFile(target.string(), NewBytes);
            ADD_FAILURE() << "replaced";
        } catch (const EVxFileError& e) {
            EXPECT_EQ(e.code(), make_error_code(GetParam().Refusal));
            EXPECT_EQ(e.Path(), target.string());
            EXPECT_EQ(std::string(e.what()), target.string() + ": " + e.code().message());
        }
        EXPECT_EQ(FileStatus(path), before);
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(FileNames(dir.Path()), names) << "no temporary file is left";
    }
    if (GetParam().Refusal == TVxFileRefusal::IsReadOnly) {
        EXPECT_EQ(ReadFile<TBytes>(path), OldBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RefusedTarget,
    testing::Values(
        TRefusedTarget{"directory", [](const fs::path& p) { return fs::create_directory(p); },
                       TVxFileRefusal::IsDirectory},
        TRefusedTarget{"fifo", MakeFifo, TVxFileRefusal::IsFifo},
        TRefusedTarget{"characterDevice", MakeFullDevice, TVxFileRefusal::IsCharacterDevice},
        TRefusedTarget{"blockDevice",
                       [](const fs::path& p) {
                           return ::mknod(p.c_str(), S_IFBLK | 0660, makedev(7, 0)) == 0;
                       },
                       TVxFileRefusal::IsBlockDevice},
        TRefusedTarget{"socket", MakeSocket, TVxFileRefusal::IsSocket},
        TRefusedTarget{"readOnly", MakeReadOnly, TVxFileRefusal::IsReadOnly}),
    [](const testing::TestParamInfo<TRefusedTarget>& param) { return param.param.Name; });

// Root may write any file: a file without any write bit is read-only all
// the same, as rm and cp see it.
TEST(VxFileReplace, FileWithoutAnyWriteBitIsReadOnlyEvenForRoot) {
    const TScratchDir dir;
    const fs::path path = dir.Path() / "game.sav";
    WriteFile(path, OldBytes);
    ::chmod(path.c_str(), 0200); // its owner's to write, no one else's
    VxReplaceFile(path.string(), NewBytes);
    ::chmod(path.c_str(), 0);
    try {
        VxReplaceFile(path.string(), OldBytes);
        ADD_FAILURE() << "replaced";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), make_error_code(TVxFileRefusal::IsReadOnly));
    }
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(ReadFile<TBytes>(path), NewBytes);
}

TEST(VxFileReplace, LinkIsFollowedAndKept) {
    const TScratchDir dir;
    // A relative link in one folder to a file in another: the new file is
    // written beside the file, not beside the link.
    fs::create_directories(dir.Path() / "links");
    fs::create_directories(dir.Path() / "saves");
    const fs::path file = dir.Path() / "saves" / "game.sav";
    const fs::path link = dir.Path() / "links" / "game.sav";
    WriteFile(file, OldBytes);
    fs::create_symlink("../saves/game.sav", link);
    // Through a chain of two links.
    const fs::path second = dir.Path() / "second.sav";
    fs::create_symlink(link, second);

    VxReplaceFile(second.string(), NewBytes);

    EXPECT_EQ(ReadFile<TBytes>(file), NewBytes);
    EXPECT_EQ(fs::read_symlink(link), "../saves/game.sav");
    EXPECT_EQ(fs::read_symlink(second), link);
    EXPECT_EQ(FileNames(dir.Path() / "saves"), std::vector<std::string>{"game.sav"});
    EXPECT_EQ(FileNames(dir.Path() / "links"), std::vector<std::string>{"game.sav"});
}

TEST(VxFileReplace, DanglingLinkCreatesItsFileWhereItsFolderIs) {
    const TScratchDir dir;
    const fs::path link = dir.Path() / "game.sav";
    fs::create_symlink("later.sav", link);
    VxReplaceFile(link.string(), NewBytes);
    EXPECT_EQ(ReadFile<TBytes>(dir.Path() / "later.sav"), NewBytes);
    EXPECT_TRUE(fs::is_symlink(link));

    const fs::path nowhere = dir.Path() / "nowhere.sav";
    fs::create_symlink("no-such-folder/x.sav", nowhere);
    try {
        VxReplaceFile(nowhere.string(), NewBytes);
        ADD_FAILURE() << "written";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), std::errc::no_such_file_or_directory);
    }
    EXPECT_EQ(FileNames(dir.Path()),
              (std::vector<std::string>{"game.sav", "later.sav", "nowhere.sav"}));
}

TEST(VxFileReplace, LinkLoopIsRefused) {
    const TScratchDir dir;
    fs::create_symlink("b", dir.Path() / "a");
    fs::create_symlink("a", dir.Path() / "b");
    try {
        VxReplaceFile((dir.Path() / "a").string(), NewBytes);
        ADD_FAILURE() << "written";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), std::errc::too_many_symbolic_link_levels);
    }
    EXPECT_EQ(FileNames(dir.Path()), (std::vector<std::string>{"a", "b"}));
}

TEST(VxFileReplace, ReplacedFileKeepsItsPermissionBits) {
    const TScratchDir dir;
    const fs::path path = dir.Path() / "game.sav";
    WriteFile(path, OldBytes);
    ::chmod(path.c_str(), 0604);
    VxReplaceFile(path.string(), NewBytes);
    EXPECT_EQ(FileStatus(path).Mode & 07777, 0604u);
    EXPECT_EQ(ReadFile<TBytes>(path), NewBytes);
}

// A pid no process has: one of a child that has ended.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// Only names this program makes are swept, and only those of processes
// that have ended: never a file of the user's that merely looks like one.
TEST(VxFileReplace, LeftoversOfEndedProcessesAreSwept) {
    const TScratchDir dir;
    const fs::path path = dir.Path() / "game.sav";
    const std::string dead = std::to_string(EndedProcess());
    const std::string alive = std::to_string(::getppid());
    const std::string self = std::to_string(::getpid());
    const std::string mark = ".game.sav.ridolt-tmp-";
    const std::vector<std::string> kept = {
        "game.sav",
        mark + alive + "-0",                    // a running process's save in progress
        mark + self + "-3",                     // this process's own
        "game.sav." + dead + "-0.tmp",          // the user's, though it reads as an older name
        "game.sav.2024-05.tmp",                 // the user's
        "game.sav.tmp",                         //
        mark + dead + "-x",                     // no attempt number
        mark + dead + "-0.tmp",                 // something after it
        mark + dead,                            // no attempt at all
        mark + "-" + dead + "-0",               // a sign
        mark + "0-0",                           // no process has pid 0
        ".other.sav.ridolt-tmp-" + dead + "-0", // another file's
        "game.sav.ridolt-tmp-" + dead + "-0",   // not hidden: not one of ours
    };
    for (const std::string& name : kept)
        WriteFile(dir.Path() / name, OldBytes);
    for (const std::string& name : {mark + dead + "-0", mark + dead + "-17"})
        WriteFile(dir.Path() / name, OldBytes);

    VxReplaceFile(path.string(), NewBytes);

    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FileNames(dir.Path()), expected);
}

TEST(VxFileReplace, EmptyPathIsRefused) {
    EXPECT_THROW(VxReplaceFile("", NewBytes), std::system_error);
}

} // namespace

// What a file holds, told from its first bytes, and what is refused before
// anything is read: a FIFO, a device or a folder, also behind a link.

#include "game/VxFileKind.h"

#include "game/VxGameSaveData.h"
#include "platform/VxFileRead.h"
#include "tests/support/Files.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string SaveHeader() {
    const auto header = TVxGameSaveData::Default().Bytes();
    return std::string(header.begin(), header.end());
}

struct TKindCase {
    const char* Name;
    std::string Bytes;
    TVxFileKind Kind;
};

void PrintTo(const TKindCase& kind, std::ostream* out) {
    *out << kind.Name;
}

class FileKind : public testing::TestWithParam<TKindCase> {};

TEST_P(FileKind, IsToldFromTheHead) {
    const TScratchDir dir;
    WriteFile(dir.Path() / "file", GetParam().Bytes);
    EXPECT_EQ(VxFileKindAt(dir.File("file")), GetParam().Kind);
}

std::string Repeated(const std::string& text, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i)
        out += text;
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Heads, FileKind,
    testing::Values(
        TKindCase{"empty", "", TVxFileKind::Empty},
        TKindCase{"save", SaveHeader() + std::string(62414 - 382, '\0'), TVxFileKind::Save},
        TKindCase{"saveCutAfterItsHeader", SaveHeader(), TVxFileKind::Save},
        TKindCase{"saveOfAnotherVersion",
                  SaveHeader().replace(376, 4, "1.01") + std::string(100, '\0'),
                  TVxFileKind::OtherProgram},
        TKindCase{"saveHeaderCut", SaveHeader().substr(0, 100), TVxFileKind::OtherProgram},
        TKindCase{"history", "ridolt-history 2\nsave 00\n", TVxFileKind::History},
        TKindCase{"record", "{\"ridolt_sim_record\":2,\"seed\":9}\n< {}\n", TVxFileKind::Record},
        TKindCase{"notes", "my notes\n\tindented\r\n\f", TVxFileKind::Text},
        TKindCase{"japanese", "リドルトのメモ\r\n", TVxFileKind::Text},
        TKindCase{"jsonThatIsNoRecord", "{\"cmd\":\"save\"}\n", TVxFileKind::Text},
        // The head ends in the middle of a character: still text.
        TKindCase{"longTextCutInACharacter", "x" + Repeated("あ", 2000), TVxFileKind::Text},
        TKindCase{"nul", std::string("text\0more", 9), TVxFileKind::OtherProgram},
        TKindCase{"latin1", "caf\xE9\n", TVxFileKind::OtherProgram},
        TKindCase{"overlongSlash", "a\xC0\xAF", TVxFileKind::OtherProgram},
        TKindCase{"surrogate", "a\xED\xA0\x80", TVxFileKind::OtherProgram},
        TKindCase{"elf",
                  std::string("\x7F"
                              "ELF\x02\x01\x01\0",
                              8),
                  TVxFileKind::OtherProgram},
        TKindCase{"png", std::string("\x89PNG\r\n\x1A\n", 8), TVxFileKind::OtherProgram}),
    [](const testing::TestParamInfo<TKindCase>& param) { return param.param.Name; });

// A reader that opened these would wait for a writer or never reach the
// end; the alarm turns a hang into a failure.
TEST(FileRead, WhatIsNoRegularFileIsRefusedUnread) {
    const TScratchDir dir;
    ASSERT_TRUE(MakeFifo(dir.Path() / "fifo"));
    fs::create_directory(dir.Path() / "folder");
    fs::create_symlink("/dev/zero", dir.Path() / "device");
    fs::create_symlink("fifo", dir.Path() / "linkToFifo");
    const std::pair<const char*, TVxFileRefusal> refused[] = {
        {"fifo", TVxFileRefusal::IsFifo},
        {"linkToFifo", TVxFileRefusal::IsFifo},
        {"folder", TVxFileRefusal::IsDirectory},
        {"device", TVxFileRefusal::IsCharacterDevice},
    };
    ::alarm(10);
    for (const auto& [name, refusal] : refused) {
        SCOPED_TRACE(name);
        try {
            VxReadFile(dir.File(name), 100);
            ADD_FAILURE() << "read";
        } catch (const EVxFileError& e) {
            EXPECT_EQ(e.code(), make_error_code(refusal));
            EXPECT_EQ(e.Path(), dir.File(name));
        }
        EXPECT_THROW(VxFileKindAt(dir.File(name)), EVxFileError);
    }
    ::alarm(0);
}

TEST(FileRead, ReadsAtMostOneByteBeyondItsLimit) {
    const TScratchDir dir;
    WriteFile(dir.Path() / "file", std::string(10000, 'x'));
    EXPECT_EQ(VxReadFile(dir.File("file"), 20000).size(), 10000u);
    EXPECT_EQ(VxReadFile(dir.File("file"), 10000).size(), 10000u);
    EXPECT_EQ(VxReadFile(dir.File("file"), 100).size(), 101u);
    EXPECT_EQ(VxReadFileIfAny(dir.File("missing"), 100), std::nullopt);
    fs::create_symlink("missing", dir.Path() / "dangling");
    EXPECT_EQ(VxReadFileIfAny(dir.File("dangling"), 100), std::nullopt);
    EXPECT_THROW(VxReadFile(dir.File("missing"), 100), EVxFileError);
}

// Each writer keeps to its own kind; an empty file, as mktemp leaves one,
// holds nothing to lose.
TEST(FileKind, AWriterReplacesOnlyItsOwnKindOrAnEmptyFile) {
    const TScratchDir dir;
    WriteFile(dir.Path() / "notes.txt", "my notes\n");
    WriteFile(dir.Path() / "empty", "");
    WriteFile(dir.Path() / "record", "{\"ridolt_sim_record\":2,\"seed\":1}\n");
    fs::create_symlink("notes.txt", dir.Path() / "link");
    EXPECT_NO_THROW(VxRequireKindAt(dir.File("missing"), TVxFileKind::Save));
    EXPECT_NO_THROW(VxRequireKindAt(dir.File("empty"), TVxFileKind::Save));
    EXPECT_NO_THROW(VxRequireKindAt(dir.File("record"), TVxFileKind::Record));
    const std::pair<const char*, TVxKindRefusal> refused[] = {
        {"notes.txt", TVxKindRefusal::IsTextFile},
        {"link", TVxKindRefusal::IsTextFile},
        {"record", TVxKindRefusal::IsRecord},
    };
    for (const auto& [name, refusal] : refused) {
        SCOPED_TRACE(name);
        try {
            VxRequireKindAt(dir.File(name), TVxFileKind::Save);
            ADD_FAILURE() << "accepted";
        } catch (const EVxFileError& e) {
            EXPECT_EQ(e.code(), make_error_code(refusal));
            EXPECT_EQ(std::string(e.what()), dir.File(name) + ": " + e.code().message());
        }
    }
    EXPECT_EQ(make_error_code(TVxKindRefusal::IsTextFile).message(), "is a text file");
}

} // namespace

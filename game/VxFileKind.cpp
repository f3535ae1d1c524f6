#include "game/VxFileKind.h"

#include "game/VxGameSaveData.h"
#include "platform/VxFileRead.h"

#include <algorithm>

namespace {

constexpr std::string_view HistoryOpening = "ridolt-history ";

bool BeginsWith(std::span<const uint8_t> bytes, std::string_view opening) {
    return bytes.size() >= opening.size() &&
           std::equal(opening.begin(), opening.end(), bytes.begin(),
                      [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

bool IsTextControl(uint8_t c) {
    return c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1B;
}

// The number of bytes of the UTF-8 sequence that begins at `bytes`, or 0
// when none does.  A sequence cut by the end of `bytes` counts as whole:
// the head of a file may end in the middle of a character.
size_t Utf8Length(std::span<const uint8_t> bytes) {
    const uint8_t lead = bytes[0];
    size_t length = 0;
    uint8_t low = 0x80;
    uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    for (size_t i = 1; i < length && i < bytes.size(); ++i) {
        if (bytes[i] < (i == 1 ? low : 0x80) || bytes[i] > (i == 1 ? high : 0xBF))
            return 0;
    }
    return std::min(length, bytes.size());
}

bool IsText(std::span<const uint8_t> bytes) {
    for (size_t at = 0; at < bytes.size();) {
        const uint8_t c = bytes[at];
        if (c < 0x80) {
            if ((c < 0x20 && !IsTextControl(c)) || c == 0x7F)
                return false;
            ++at;
            continue;
        }
        const size_t length = Utf8Length(bytes.subspan(at));
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

class TKindRefusalCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "file content"; }
    std::string message(int code) const override {
        switch (static_cast<TVxKindRefusal>(code)) {
        case TVxKindRefusal::IsSaveFile:
            return "is a save file of Ridolt";
        case TVxKindRefusal::IsHistoryFile:
            return "is a history file of Ridolt";
        case TVxKindRefusal::IsRecord:
            return "is a record of ridolt-sim serve";
        case TVxKindRefusal::IsTextFile:
            return "is a text file";
        case TVxKindRefusal::IsOtherProgramsFile:
            return "is another program's file";
        case TVxKindRefusal::IsLoadedSave:
            return "is the save file the session loaded";
        }
        return "is no file of this kind";
    }
};

} // namespace

TVxFileKind VxFileKindOf(std::span<const uint8_t> head) {
    if (head.empty())
        return TVxFileKind::Empty;
    const auto header = TVxGameSaveData::Default().Bytes();
    if (head.size() >= header.size() && std::equal(header.begin(), header.end(), head.begin()))
        return TVxFileKind::Save;
    if (BeginsWith(head, HistoryOpening))
        return TVxFileKind::History;
    if (BeginsWith(head, VxRecordOpening))
        return TVxFileKind::Record;
    if (IsText(head.first(std::min(head.size(), VxFileKindHeadSize))))
        return TVxFileKind::Text;
    return TVxFileKind::OtherProgram;
}

const std::error_category& VxKindRefusalCategory() {
    static const TKindRefusalCategory category;
    return category;
}

std::error_code make_error_code(TVxKindRefusal refusal) {
    return {static_cast<int>(refusal), VxKindRefusalCategory()};
}

TVxKindRefusal VxRefusalOfKind(TVxFileKind kind) {
    switch (kind) {
    case TVxFileKind::Save:
        return TVxKindRefusal::IsSaveFile;
    case TVxFileKind::History:
        return TVxKindRefusal::IsHistoryFile;
    case TVxFileKind::Record:
        return TVxKindRefusal::IsRecord;
    case TVxFileKind::Text:
        return TVxKindRefusal::IsTextFile;
    case TVxFileKind::Empty:
    case TVxFileKind::OtherProgram:
        break;
    }
    return TVxKindRefusal::IsOtherProgramsFile;
}

std::optional<TVxFileKind> VxFileKindAt(const std::string& path) {
    const std::optional<std::vector<uint8_t>> head = VxReadFileIfAny(path, VxFileKindHeadSize);
    if (!head)
        return std::nullopt;
    return VxFileKindOf(*head);
}

void VxRequireKind(const std::string& path, const std::optional<std::vector<uint8_t>>& bytes,
                   TVxFileKind kind) {
    if (!bytes)
        return;
    const TVxFileKind found = VxFileKindOf(*bytes);
    if (found != TVxFileKind::Empty && found != kind)
        throw EVxFileError(VxRefusalOfKind(found), path);
}

void VxRequireKindAt(const std::string& path, TVxFileKind kind) {
    VxRequireKind(path, VxReadFileIfAny(path, VxFileKindHeadSize), kind);
}

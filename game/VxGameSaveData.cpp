#include "game/VxGameSaveData.h"

#include <algorithm>

namespace {

template <size_t N> void CopyText(std::array<uint8_t, N>& field, std::string_view text) {
    field.fill(0);
    const size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), length, field.begin());
}

} // namespace

TVxGameSaveData TVxGameSaveData::Default() {
    TVxGameSaveData data;
    CopyText(data.Maker, "Tovric");
    // リドルト in Shift_JIS (code page 932).
    CopyText(data.Title, "\x83\x8A\x83\x68\x83\x8B\x83\x67");
    CopyText(data.Version, "1.00");
    return data;
}

void TVxGameSaveData::SetComment(std::string_view text) {
    CopyText(Comment, text);
}

std::array<uint8_t, TVxGameSaveData::Size> TVxGameSaveData::Bytes() const {
    std::array<uint8_t, Size> bytes{};
    auto out = std::copy(Maker.begin(), Maker.end(), bytes.begin());
    out = std::copy(Title.begin(), Title.end(), out);
    out = std::copy(Comment.begin(), Comment.end(), out);
    std::copy(Version.begin(), Version.end(), out);
    return bytes;
}

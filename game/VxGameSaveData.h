#pragma once

// The fixed 382-byte header that opens every save file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

struct TVxGameSaveData {
    static constexpr size_t MakerSize = 20;
    static constexpr size_t TitleSize = 100;
    static constexpr size_t CommentSize = 256;
    static constexpr size_t VersionSize = 6;
    static constexpr size_t Size = MakerSize + TitleSize + CommentSize + VersionSize;

    std::array<uint8_t, MakerSize> Maker{};
    std::array<uint8_t, TitleSize> Title{};
    std::array<uint8_t, CommentSize> Comment{};
    std::array<uint8_t, VersionSize> Version{};

    // The header this program writes: "Tovric", リドルト in Shift_JIS, an
    // empty comment and "1.00".
    static TVxGameSaveData Default();

    // Fills Comment from `text`, zero-padded and cut to leave a final zero.
    void SetComment(std::string_view text);

    std::array<uint8_t, Size> Bytes() const;
};

static_assert(TVxGameSaveData::Size == 382);

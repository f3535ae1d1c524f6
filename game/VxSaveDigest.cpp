#include "game/VxSaveDigest.h"

#include <nettle/sha2.h>

static_assert(SHA256_DIGEST_SIZE == std::tuple_size_v<TVxSaveDigest>);

namespace {

constexpr std::string_view HexDigits = "0123456789abcdef";

} // namespace

TVxSaveDigest VxSaveDigest(std::span<const uint8_t> saveBytes) {
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, saveBytes.size(), saveBytes.data());
    TVxSaveDigest digest{};
    sha256_digest(&context, digest.size(), digest.data());
    return digest;
}

std::string VxDigestText(const TVxSaveDigest& digest) {
    std::string text;
    text.reserve(2 * digest.size());
    for (const uint8_t byte : digest) {
        text += HexDigits[byte >> 4];
        text += HexDigits[byte & 0xF];
    }
    return text;
}

std::optional<TVxSaveDigest> VxParseDigest(std::string_view text) {
    TVxSaveDigest digest{};
    if (text.size() != 2 * digest.size())
        return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t value = HexDigits.find(text[i]);
        if (value == std::string_view::npos)
            return std::nullopt;
        digest[i / 2] = static_cast<uint8_t>(digest[i / 2] << 4 | value);
    }
    return digest;
}

#pragma once

// The digest of a save file's bytes, by which its history names the save
// it was written for (VxGameHistoryFile.h).  SHA-256, from Nettle: a
// history is adopted on it, so two saves must never share one by chance
// or by design, which a checksum or a short hash could not promise.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

using TVxSaveDigest = std::array<uint8_t, 32>;

TVxSaveDigest VxSaveDigest(std::span<const uint8_t> saveBytes);

// The digest in lower-case hex, 64 characters, and back; nothing for a
// text that is not one.
std::string VxDigestText(const TVxSaveDigest& digest);
std::optional<TVxSaveDigest> VxParseDigest(std::string_view text);

#include "game/VxStream.h"

#include <algorithm>

EReadError::EReadError() : std::runtime_error("read past the end of the data") {}

void TVxWriteStream::Write(std::span<const uint8_t> bytes) {
    FBytes.insert(FBytes.end(), bytes.begin(), bytes.end());
}

void TVxWriteStream::WriteInt16(int16_t value) {
    const auto bits = static_cast<uint16_t>(value);
    const uint8_t bytes[2] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8)};
    Write(bytes);
}

void TVxWriteStream::WriteInt32(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    const uint8_t bytes[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                              static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
    Write(bytes);
}

void TVxReadStream::Read(std::span<uint8_t> bytes) {
    if (bytes.size() > Remaining())
        throw EReadError();
    std::copy_n(FBytes.begin() + static_cast<std::ptrdiff_t>(FPosition), bytes.size(),
                bytes.begin());
    FPosition += bytes.size();
}

int16_t TVxReadStream::ReadInt16() {
    uint8_t b[2];
    Read(b);
    return static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
}

int32_t TVxReadStream::ReadInt32() {
    uint8_t b[4];
    Read(b);
    return static_cast<int32_t>(uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) |
                                (uint32_t{b[3]} << 24));
}

#pragma once

// In-memory byte streams for the save file.  Integers are written and read
// little-endian whatever the host; a read past the end throws EReadError.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

class EReadError : public std::runtime_error {
public:
    EReadError();
};

class TVxWriteStream {
public:
    void Write(std::span<const uint8_t> bytes);
    void WriteInt16(int16_t value);
    void WriteInt32(int32_t value);

    const std::vector<uint8_t>& Bytes() const { return FBytes; }

private:
    std::vector<uint8_t> FBytes;
};

class TVxReadStream {
public:
    explicit TVxReadStream(std::span<const uint8_t> bytes) : FBytes(bytes) {}

    void Read(std::span<uint8_t> bytes);
    int16_t ReadInt16();
    int32_t ReadInt32();

    size_t Position() const { return FPosition; }
    size_t Size() const { return FBytes.size(); }
    size_t Remaining() const { return FBytes.size() - FPosition; }

private:
    std::span<const uint8_t> FBytes;
    size_t FPosition = 0;
};

#include "sim/VxSimJson.h"

#include <cmath>
#include <cstdio>

namespace {

// Length of the UTF-8 sequence that starts at `text[i]`, or 0 when the
// bytes there are no well-formed sequence (overlong forms and surrogates
// included).
size_t Utf8SequenceLength(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) {
        return static_cast<unsigned char>(text[k]);
    };
    const unsigned char lead = byte(i);
    size_t length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return length;
}

// Where the first byte at or after `i` that begins no well-formed sequence
// is; npos when there is none.
size_t FirstInvalidByte(std::string_view text, size_t i) {
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t length = Utf8SequenceLength(text, i);
        if (length == 0)
            return i;
        i += length;
    }
    return std::string_view::npos;
}

} // namespace

bool VxSimIsUtf8(std::string_view text) {
    return FirstInvalidByte(text, 0) == std::string_view::npos;
}

std::string VxSimValidUtf8(std::string_view text) {
    std::string out;
    size_t copied = 0; // text before this is in `out` already
    for (size_t i = FirstInvalidByte(text, 0); i != std::string_view::npos;
         i = FirstInvalidByte(text, copied)) {
        out.append(text.substr(copied, i - copied));
        out += "\xEF\xBF\xBD";
        copied = i + 1;
    }
    out.append(text.substr(copied));
    return out;
}

TVxSimJsonWriter::TVxSimJsonWriter(bool pretty) {
    if (pretty) {
        FPretty.emplace(FBuffer);
        FPretty->SetIndent(' ', 2);
    } else {
        FCompact.emplace(FBuffer);
    }
}

template <typename Write> void TVxSimJsonWriter::Emit(Write write) {
    if (FLineDepth > 0)
        write(FLine);
    else if (FPretty)
        write(*FPretty);
    else
        write(*FCompact);
}

void TVxSimJsonWriter::Begin(bool object, bool oneLine) {
    if (FLineDepth == 0 && oneLine && FPretty) {
        FLineBuffer.Clear();
        FLine.Reset(FLineBuffer);
    }
    if (FLineDepth > 0 || (oneLine && FPretty))
        ++FLineDepth;
    Emit([object](auto& writer) { object ? writer.StartObject() : writer.StartArray(); });
}

void TVxSimJsonWriter::End(bool object) {
    Emit([object](auto& writer) { object ? writer.EndObject() : writer.EndArray(); });
    if (FLineDepth > 0 && --FLineDepth == 0)
        FPretty->RawValue(FLineBuffer.GetString(), FLineBuffer.GetSize(),
                          object ? rapidjson::kObjectType : rapidjson::kArrayType);
}

void TVxSimJsonWriter::BeginObject(bool oneLine) {
    Begin(true, oneLine);
}

void TVxSimJsonWriter::EndObject() {
    End(true);
}

void TVxSimJsonWriter::BeginArray(bool oneLine) {
    Begin(false, oneLine);
}

void TVxSimJsonWriter::EndArray() {
    End(false);
}

void TVxSimJsonWriter::Key(std::string_view name) {
    const std::string valid = VxSimValidUtf8(name);
    Emit([&](auto& writer) {
        writer.Key(valid.data(), static_cast<rapidjson::SizeType>(valid.size()));
    });
}

void TVxSimJsonWriter::String(std::string_view value) {
    const std::string valid = VxSimValidUtf8(value);
    Emit([&](auto& writer) {
        writer.String(valid.data(), static_cast<rapidjson::SizeType>(valid.size()));
    });
}

void TVxSimJsonWriter::Number(int64_t value) {
    Emit([value](auto& writer) { writer.Int64(value); });
}

void TVxSimJsonWriter::Number(uint64_t value) {
    Emit([value](auto& writer) { writer.Uint64(value); });
}

void TVxSimJsonWriter::Number(double value, int decimals) {
    // The library writes the shortest form that reads back as the same
    // double ("0.5"); a fixed number of decimals ("0.5000") is written here
    // and passed through.  JSON has no NaN or infinity; nothing the
    // simulator computes is either, but a null keeps the output parseable.
    char buffer[64];
    const int length = std::isfinite(value)
                           ? std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value)
                           : std::snprintf(buffer, sizeof buffer, "null");
    const auto type = std::isfinite(value) ? rapidjson::kNumberType : rapidjson::kNullType;
    Emit([&](auto& writer) { writer.RawValue(buffer, static_cast<size_t>(length), type); });
}

void TVxSimJsonWriter::Bool(bool value) {
    Emit([value](auto& writer) { writer.Bool(value); });
}

std::string_view TVxSimJsonWriter::Text() const {
    return {FBuffer.GetString(), FBuffer.GetSize()};
}

void TVxSimJsonWriter::Clear() {
    FBuffer.Clear();
    FLineDepth = 0;
    if (FPretty)
        FPretty->Reset(FBuffer);
    else
        FCompact->Reset(FBuffer);
}

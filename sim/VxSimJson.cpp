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

} // namespace

std::string VxSimJsonQuote(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const size_t length = Utf8SequenceLength(text, i);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    out += '"';
    return out;
}

void TVxSimJsonWriter::NewLine(size_t depth) {
    FText += '\n';
    FText.append(depth * 2, ' ');
}

void TVxSimJsonWriter::BeforeValue() {
    if (FAfterKey) {
        FAfterKey = false;
        return;
    }
    if (FLevels.empty())
        return;
    TLevel& level = FLevels.back();
    if (level.HasValue)
        FText += ',';
    level.HasValue = true;
    if (FPretty && !level.OneLine)
        NewLine(FLevels.size());
}

void TVxSimJsonWriter::Begin(char bracket, bool oneLine) {
    BeforeValue();
    FText += bracket;
    const bool insideOneLine = !FLevels.empty() && FLevels.back().OneLine;
    FLevels.push_back({false, oneLine || insideOneLine});
}

void TVxSimJsonWriter::End(char bracket) {
    const TLevel level = FLevels.back();
    FLevels.pop_back();
    if (FPretty && !level.OneLine && level.HasValue)
        NewLine(FLevels.size());
    FText += bracket;
}

void TVxSimJsonWriter::BeginObject(bool oneLine) {
    Begin('{', oneLine);
}

void TVxSimJsonWriter::EndObject() {
    End('}');
}

void TVxSimJsonWriter::BeginArray(bool oneLine) {
    Begin('[', oneLine);
}

void TVxSimJsonWriter::EndArray() {
    End(']');
}

void TVxSimJsonWriter::Key(std::string_view name) {
    BeforeValue();
    FText += VxSimJsonQuote(name);
    FText += FPretty && !FLevels.back().OneLine ? ": " : ":";
    FAfterKey = true;
}

void TVxSimJsonWriter::String(std::string_view value) {
    BeforeValue();
    FText += VxSimJsonQuote(value);
}

void TVxSimJsonWriter::Number(int64_t value) {
    BeforeValue();
    FText += std::to_string(value);
}

void TVxSimJsonWriter::Number(uint64_t value) {
    BeforeValue();
    FText += std::to_string(value);
}

void TVxSimJsonWriter::Number(double value, int decimals) {
    BeforeValue();
    // JSON has no NaN or infinity; nothing the simulator computes is either,
    // but a null keeps the output parseable if one ever slips through.
    if (!std::isfinite(value)) {
        FText += "null";
        return;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    FText += buffer;
}

void TVxSimJsonWriter::Bool(bool value) {
    BeforeValue();
    FText += value ? "true" : "false";
}

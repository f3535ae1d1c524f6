#pragma once

// The simulator's JSON output, written with RapidJSON.  One value at a time
// goes into a string; the library takes care of commas, escaping and
// indentation, and the caller keeps the nesting straight.  On top of the
// library's two layouts this writer keeps chosen containers of a pretty
// document on one line, and writes fractions with a fixed number of
// decimals.

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// `text` with every byte sequence that is not well-formed UTF-8 (overlong
// forms and surrogates included) replaced by U+FFFD, so that any text can be
// written as a JSON string.
std::string VxSimValidUtf8(std::string_view text);
// Whether `text` is well-formed UTF-8 throughout.
bool VxSimIsUtf8(std::string_view text);

class TVxSimJsonWriter {
public:
    // A pretty writer puts every member and element on a line of its own,
    // indented by two spaces a level, except inside containers begun as
    // `oneLine`.
    explicit TVxSimJsonWriter(bool pretty = false);
    TVxSimJsonWriter(const TVxSimJsonWriter&) = delete;
    TVxSimJsonWriter& operator=(const TVxSimJsonWriter&) = delete;

    void BeginObject(bool oneLine = false);
    void EndObject();
    void BeginArray(bool oneLine = false);
    void EndArray();
    // The name of the next member of the current object.
    void Key(std::string_view name);
    // Bytes that are not UTF-8 are written as U+FFFD.
    void String(std::string_view value);
    void Number(int64_t value);
    void Number(uint64_t value);
    void Number(int32_t value) { Number(int64_t{value}); }
    void Number(double value, int decimals);
    void Bool(bool value);

    // The document so far; complete once every container is ended.
    std::string_view Text() const;
    // Starts a new document in the same buffer.
    void Clear();

private:
    using TCompact = rapidjson::Writer<rapidjson::StringBuffer>;
    using TPretty = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

    // Runs `write` on the writer that takes the next value.
    template <typename Write> void Emit(Write write);
    void Begin(bool object, bool oneLine);
    void End(bool object);

    rapidjson::StringBuffer FBuffer;
    std::optional<TCompact> FCompact;
    std::optional<TPretty> FPretty;
    // A one-line container of a pretty document is written compactly here
    // and handed to the pretty writer whole.
    rapidjson::StringBuffer FLineBuffer;
    TCompact FLine;
    int32_t FLineDepth = 0;
};

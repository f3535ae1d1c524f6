#pragma once

// A small JSON writer for the simulator's output.  It writes one value at a
// time into a string and takes care of commas, escaping and, when asked,
// indentation; the caller keeps the nesting straight.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// `text` as a JSON string literal, quotes included.  The text is taken as
// UTF-8 and passed through; control characters, quotes and backslashes are
// escaped, and so are bytes that are not valid UTF-8 (as U+FFFD), so the
// output is always valid JSON.
std::string VxSimJsonQuote(std::string_view text);

class TVxSimJsonWriter {
public:
    // A pretty writer puts every member and element on a line of its own,
    // indented by nesting, except inside containers begun as `oneLine`.
    explicit TVxSimJsonWriter(bool pretty = false) : FPretty(pretty) {}

    void BeginObject(bool oneLine = false);
    void EndObject();
    void BeginArray(bool oneLine = false);
    void EndArray();
    // The name of the next member of the current object.
    void Key(std::string_view name);
    void String(std::string_view value);
    void Number(int64_t value);
    void Number(uint64_t value);
    void Number(int32_t value) { Number(int64_t{value}); }
    void Number(double value, int decimals);
    void Bool(bool value);

    const std::string& Text() const { return FText; }

private:
    struct TLevel {
        bool HasValue = false; // the next value needs a comma
        bool OneLine = false;
    };

    void BeforeValue();
    void Begin(char bracket, bool oneLine);
    void End(char bracket);
    void NewLine(size_t depth);

    bool FPretty;
    std::string FText;
    std::vector<TLevel> FLevels;
    bool FAfterKey = false;
};

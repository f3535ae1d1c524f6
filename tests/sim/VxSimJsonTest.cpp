// The JSON writer: any text, bytes that are not UTF-8 included, gives a
// valid string; commas and indentation of nested values.

#include "sim/VxSimJson.h"

#include <gtest/gtest.h>

namespace {

struct TQuoteCase {
    std::string Text;
    std::string Json;
};

void PrintTo(const TQuoteCase& quote, std::ostream* out) {
    *out << quote.Json;
}

class JsonString : public testing::TestWithParam<TQuoteCase> {};

TEST_P(JsonString, EscapesWhatJsonForbidsAndRepairsWhatIsNotUtf8) {
    TVxSimJsonWriter json;
    json.String(GetParam().Text);
    EXPECT_EQ(json.Text(), GetParam().Json);
}

const std::string Replacement = "\xEF\xBF\xBD"; // U+FFFD

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonString,
    testing::Values(TQuoteCase{"", "\"\""}, TQuoteCase{"plain", "\"plain\""},
                    TQuoteCase{"a\"b\\c", "\"a\\\"b\\\\c\""}, TQuoteCase{"\r\n\t", "\"\\r\\n\\t\""},
                    TQuoteCase{std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001F\x7f\""},
                    TQuoteCase{std::string("nul\0x", 5), "\"nul\\u0000x\""},
                    TQuoteCase{"3年目1月", "\"3年目1月\""},
                    TQuoteCase{"\xF0\x9F\x92\xB4", "\"\xF0\x9F\x92\xB4\""},
                    // Shift_JIS リ, a lone continuation byte, a cut-off
                    // sequence, an overlong slash and a surrogate
                    TQuoteCase{"\x83\x8A", "\"" + Replacement + Replacement + "\""},
                    TQuoteCase{"a\x80z", "\"a" + Replacement + "z\""},
                    TQuoteCase{"\xE5\xB9", "\"" + Replacement + Replacement + "\""},
                    TQuoteCase{"\xC0\xAF", "\"" + Replacement + Replacement + "\""},
                    TQuoteCase{"\xED\xA0\x80",
                               "\"" + Replacement + Replacement + Replacement + "\""}));

void WriteSample(TVxSimJsonWriter& json) {
    json.BeginObject();
    json.Key("a");
    json.Number(int64_t{-1});
    json.Key("list");
    json.BeginArray();
    json.Number(uint64_t{18446744073709551615ULL});
    json.BeginObject(true);
    json.Key("x");
    json.Bool(true);
    json.Key("y");
    json.BeginArray();
    json.Number(1);
    json.Number(2);
    json.EndArray();
    json.EndObject();
    json.BeginArray();
    json.EndArray();
    json.EndArray();
    json.Key("rate");
    json.Number(0.125, 2);
    json.Key("s");
    json.String("t");
    json.EndObject();
}

TEST(JsonWriter, CompactPutsCommasBetweenValuesOnly) {
    TVxSimJsonWriter json;
    WriteSample(json);
    EXPECT_EQ(json.Text(), "{\"a\":-1,\"list\":[18446744073709551615,{\"x\":true,\"y\":[1,2]},[]],"
                           "\"rate\":0.12,\"s\":\"t\"}");
}

TEST(JsonWriter, PrettyIndentsAllButOneLineContainers) {
    TVxSimJsonWriter json(true);
    WriteSample(json);
    EXPECT_EQ(json.Text(), "{\n"
                           "  \"a\": -1,\n"
                           "  \"list\": [\n"
                           "    18446744073709551615,\n"
                           "    {\"x\":true,\"y\":[1,2]},\n"
                           "    []\n"
                           "  ],\n"
                           "  \"rate\": 0.12,\n"
                           "  \"s\": \"t\"\n"
                           "}");
}

TEST(JsonWriter, ClearStartsANewDocumentInsideAOneLineContainer) {
    TVxSimJsonWriter json(true);
    json.BeginArray();
    json.BeginObject(true);
    json.Key("x");
    json.Clear();
    json.BeginArray();
    json.Number(7);
    json.EndArray();
    EXPECT_EQ(json.Text(), "[\n  7\n]");
}

} // namespace

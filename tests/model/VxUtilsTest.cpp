#include "game/VxUtils.h"

#include <gtest/gtest.h>

namespace {

struct TKanjiCase {
    int32_t Value;
    const char* Man;
    const char* Int;
    const char* ManPlus;
    const char* IntPlus;
};

const TKanjiCase KanjiCases[] = {
    {0, "0", "0", "0", "0"},
    {5, "5万", "5", "+5万", "+5"},
    {30, "30万", "30", "+30万", "+30"},
    {3000, "3000万", "3000", "+3000万", "+3000"},
    {9999, "9999万", "9999", "+9999万", "+9999"},
    {10000, "1億", "1万", "+1億", "+1万"},
    {10001, "1億1万", "1万1", "+1億1万", "+1万1"},
    {12345, "1億2345万", "1万2345", "+1億2345万", "+1万2345"},
    {30000000, "3000億", "3000万", "+3000億", "+3000万"},
    {100000000, "1兆", "1億", "+1兆", "+1億"},
    {100000001, "1兆1万", "1億1", "+1兆1万", "+1億1"},
    {100010000, "1兆1億", "1億1万", "+1兆1億", "+1億1万"},
    {123456789, "1兆2345億6789万", "1億2345万6789", "+1兆2345億6789万", "+1億2345万6789"},
    {-5000, "-5000万", "-5000", "-5000万", "-5000"},
    {-12345, "-1億2345万", "-1万2345", "-1億2345万", "-1万2345"},
    {2147483647, "21兆4748億3647万", "21億4748万3647", "+21兆4748億3647万", "+21億4748万3647"},
    {-2147483647, "-21兆4748億3647万", "-21億4748万3647", "-21兆4748億3647万", "-21億4748万3647"},
    // The magnitude of the most negative value is taken in 64 bits.
    {INT32_MIN, "-21兆4748億3648万", "-21億4748万3648", "-21兆4748億3648万", "-21億4748万3648"},
};

TEST(KanjiStr, WorkedExamples) {
    for (const TKanjiCase& c : KanjiCases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(ManToKanjiStr(c.Value, false), c.Man);
        EXPECT_EQ(IntToKanjiStr(c.Value, false), c.Int);
        EXPECT_EQ(ManToKanjiStr(c.Value, true), c.ManPlus);
        EXPECT_EQ(IntToKanjiStr(c.Value, true), c.IntPlus);
    }
}

// Sums of money pass 32 bits; only the 兆 group grows.
struct TMan64Case {
    int64_t Value;
    bool ShowPlus;
    const char* Man;
};

const TMan64Case Man64Cases[] = {
    {2147483648, false, "21兆4748億3648万"},  {2147483648, true, "+21兆4748億3648万"},
    {-2147483649, true, "-21兆4748億3649万"}, {500000000000, false, "5000兆"},
    {-300000000001, false, "-3000兆1万"},     {1234567890123, true, "+12345兆6789億123万"},
};

TEST(KanjiStr, MoneyBeyond32Bits) {
    for (const TMan64Case& c : Man64Cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(ManToKanjiStr(c.Value, c.ShowPlus), c.Man);
    }
}

} // namespace

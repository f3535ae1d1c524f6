// The English amounts and calendar beside the Japanese ones: the same
// values as VxUtilsTest's tables, written to the same yen.

#include "game/VxEnglishUtils.h"
#include "game/VxUtils.h"

#include <gtest/gtest.h>

namespace {

struct TYenCase {
    int64_t Value;
    const char* Man;     // the value in 万, as yen
    const char* Yen;     // the value in yen
    const char* ManPlus; // with showPlus
    const char* YenPlus;
};

const TYenCase YenCases[] = {
    {0, "¥0", "¥0", "¥0", "¥0"},
    {5, "¥50,000", "¥5", "+¥50,000", "+¥5"},
    {999, "¥9,990,000", "¥999", "+¥9,990,000", "+¥999"},
    {1000, "¥10,000,000", "¥1,000", "+¥10,000,000", "+¥1,000"},
    {1906, "¥19,060,000", "¥1,906", "+¥19,060,000", "+¥1,906"},
    {3000, "¥30,000,000", "¥3,000", "+¥30,000,000", "+¥3,000"},
    {10001, "¥100,010,000", "¥10,001", "+¥100,010,000", "+¥10,001"},
    {30000000, "¥300,000,000,000", "¥30,000,000", "+¥300,000,000,000", "+¥30,000,000"},
    {-5000, "-¥50,000,000", "-¥5,000", "-¥50,000,000", "-¥5,000"},
    {-12345, "-¥123,450,000", "-¥12,345", "-¥123,450,000", "-¥12,345"},
    {INT32_MAX, "¥21,474,836,470,000", "¥2,147,483,647", "+¥21,474,836,470,000", "+¥2,147,483,647"},
    {INT32_MIN, "-¥21,474,836,480,000", "-¥2,147,483,648", "-¥21,474,836,480,000",
     "-¥2,147,483,648"},
    // 兆 amounts: 379兆8582億8800万円.
    {379858288, "¥3,798,582,880,000", "¥379,858,288", "+¥3,798,582,880,000", "+¥379,858,288"},
    // Yen past 64 bits are written all the same.
    {INT64_MIN, "-¥92,233,720,368,547,758,080,000", "-¥9,223,372,036,854,775,808",
     "-¥92,233,720,368,547,758,080,000", "-¥9,223,372,036,854,775,808"},
};

TEST(EnglishYenStr, WorkedExamples) {
    for (const TYenCase& c : YenCases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(ManToYenStr(c.Value, false), c.Man);
        EXPECT_EQ(YenStr(c.Value, false), c.Yen);
        EXPECT_EQ(ManToYenStr(c.Value, true), c.ManPlus);
        EXPECT_EQ(YenStr(c.Value, true), c.YenPlus);
    }
}

// The English and the Japanese amount tell the same number of yen.
TEST(EnglishYenStr, SameYenAsTheJapanese) {
    const struct {
        int64_t Man;
        const char* Kanji;
        const char* English;
    } cases[] = {
        {379858288, "3兆7985億8288万", "¥3,798,582,880,000"},
        {100000001, "1兆1万", "¥1,000,000,010,000"},
        {-30, "-30万", "-¥300,000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Man);
        EXPECT_EQ(ManToKanjiStr(c.Man, false), c.Kanji);
        EXPECT_EQ(ManToYenStr(c.Man, false), c.English);
    }
}

TEST(EnglishCalendarText, CountsFromOne) {
    const struct {
        int32_t Year;
        int32_t Month;
        const char* Japanese;
        const char* English;
    } cases[] = {
        {0, 0, "1年目1月", "Year 1, Month 1"},
        {2, 6, "3年目7月", "Year 3, Month 7"},
        {41, 11, "42年目12月", "Year 42, Month 12"},
        {INT32_MAX, 0, "2147483648年目1月", "Year 2147483648, Month 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.English);
        EXPECT_EQ(CalendarText(c.Year, c.Month), c.Japanese);
        EXPECT_EQ(EnglishCalendarText(c.Year, c.Month), c.English);
    }
}

} // namespace

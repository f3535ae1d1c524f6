// `inspect`: a save file written by the game shown with the game's values,
// and every kind of refused file explained.

#include "game/VxGameHistory.h"
#include "game/VxUtils.h"
#include "sim/VxSimGame.h"
#include "tests/sim/SimTestSupport.h"
#include "tests/support/Files.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

namespace {

std::string CompanyLine(const TVxCompany& company) {
    std::string prices;
    for (const int32_t price : company.PriceHistory.Values())
        prices += (prices.empty() ? "" : ",") + std::to_string(price);
    return "    {\"id\":" + std::to_string(company.ID) +
           ",\"trend\":" + std::to_string(company.Trend) +
           ",\"price\":" + std::to_string(company.StockPrice()) +
           ",\"shares\":" + std::to_string(company.MyStockCount) +
           ",\"cost\":" + std::to_string(company.MyStockCost) + ",\"prices\":[" + prices + "]}";
}

std::string HoldingLine(const TVxCompany& company) {
    return "    {\"id\":" + std::to_string(company.ID) +
           ",\"shares\":" + std::to_string(company.MyStockCount) +
           ",\"cost\":" + std::to_string(company.MyStockCost) +
           ",\"average_price\":" + std::to_string(company.MyStockPriceBuyingAverage()) +
           ",\"price\":" + std::to_string(company.StockPrice()) +
           ",\"value\":" + std::to_string(company.MyStockValue()) + "}";
}

std::string HistoryMonthLine(const TVxHistoryMonth& month) {
    return "      {\"shown\":\"" + CalendarText(month.Year, month.Month) +
           "\",\"year\":" + std::to_string(month.Year) +
           ",\"month\":" + std::to_string(month.Month) + ",\"cash\":" + std::to_string(month.Cash) +
           ",\"value\":" + std::to_string(month.Value) +
           ",\"total\":" + std::to_string(month.Total()) + ",\"tax\":" + std::to_string(month.Tax) +
           ",\"bankruptcies\":" + std::to_string(month.Bankruptcies) +
           ",\"trades\":" + std::to_string(month.Trades) +
           ",\"bought\":" + std::to_string(month.Bought) +
           ",\"sold\":" + std::to_string(month.Sold) +
           ",\"fees_yen\":" + std::to_string(month.FeesYen) + "}";
}

// Position of `line` among `lines` at or after `from`; fails the test when
// it is missing.
size_t Find(const std::vector<std::string>& lines, const std::string& line, size_t from) {
    for (size_t i = from; i < lines.size(); ++i)
        if (lines[i] == line || lines[i] == line + ",")
            return i;
    ADD_FAILURE() << "missing line: " << line;
    return lines.size();
}

TEST(Inspect, ShowsTheValuesTheGameHad) {
    const TScratchDir dir;
    const std::string file = dir.File("game.sav");
    TVxSimGame sim(21, VxSimCreateStrategy("trend"));
    sim.NewGame();
    for (int month = 0; month < 17; ++month)
        sim.PlayMonth();
    const TVxGame& game = sim.Game();
    ASSERT_GT(game.OwnerList.Count(), 0);
    ASSERT_GT(game.PreIncome() + game.Income() + game.Expense(), 0);
    sim.Save(file);

    const TSimResult result = RunSim({"inspect", file});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    const std::vector<std::string> lines = Lines(result.Out);
    size_t at = Find(lines, "  \"file\": \"" + file + "\"", 0);
    at = Find(lines, "  \"calendar\": {\"year\":1,\"month\":5,\"shown\":\"2年目6月\"}", at);
    at = Find(lines, "  \"cash\": " + std::to_string(game.Money), at);
    const auto totals = [&](const char* name, int32_t last, int32_t now) {
        at = Find(lines,
                  std::string("    \"") + name + "\": {\"last_year\":" + std::to_string(last) +
                      ",\"this_year\":" + std::to_string(now) + "}",
                  at);
    };
    totals("income", game.PreIncome(), game.Income());
    totals("expense", game.PreExpense(), game.Expense());
    totals("profit", game.PreProfit(), game.Profit());
    totals("tax", game.PreTax(), game.Tax());
    // Holdings in market order, as the game rebuilds them on loading.
    int64_t value = 0;
    for (int32_t i = 0; i < game.MarketList.Count(); ++i)
        if (game.MarketList.Items(i)->MyStockCount > 0) {
            at = Find(lines, HoldingLine(*game.MarketList.Items(i)), at);
            value += game.MarketList.Items(i)->MyStockValue();
        }
    at = Find(lines, "  \"holdings_value\": " + std::to_string(value), at);
    for (int32_t i = 0; i < game.MarketList.Count(); ++i)
        at = Find(lines, CompanyLine(*game.MarketList.Items(i)), at);
    // The history the save file was written with, from the new game on.
    at = Find(lines, "  \"history\": {", at);
    at = Find(lines, "    \"seed\": 21", at);
    at = Find(lines, "    \"origin\": \"new\"", at);
    const TVxHistorySummary summary = VxSummarize(game.History());
    at = Find(lines,
              "    \"summary\": {\"months_played\":17,\"total\":" + std::to_string(summary.Total) +
                  ",\"peak_total\":" + std::to_string(summary.PeakTotal) + ",\"peak_month\":" +
                  std::to_string(summary.PeakIndex) + ",\"tax\":" + std::to_string(summary.Tax) +
                  ",\"fees_yen\":" + std::to_string(summary.FeesYen) + ",\"bought\":" +
                  std::to_string(summary.Bought) + ",\"sold\":" + std::to_string(summary.Sold) +
                  ",\"trades\":" + std::to_string(summary.Trades) + "}",
              at);
    ASSERT_EQ(game.History().Months().size(), 18u);
    for (const TVxHistoryMonth& month : game.History().Months())
        at = Find(lines, HistoryMonthLine(month), at);
    EXPECT_EQ(lines.size(), at + 4) << "nothing after the months but the closing brackets";
}

struct TRefusedFile {
    const char* Name;
    // Turns a sound save file into the refused one; empty bytes mean no file.
    void (*Spoil)(std::vector<char>& bytes);
    const char* Reason;
};

void PrintTo(const TRefusedFile& file, std::ostream* out) {
    *out << file.Name;
}

class InspectRefuses : public testing::TestWithParam<TRefusedFile> {};

TEST_P(InspectRefuses, SaysWhyAndFailsWithStatus1) {
    const TScratchDir dir;
    TVxSimGame sim(1, VxSimCreateStrategy("idle"));
    sim.NewGame();
    sim.Save(dir.File("sound.sav"));
    std::vector<char> bytes = ReadFile<std::vector<char>>(dir.File("sound.sav"));
    GetParam().Spoil(bytes);
    const std::string file = dir.File(GetParam().Name);
    if (std::string(GetParam().Name) == "folder")
        std::filesystem::create_directory(file);
    else if (!bytes.empty())
        WriteFile(file, bytes);

    const TSimResult result = RunSim({"inspect", file});
    EXPECT_EQ(result.Status, VxSimExitFailure);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "ridolt-sim: " + file + ": " + GetParam().Reason + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InspectRefuses,
    testing::Values(
        TRefusedFile{"foreign", [](std::vector<char>& b) { b[0] = 'X'; },
                     "not a save file of this game (its 382-byte header differs: another "
                     "program's file, another version or a comment)"},
        TRefusedFile{"version", [](std::vector<char>& b) { b[376 + 3] = '1'; },
                     "not a save file of this game (its 382-byte header differs: another "
                     "program's file, another version or a comment)"},
        TRefusedFile{"cut", [](std::vector<char>& b) { b.resize(20000); },
                     "the file is too short (20000 bytes; a save file has 62414)"},
        TRefusedFile{"header-only", [](std::vector<char>& b) { b.resize(100); },
                     "the file is too short (100 bytes; a save file has 62414)"},
        TRefusedFile{"trend",
                     [](std::vector<char>& b) {
                         b[414] = static_cast<char>(0xF4); // 500, little-endian
                         b[415] = 0x01;
                         b[416] = 0;
                         b[417] = 0;
                     },
                     "values no game can reach: セーブデータが不正です: Trend = 500"},
        TRefusedFile{"missing", [](std::vector<char>& b) { b.clear(); },
                     "cannot be read: No such file or directory"},
        TRefusedFile{"folder", [](std::vector<char>& b) { b.clear(); },
                     "cannot be read: is a directory"}),
    [](const testing::TestParamInfo<TRefusedFile>& param) {
        std::string name = param.param.Name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

} // namespace

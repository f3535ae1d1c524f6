// The record of finished games: what a game that ended leaves in it, the
// records file written and read back whole, damaged files refused, and the
// order the list shows: wins the fastest first, then losses, with the
// fastest win of each seed marked.

#include "game/VxGameRecords.h"

#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

TVxGameRecord Record(std::optional<uint64_t> seed, TVxGameOutcome outcome, int32_t monthIndex,
                     std::string date = "2025-06-01T21:04:05+09:00") {
    TVxGameRecord record;
    record.Seed = seed;
    record.End = {outcome, monthIndex / 12, monthIndex % 12};
    record.Date = std::move(date);
    return record;
}

const TVxGameOutcome Won = TVxGameOutcome::Won;
const TVxGameOutcome Lost = TVxGameOutcome::Lost;

} // namespace

// A game won by a sale in 1年目4月 and one lost in the month its cash fell
// below 0; a game going on has no record.
TEST(GameRecords, AFinishedGameLeavesItsEndAndItsFigures) {
    TQuietMarket market;
    TVxGame& game = market.Game;
    game.RestartHistory(TVxHistoryOrigin::NewGame);
    TVxCompany& company = market.Company(5);
    ASSERT_TRUE(game.Buy(company, 10).Settled()); // 1100万, fee 100万
    for (int month = 0; month < 3; ++month)
        ASSERT_FALSE(game.NextMonth().Refused);
    EXPECT_FALSE(VxGameRecordOf(game, std::nullopt, "2025-01-01T00:00:00Z"));

    company.SetStockPrice(10000);
    game.Money = GoalMoney - 900;
    ASSERT_TRUE(game.Sell(company, 1).Settled()); // 900万, fee 100万
    ASSERT_TRUE(game.GameEnd);
    const std::optional<TVxGameRecord> won =
        VxGameRecordOf(game, 12345, "2025-01-02T03:04:05+09:00");
    ASSERT_TRUE(won);
    EXPECT_EQ(won->Seed, std::nullopt) << "the quiet market draws from a script";
    EXPECT_EQ(won->End, (TVxGameEnd{Won, 0, 3}));
    EXPECT_EQ(won->Total, int64_t{GoalMoney} + 9000);
    EXPECT_EQ(won->FeesYen, 2000000);
    EXPECT_EQ(won->Tax, 0);
    EXPECT_EQ(won->Trades, 2);
    EXPECT_EQ(won->BotTotal, 12345);
    EXPECT_EQ(won->Date, "2025-01-02T03:04:05+09:00");

    TQuietMarket lostMarket;
    TVxGame& lost = lostMarket.Game;
    lost.SetSeed(7);
    lost.RestartHistory(TVxHistoryOrigin::NewGame);
    lost.Money = 40;
    ASSERT_FALSE(lost.NextMonth().GameOver);
    ASSERT_TRUE(lost.NextMonth().GameOver);
    const std::optional<TVxGameRecord> record = VxGameRecordOf(lost, std::nullopt, "x");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Seed, std::optional<uint64_t>(7));
    EXPECT_EQ(record->End, (TVxGameEnd{Lost, 0, 2}));
    EXPECT_EQ(record->Total, -20);
}

TEST(GameRecords, TheFileIsReadBackAsItWasWritten) {
    std::vector<TVxGameRecord> records{
        Record(7, Won, 416), Record(std::nullopt, Lost, 33),
        Record(std::numeric_limits<uint64_t>::max(), Won, 1, "1999-12-31T23:59:59-05:30")};
    records[0].Total = 300012345;
    records[0].FeesYen = 18764941500;
    records[0].Tax = 2286599;
    records[0].Trades = 524;
    records[0].BotTotal = 290004321;
    records[1].Total = -20;
    records[1].Date = "2025-06-02T08:00:00Z";
    records[2].BotTotal = -30;

    const std::string text = VxRecordsText(records);
    EXPECT_EQ(text, "ridolt-records 1\n"
                    "records 3\n"
                    "seed outcome year month total fees_yen tax trades bot date\n"
                    "7 won 34 8 300012345 18764941500 2286599 524 290004321 "
                    "2025-06-01T21:04:05+09:00\n"
                    "none lost 2 9 -20 0 0 0 - 2025-06-02T08:00:00Z\n"
                    "18446744073709551615 won 0 1 0 0 0 0 -30 1999-12-31T23:59:59-05:30\n"
                    "end\n");
    EXPECT_EQ(VxReadRecords(text), records);
    EXPECT_TRUE(VxReadRecords(VxRecordsText({})).empty());
}

TEST(GameRecords, ADamagedFileIsRefusedWhole) {
    const std::string header = "ridolt-records 1\nrecords 1\n"
                               "seed outcome year month total fees_yen tax trades bot date\n";
    const std::string line = "7 won 34 8 1 2 3 4 - 2025-06-01T21:04:05+09:00\n";
    ASSERT_EQ(VxReadRecords(header + line + "end\n").size(), size_t{1});
    const struct {
        const char* Name;
        std::string Text;
    } damaged[] = {
        {"empty", ""},
        {"another program's text", "hello\n"},
        {"another version", "ridolt-records 2\nrecords 0\n"
                            "seed outcome year month total fees_yen tax trades bot date\nend\n"},
        {"cut in a line", header + line.substr(0, 20)},
        {"cut before its end", header + line},
        {"a record fewer than counted", header + "end\n"},
        {"a record more than counted", header + line + line + "end\n"},
        {"something after the end", header + line + "end\nend\n"},
        {"lines ending in CR LF",
         header + "7 won 34 8 1 2 3 4 - 2025-06-01T21:04:05+09:00\r\nend\n"},
        {"a field missing", header + "7 won 34 8 1 2 3 4 2025-06-01T21:04:05+09:00\n" + "end\n"},
        {"an outcome of neither", header + "7 drawn 34 8 1 2 3 4 - 2025-06-01T21:04:05Z\nend\n"},
        {"a thirteenth month", header + "7 won 34 12 1 2 3 4 - 2025-06-01T21:04:05Z\nend\n"},
        {"a seed beyond 64 bits",
         header + "18446744073709551616 won 34 8 1 2 3 4 - 2025-06-01T21:04:05Z\nend\n"},
        {"negative fees", header + "7 won 34 8 1 -2 3 4 - 2025-06-01T21:04:05Z\nend\n"},
        {"a date without its offset", header + "7 won 34 8 1 2 3 4 - 2025-06-01T21:04:05\nend\n"},
        {"a date that is no date", header + "7 won 34 8 1 2 3 4 - yesterday\nend\n"},
    };
    for (const auto& [name, text] : damaged)
        EXPECT_THROW(VxReadRecords(text), EVxRecordsError) << name;
}

// Wins by how long they took, then losses by how long they lasted, each
// kept first ahead of its equals; the fastest win of each seed marked.
TEST(GameRecords, WinsComeFastestFirstThenLosses) {
    const std::vector<TVxGameRecord> records{
        Record(7, Lost, 30), Record(7, Won, 416),
        Record(8, Won, 400), Record(std::nullopt, Won, 380),
        Record(7, Won, 405), Record(8, Won, 400),
        Record(7, Lost, 90), Record(9, Lost, 10),
    };
    EXPECT_EQ(VxRecordOrder(records), (std::vector<size_t>{3, 2, 5, 4, 1, 6, 0, 7}));
    EXPECT_EQ(VxFastestOfSeed(records),
              (std::vector<bool>{false, false, true, false, true, false, false, false}));
}

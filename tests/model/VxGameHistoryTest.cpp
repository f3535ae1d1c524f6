// The history the game keeps of itself: a scripted game played month by
// month against figures worked out by hand, and its file read back.

#include "game/VxGameHistory.h"

#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxGameHistoryFile.h"
#include "game/VxSaveDigest.h"
#include "tests/support/Files.h"
#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A quiet market whose history starts now: 1年目1月, 3000万円, nothing held.
class GameHistory : public ::testing::Test {
protected:
    TQuietMarket market;
    TVxGame& game = market.Game;

    GameHistory() { game.RestartHistory(TVxHistoryOrigin::NewGame); }

    const std::vector<TVxHistoryMonth>& Months() const { return game.History().Months(); }

    void PlayMonths(int count) {
        for (int i = 0; i < count; ++i)
            ASSERT_FALSE(game.NextMonth().Refused);
    }
};

TEST_F(GameHistory, StartsAtTheGamesMonth) {
    ASSERT_EQ(Months().size(), size_t{1});
    EXPECT_EQ(Months()[0], (TVxHistoryMonth{0, 0, 3000, 0}));
    EXPECT_EQ(game.History().Origin(), TVxHistoryOrigin::NewGame);
    EXPECT_FALSE(game.History().Seed()) << "the quiet market draws from a script";
}

// Fees to the yen: 3 lots at 1000 yen cost 330万 for shares worth 300万,
// 3 lots sold at 2000 yen bring 540万 for shares worth 600万.
TEST_F(GameHistory, TradesAndTurnsAreKeptMonthByMonth) {
    TVxCompany& company = market.Company(5);
    ASSERT_TRUE(game.Buy(company, 3).Settled());
    EXPECT_EQ(Months().back(), (TVxHistoryMonth{0, 0, 2670, 300, 0, 0, 1, 330, 0, 300000}));

    company.SetStockPrice(2000); // the market moved
    PlayMonths(1);
    ASSERT_EQ(Months().size(), size_t{2});
    EXPECT_EQ(Months()[1], (TVxHistoryMonth{0, 1, 2640, 600}));

    ASSERT_TRUE(game.Sell(company, 1).Settled());
    ASSERT_TRUE(game.Sell(company, 2).Settled());
    EXPECT_EQ(Months()[1], (TVxHistoryMonth{0, 1, 2640 + 540, 0, 0, 0, 2, 0, 540, 600000}));
    EXPECT_EQ(Months()[0].Trades, 1) << "a month closed stays as it was";
}

// The year's profit is 540 - 330 = 210: its tax of 42 is paid by the turn
// into January of the second year, and shows in that month.
TEST_F(GameHistory, TheJanuaryTaxShowsInTheMonthItWasPaidInto) {
    TVxCompany& company = market.Company(5);
    ASSERT_TRUE(game.Buy(company, 3).Settled());
    company.SetStockPrice(2000);
    ASSERT_TRUE(game.Sell(company, 3).Settled());
    PlayMonths(12);

    ASSERT_EQ(Months().size(), size_t{13});
    const TVxHistoryMonth& january = Months().back();
    EXPECT_EQ(january.Year, 1);
    EXPECT_EQ(january.Month, 0);
    EXPECT_EQ(january.Tax, 42);
    EXPECT_EQ(january.Cash, 3000 - 330 + 540 - 12 * 30 - 42);
    for (size_t i = 1; i + 1 < Months().size(); ++i)
        EXPECT_EQ(Months()[i].Tax, 0) << "month " << i;
    EXPECT_EQ(VxSummarize(game.History()).Tax, 42);
}

// Company 7, held at 1 yen, falls to -1 and goes bankrupt in the turn: the
// shares are lost, which the month it led into shows.
TEST_F(GameHistory, ABankruptcyShowsInTheMonthItLedInto) {
    TVxCompany& doomed = market.Company(7);
    doomed.SetStockPrice(1);
    Hold(game, doomed, 5 * TradeLot, 1);
    Hold(game, market.Company(8), 2 * TradeLot, 220);
    game.RestartHistory(TVxHistoryOrigin::NewGame);
    EXPECT_EQ(Months()[0].Value, 200) << "2000 shares at 1000 yen, 5000 at 1";
    market.Draws.AddNeutralCompanies(7);
    market.Draws.AddCompany(0, 0, 20); // 1 + 0 - 2 = -1 yen

    PlayMonths(1);
    EXPECT_EQ(Months().back(), (TVxHistoryMonth{0, 1, 2970, 200, 0, 1}));
}

TEST_F(GameHistory, ARefusedMonthAddsNothingAndTheMonthPlayedAfterSalesDoes) {
    TVxCompany& company = market.Company(5);
    ASSERT_TRUE(game.Buy(company, 1).Settled());
    game.Money = LivingCost - 1;
    game.RestartHistory(TVxHistoryOrigin::NewGame);

    ASSERT_TRUE(game.NextMonth().Refused);
    EXPECT_EQ(Months().size(), size_t{1});
    ASSERT_TRUE(game.Sell(company, 1).Settled());
    PlayMonths(1);
    ASSERT_EQ(Months().size(), size_t{2});
    EXPECT_EQ(Months()[0].Cash, LivingCost - 1 + 90) << "the sale of the month refused";
    EXPECT_EQ(Months()[1].Cash, LivingCost - 1 + 90 - LivingCost);
}

TEST_F(GameHistory, AWinningSaleIsTheLastEntryAndTheSummaryTellsTheRoad) {
    TVxCompany& company = market.Company(5);
    ASSERT_TRUE(game.Buy(company, 10).Settled()); // 1100万
    PlayMonths(3);                                // 2000 - 90 = 1810
    company.SetStockPrice(10000);
    game.Money = GoalMoney - 900;
    ASSERT_TRUE(game.Sell(company, 1).Settled()); // 900万: the goal exactly

    EXPECT_TRUE(game.GameEnd);
    ASSERT_EQ(Months().size(), size_t{4});
    const TVxHistoryMonth& last = Months().back();
    EXPECT_EQ(last.Cash, GoalMoney);
    EXPECT_EQ(last.Value, 9000); // 9000 shares at 10000 yen

    const TVxHistorySummary summary = VxSummarize(game.History());
    EXPECT_EQ(summary.MonthsPlayed, 3);
    EXPECT_EQ(summary.Total, last.Total());
    EXPECT_EQ(summary.PeakIndex, 3);
    EXPECT_EQ(summary.Trades, 2);
    EXPECT_EQ(summary.Bought, 1100);
    EXPECT_EQ(summary.Sold, 900);
    EXPECT_EQ(summary.FeesYen, 2 * 1000000) << "10% of 1000万, bought and sold";
}

// The turn into 1年目2月 leaves 10 lots at 10000 yen (1億) beside cash 900
// short of the goal: 総資産 goal + 9100.  The winning sale of one lot pays
// its fee of 100万 and leaves goal + 9000 in the same month; the peak stays
// where it was reached, and so does a purchase's fee.
TEST_F(GameHistory, ThePeakIsKeptAsReachedAndNeverFallsByAFee) {
    TVxCompany& company = market.Company(5);
    ASSERT_TRUE(game.Buy(company, 10).Settled());
    company.SetStockPrice(10000);
    game.Money = GoalMoney - 900 + LivingCost;
    PlayMonths(1);
    EXPECT_EQ(game.History().PeakTotal(), int64_t{GoalMoney} + 9100);

    ASSERT_TRUE(game.Sell(company, 1).Settled());
    ASSERT_TRUE(game.GameEnd);
    EXPECT_EQ(Months().back().Total(), int64_t{GoalMoney} + 9000);
    const TVxHistorySummary summary = VxSummarize(game.History());
    EXPECT_EQ(summary.PeakTotal, int64_t{GoalMoney} + 9100);
    EXPECT_EQ(summary.PeakIndex, 1);
    EXPECT_EQ(summary.Total, int64_t{GoalMoney} + 9000);
}

TEST_F(GameHistory, APeakLaterInTheGameTakesTheMonthItWasReachedIn) {
    TVxCompany& company = market.Company(5);
    ASSERT_TRUE(game.Buy(company, 1).Settled()); // 110万 for 100万: 2890 + 100
    EXPECT_EQ(game.History().PeakTotal(), 3000) << "the first month as it began";
    company.SetStockPrice(5000);
    PlayMonths(2); // 2860 + 500, then 2830 + 500
    EXPECT_EQ(game.History().PeakTotal(), 3360);
    EXPECT_EQ(game.History().PeakIndex(), 1);
}

// A digest of its own for each road of a test.
TVxSaveDigest Digest(uint8_t fill) {
    TVxSaveDigest digest;
    digest.fill(fill);
    return digest;
}

TEST(GameHistoryFile, ReadsBackWhatItWrote) {
    TVxGame game;
    game.SetSeed(1234567890123ULL);
    game.NewGame();
    ASSERT_TRUE(game.Buy(*game.MarketList.Items(3), 2).Settled());
    for (int month = 0; month < 14; ++month)
        game.NextMonth();
    TVxGame other;
    other.NewGame();
    const TVxHistoryRoad roads[] = {{Digest(0xA5), game.History()},
                                    {Digest(0x0F), other.History()}};
    const std::string text = VxHistoryText(roads);

    const std::vector<TVxHistoryRoad> read = VxReadHistoryFile(text);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].Save, Digest(0xA5));
    EXPECT_EQ(read[0].History.Months(), game.History().Months());
    EXPECT_EQ(read[0].History.Seed(), game.History().Seed());
    EXPECT_TRUE(read[0].History.SeededFromStart());
    EXPECT_EQ(read[1].Save, Digest(0x0F));
    EXPECT_EQ(read[1].History.Months(), other.History().Months());
    EXPECT_EQ(read[1].History.Seed(), std::nullopt);
    EXPECT_EQ(VxHistoryText(read), text);
}

const std::string Columns = "year month cash value tax bankruptcies trades bought sold fees_yen\n";

TEST(GameHistoryFile, WritesTheDocumentedText) {
    TVxGameHistory history;
    history.Assign(std::nullopt, TVxHistoryOrigin::Loaded,
                   {{4, 11, 2780, 220, 0, 0, 1, 220, 0, 200000}, {5, 0, 2750, 230, 12, 1}});
    const TVxHistoryRoad road{Digest(0x5D), history};
    std::string digest;
    for (int i = 0; i < 32; ++i)
        digest += "5d";
    EXPECT_EQ(VxHistoryText({&road, 1}), "ridolt-history 2\n"
                                         "save " +
                                             digest +
                                             "\n"
                                             "seed none\n"
                                             "origin loaded\n"
                                             "months 2\n" +
                                             Columns +
                                             "4 11 2780 220 0 0 1 220 0 200000\n"
                                             "5 0 2750 230 12 1 0 0 0 0\n"
                                             "end\n");
}

// Files written before histories named their saves.
TEST(GameHistoryFile, ReadsVersion1AsARoadThatNamesNoSave) {
    const std::vector<TVxHistoryRoad> read =
        VxReadHistoryFile("ridolt-history 1\nseed 7\norigin new\nmonths 1\n" + Columns +
                          "0 0 3000 0 0 0 0 0 0 0\nend\n");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Save, std::nullopt);
    EXPECT_EQ(read[0].History.Seed(), std::optional<uint64_t>(7));
    EXPECT_EQ(read[0].History.Months(), (std::vector<TVxHistoryMonth>{{0, 0, 3000}}));
}

TEST(GameHistoryFile, RefusesWhatIsNotAWholeHistory) {
    const std::string digest = "save " + std::string(64, 'a') + "\n";
    const std::string head = "ridolt-history 2\n" + digest + "seed 7\norigin new\n";
    const std::string road =
        "months 2\n" + Columns + "0 0 3000 0 0 0 0 0 0 0\n" + "0 1 2970 0 0 0 0 0 0 0\nend\n";
    const std::string good = head + road;
    ASSERT_NO_THROW(VxReadHistoryFile(good));
    const std::string version1 = "ridolt-history 1\nseed 7\norigin new\n" + road;
    ASSERT_NO_THROW(VxReadHistoryFile(version1));
    const std::pair<const char*, std::string> damaged[] = {
        {"empty", ""},
        {"a later version", "ridolt-history 3\n" + good.substr(17)},
        {"no road", "ridolt-history 2\n"},
        {"a road without its save", "ridolt-history 2\nseed 7\norigin new\n" + road},
        {"a save named by a short digest",
         "ridolt-history 2\nsave abc\nseed 7\norigin new\n" + road},
        {"a digest in upper case",
         "ridolt-history 2\nsave " + std::string(64, 'A') + "\nseed 7\norigin new\n" + road},
        {"version 1 with a second road", version1 + "seed 7\norigin new\n" + road},
        {"cut before the end line", good.substr(0, good.size() - 4)},
        {"cut inside a line", good.substr(0, good.size() - 12)},
        {"a second road cut short", good + digest + "seed 7\n"},
        {"a month missing", head + "months 3\n" + Columns + "0 0 3000 0 0 0 0 0 0 0\nend\n"},
        {"trailing bytes", good + "x"},
        {"months that skip",
         head + "months 2\n" + Columns + "0 0 3000 0 0 0 0 0 0 0\n0 2 2970 0 0 0 0 0 0 0\nend\n"},
        {"month 12", head + "months 1\n" + Columns + "0 12 3000 0 0 0 0 0 0 0\nend\n"},
        {"a negative fee", head + "months 1\n" + Columns + "0 0 3000 0 0 0 0 0 0 -1\nend\n"},
        {"cash beyond 32 bits",
         head + "months 1\n" + Columns + "0 0 2147483648 0 0 0 0 0 0 0\nend\n"},
        {"a column missing", head + "months 1\n" + Columns + "0 0 3000 0 0 0 0 0 0\nend\n"},
        {"not a number", head + "months 1\n" + Columns + "0 0 3000 0 0 0 0 0 0 x\nend\n"},
        {"a bad seed", "ridolt-history 2\n" + digest + "seed -7\norigin new\nmonths 1\n" + Columns +
                           "0 0 3000 0 0 0 0 0 0 0\nend\n"},
    };
    for (const auto& [name, text] : damaged)
        EXPECT_THROW(VxReadHistoryFile(text), EVxHistoryError) << name;
}

// A seeded game saved beside its history and the game that goes on from
// the two files in another game object.
class HistoryBesideTheSave : public ::testing::Test {
protected:
    TScratchDir scratch;
    const std::string file = scratch.File("0savedata.sav");
    TVxGame game;

    HistoryBesideTheSave() {
        game.SetSeed(41);
        game.NewGame();
        EXPECT_TRUE(game.Buy(*game.MarketList.Items(20), 3).Settled());
        for (int month = 0; month < 5; ++month)
            game.NextMonth();
    }
};

// The file text of `history` alone, naming the save `digest`.
std::string HistoryText(const TVxGameHistory& history, const TVxSaveDigest& digest) {
    const TVxHistoryRoad road{digest, history};
    return VxHistoryText({&road, 1});
}

// The same as a file of version 1, which named no save.
std::string Version1Text(const TVxGameHistory& history) {
    std::string text = HistoryText(history, Digest(0));
    const size_t saveLine = text.find('\n') + 1;
    text.erase(saveLine, text.find('\n', saveLine) + 1 - saveLine);
    return text.replace(0, 16, "ridolt-history 1");
}

TEST_F(HistoryBesideTheSave, ALoadedGameGoesOnWithItsHistoryAndItsMarket) {
    game.SaveToFile(file);
    EXPECT_EQ(ReadFile(VxHistoryPath(file)),
              HistoryText(game.History(), VxSaveDigest(SaveBytes(game))));

    TVxGame loaded; // draws from the clock until the history says otherwise
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.History().Months(), game.History().Months());
    EXPECT_EQ(loaded.Seed(), std::optional<uint64_t>(41));
    EXPECT_TRUE(loaded.History().SeededFromStart());
    for (int month = 0; month < 6; ++month) {
        game.NextMonth();
        loaded.NextMonth();
    }
    EXPECT_EQ(SaveBytes(loaded), SaveBytes(game)) << "as if never stopped";
    EXPECT_EQ(loaded.History().Months(), game.History().Months());
}

TEST_F(HistoryBesideTheSave, AHistoryOfVersion1GoesOnWhereItEndsAtTheSave) {
    game.SaveToFile(file);
    WriteFile(VxHistoryPath(file), Version1Text(game.History()));
    TVxGame loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.History().Months(), game.History().Months());
    EXPECT_EQ(loaded.Seed(), std::optional<uint64_t>(41));
}

// A history is adopted only for the save it names.  A road of another
// save is set aside even where its last month is this save's calendar and
// cash: two games raced to the same file, and the seed-7 save must not go
// on as seed 8.
TEST_F(HistoryBesideTheSave, AHistoryOfAnotherSaveOrDamagedIsSetAside) {
    TVxGame other;
    other.SetSeed(42);
    other.NewGame();
    TVxGameHistory sameEnd;
    sameEnd.Assign(42, TVxHistoryOrigin::NewGame, game.History().Months());
    std::vector<TVxHistoryMonth> months = game.History().Months();
    months.back().Cash += 1;
    TVxGameHistory otherCash;
    otherCash.Assign(game.History().Seed(), TVxHistoryOrigin::NewGame, months);
    game.SaveToFile(file);
    const std::vector<uint8_t> saved = SaveBytes(game);
    const std::pair<const char*, std::string> histories[] = {
        {"the road of other bytes, ending at this save's month and cash",
         HistoryText(sameEnd, VxSaveDigest(SaveBytes(other)))},
        {"version 1, another game's calendar", Version1Text(other.History())},
        {"version 1, another cash at its last month", Version1Text(otherCash)},
        {"damaged", "ridolt-history 2\nseed 41\n"},
    };
    for (const auto& [name, text] : histories) {
        SCOPED_TRACE(name);
        WriteFile(VxHistoryPath(file), text);
        TVxGame loaded;
        loaded.SetSeed(5);
        loaded.LoadFromFile(file);
        EXPECT_EQ(SaveBytes(loaded), saved) << "the save loads all the same";
        ASSERT_EQ(loaded.History().Months().size(), size_t{1});
        EXPECT_EQ(loaded.History().Last(),
                  (TVxHistoryMonth{0, 5, loaded.Money, loaded.HoldingsValue()}));
        EXPECT_EQ(loaded.History().Origin(), TVxHistoryOrigin::Loaded);
        EXPECT_EQ(loaded.Seed(), std::optional<uint64_t>(5)) << "the game's own seed goes on";
    }
}

TEST_F(HistoryBesideTheSave, ASaveWithoutAHistoryStartsOneAtItsMonth) {
    game.SaveToFile(file);
    std::filesystem::remove(VxHistoryPath(file));
    TVxGame loaded;
    loaded.LoadFromFile(file);
    ASSERT_EQ(loaded.History().Months().size(), size_t{1});
    EXPECT_EQ(loaded.History().Last().Month, 5);
    EXPECT_EQ(loaded.History().Origin(), TVxHistoryOrigin::Loaded);
    EXPECT_FALSE(loaded.History().SeededFromStart());
}

} // namespace

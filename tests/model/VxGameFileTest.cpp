#include "game/VxGame.h"

#include "game/VxGameHistoryFile.h"
#include "game/VxGameSaveData.h"
#include "game/VxSaveFileSummary.h"
#include "platform/VxFileReplace.h"
#include "tests/support/Files.h"
#include "tests/support/GameState.h"
#include "tests/support/RecordingEvents.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/Unprivileged.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<uint8_t>;

constexpr size_t MonthAt = 382, MoneyAt = 386, YearAt = 390, IncomeAt = 394, ExpenseAt = 402,
                 CountAt = 410;
constexpr size_t RecordAt(int index) {
    return 414 + 62 * static_cast<size_t>(index);
}
constexpr size_t TrendOf = 0, IDOf = 4, StockCountOf = 6, StockCostOf = 10;
constexpr size_t PriceOf(int month) {
    return 14 + 4 * static_cast<size_t>(month);
}

void PutInt32(TBytes& bytes, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<size_t>(i)] =
            static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}
void PutInt16(TBytes& bytes, size_t at, int16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8);
}
int32_t GetInt32(const TBytes& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | bytes[at + static_cast<size_t>(i)];
    return static_cast<int32_t>(value);
}

void Load(TVxGame& game, const TBytes& bytes) {
    TVxReadStream stream(bytes);
    game.LoadFromStream(stream);
}

// A game in the middle of play: a moved market sorted by price, three
// holdings, totals of both years, a late calendar, and ended.
void PlayAGame(TVxGame& game, uint64_t seed) {
    TVxSeededRandom random(seed);
    game.SetRandom(&random);
    game.NewGame();
    game.SetRandom(nullptr);
    game.MarketList.SetSort(1, true);
    for (const int32_t index : {17, 400, 999}) {
        TVxCompany& company = *game.MarketList.Items(index);
        company.MyStockCount = (index % 5 + 1) * TradeLot;
        company.MyStockCost = index + 3;
    }
    game.RebuildOwnerList();
    game.Month = 9;
    game.Year = 3;
    game.Money = 123456;
    game.IncomeList.Put(0, 11);
    game.IncomeList.Put(1, 22);
    game.ExpenseList.Put(0, 33);
    game.ExpenseList.Put(1, 44);
    game.GameEnd = true;
}

TEST(VxGameFile, NewGameLayout) {
    TVxGame game;
    TVxSeededRandom random(3);
    game.SetRandom(&random);
    game.NewGame();
    const TBytes bytes = SaveBytes(game);
    ASSERT_EQ(bytes.size(), 62414u);

    TBytes header(382, 0);
    std::memcpy(header.data(), "Tovric", 6);
    const uint8_t title[] = {0x83, 0x8A, 0x83, 0x68, 0x83, 0x8B, 0x83, 0x67};
    std::memcpy(header.data() + 20, title, sizeof title);
    std::memcpy(header.data() + 376, "1.00", 4);
    EXPECT_EQ(TBytes(bytes.begin(), bytes.begin() + 382), header);

    EXPECT_EQ(GetInt32(bytes, MonthAt), 0);
    EXPECT_EQ(GetInt32(bytes, MoneyAt), 3000);
    EXPECT_EQ(GetInt32(bytes, YearAt), 0);
    for (size_t at = IncomeAt; at < CountAt; at += 4)
        EXPECT_EQ(GetInt32(bytes, at), 0);
    EXPECT_EQ(GetInt32(bytes, CountAt), 1000);
    for (const int index : {0, 999}) {
        TVxWriteStream record;
        game.MarketList.Items(index)->SaveToStream(record);
        EXPECT_EQ(TBytes(bytes.begin() + static_cast<ptrdiff_t>(RecordAt(index)),
                         bytes.begin() + static_cast<ptrdiff_t>(RecordAt(index + 1))),
                  record.Bytes());
    }
}

TEST(VxGameFile, TotalsAndCalendarAtTheirPlaces) {
    TVxGame game;
    PlayAGame(game, 1);
    const TBytes bytes = SaveBytes(game);
    EXPECT_EQ(GetInt32(bytes, MonthAt), 9);
    EXPECT_EQ(GetInt32(bytes, MoneyAt), 123456);
    EXPECT_EQ(GetInt32(bytes, YearAt), 3);
    EXPECT_EQ(GetInt32(bytes, IncomeAt), 11);
    EXPECT_EQ(GetInt32(bytes, IncomeAt + 4), 22);
    EXPECT_EQ(GetInt32(bytes, ExpenseAt), 33);
    EXPECT_EQ(GetInt32(bytes, ExpenseAt + 4), 44);
    EXPECT_EQ(GetInt32(bytes, RecordAt(0) + IDOf) & 0xFFFF, game.MarketList.Items(0)->ID);
}

// The summary reads only the header and the calendar and cash after it.
TEST(VxGameFile, SummaryOfTheFirstBytes) {
    struct TSummaryCase {
        const char* Name;
        std::function<void(TBytes&)> Damage;
        bool Summed;
    };
    const TSummaryCase cases[] = {
        {"whole file", [](TBytes&) {}, true},
        {"damaged after the cash", [](TBytes& b) { PutInt32(b, CountAt, 7); }, true},
        {"cut after the year", [](TBytes& b) { b.resize(YearAt + 4); }, true},
        {"cut inside the year", [](TBytes& b) { b.resize(YearAt + 3); }, false},
        {"empty", [](TBytes& b) { b.clear(); }, false},
        {"header changed", [](TBytes& b) { b[0] ^= 1; }, false},
        {"month 12", [](TBytes& b) { PutInt32(b, MonthAt, 12); }, false},
        {"month -1", [](TBytes& b) { PutInt32(b, MonthAt, -1); }, false},
        {"year -1", [](TBytes& b) { PutInt32(b, YearAt, -1); }, false},
    };
    TVxGame game;
    PlayAGame(game, 1);
    for (const TSummaryCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBytes bytes = SaveBytes(game);
        c.Damage(bytes);
        const std::optional<TVxSaveFileSummary> summary = VxReadSaveFileSummary(bytes);
        ASSERT_EQ(summary.has_value(), c.Summed);
        if (summary) {
            EXPECT_EQ(summary->Month, 9);
            EXPECT_EQ(summary->Money, 123456);
            EXPECT_EQ(summary->Year, 3);
        }
    }
}

TEST(VxGameFile, RoundTripRestoresTheGameIntoItsOwnObjects) {
    TVxGame saved;
    PlayAGame(saved, 1);
    const TBytes bytes = SaveBytes(saved);

    TVxGame game;
    PlayAGame(game, 2);
    game.MarketList.SetSort(7, false);
    TRecordingEvents events;
    game.SetEvents(&events);
    std::vector<TVxCompany*> objects;
    for (int32_t i = 0; i < game.MarketList.Count(); ++i)
        objects.push_back(game.MarketList.Items(i));

    Load(game, bytes);

    EXPECT_EQ(SaveBytes(game), bytes);
    EXPECT_FALSE(game.GameEnd);
    EXPECT_EQ(game.Month, 9);
    EXPECT_EQ(game.Year, 3);
    EXPECT_EQ(game.Money, 123456);
    EXPECT_EQ(game.IncomeList.Values(), (std::vector<int32_t>{11, 22}));
    EXPECT_EQ(game.ExpenseList.Values(), (std::vector<int32_t>{33, 44}));
    ASSERT_EQ(game.MarketList.Count(), 1000);
    for (int32_t i = 0; i < 1000; ++i) {
        EXPECT_EQ(game.MarketList.Items(i), objects[static_cast<size_t>(i)]);
        EXPECT_EQ(game.MarketList.Items(i)->ID, saved.MarketList.Items(i)->ID);
    }
    // Held companies in market order, the list's own sort settings kept.
    ASSERT_EQ(game.OwnerList.Count(), 3);
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(game.OwnerList.Items(i)->ID, saved.OwnerList.Items(i)->ID);
    EXPECT_EQ(game.MarketList.SortColumn, 7);
    EXPECT_TRUE(events.Told.empty()) << "a load tells nothing";
}

TEST(VxGameFile, LoadsIntoAMarketOfAnySize) {
    TVxGame saved;
    PlayAGame(saved, 4);
    const TBytes bytes = SaveBytes(saved);
    for (const int32_t extra : {-1000, -1, 1, 5}) {
        SCOPED_TRACE(extra);
        TVxGame game;
        PlayAGame(game, 5);
        for (int32_t i = 0; i < -extra; ++i)
            game.MarketList.Delete(game.MarketList.Count() - 1);
        for (int32_t i = 0; i < extra; ++i) {
            auto* company = new TVxCompany;
            company->Reset();
            game.MarketList.Add(company);
        }
        game.RebuildOwnerList();
        Load(game, bytes);
        EXPECT_EQ(game.MarketList.Count(), 1000);
        EXPECT_EQ(game.OwnerList.Count(), 3);
        EXPECT_EQ(SaveBytes(game), bytes);
    }
}

TEST(VxGameFile, LostGameLoadsAsPlayable) {
    TVxGame saved;
    PlayAGame(saved, 5);
    saved.Money = -100;
    const TBytes bytes = SaveBytes(saved);

    TVxGame game;
    TScriptedRandom random;
    random.Neutral = true;
    TRecordingEvents events;
    game.SetRandom(&random);
    game.SetEvents(&events);
    Load(game, bytes);
    EXPECT_FALSE(game.GameEnd);
    game.NextMonth(); // shares held: refused
    ASSERT_EQ(events.Waiting(), (std::vector<TVxGameEvent>{TVxMonthRefused{-100, 30}}));
    EXPECT_EQ(game.Month, 9);

    for (int32_t i = 0; i < game.MarketList.Count(); ++i) {
        game.MarketList.Items(i)->MyStockCount = 0;
        game.MarketList.Items(i)->MyStockCost = 0;
    }
    game.RebuildOwnerList();
    game.NextMonth(); // nothing held: played and lost again
    EXPECT_EQ(game.Money, -130);
    EXPECT_TRUE(game.GameEnd);
    EXPECT_EQ(events.Waiting().back(), TVxGameEvent{TVxGameLost{}});
}

enum class TRefusal { Abort, Read, Load };

struct TFileCase {
    const char* Name;
    std::function<void(TBytes&)> Change;
};

struct TRefusedCase {
    const char* Name;
    std::function<void(TBytes&)> Change;
    TRefusal Refusal;
};

// Every way a file is refused, from a valid file of a game in play.
const std::vector<TRefusedCase>& RefusedCases() {
    static const std::vector<TRefusedCase> cases = {
        {"empty", [](TBytes& b) { b.clear(); }, TRefusal::Read},
        {"inside the header", [](TBytes& b) { b.resize(381); }, TRefusal::Read},
        {"other maker", [](TBytes& b) { b[0] = 't'; }, TRefusal::Abort},
        {"other title", [](TBytes& b) { b[27] ^= 1; }, TRefusal::Abort},
        {"a comment", [](TBytes& b) { b[120] = 'x'; }, TRefusal::Abort},
        {"last comment byte", [](TBytes& b) { b[375] = 1; }, TRefusal::Abort},
        {"version 1.01", [](TBytes& b) { b[379] = '1'; }, TRefusal::Abort},
        {"other header, cut short",
         [](TBytes& b) {
             b[0] = 0;
             b.resize(500);
         },
         TRefusal::Abort},
        {"header only", [](TBytes& b) { b.resize(382); }, TRefusal::Read},
        {"inside the count", [](TBytes& b) { b.resize(413); }, TRefusal::Read},
        {"no records", [](TBytes& b) { b.resize(414); }, TRefusal::Read},
        {"inside the records", [](TBytes& b) { b.resize(40000); }, TRefusal::Read},
        {"one byte short", [](TBytes& b) { b.pop_back(); }, TRefusal::Read},
        {"one byte more", [](TBytes& b) { b.push_back(0); }, TRefusal::Load},
        {"one record more", [](TBytes& b) { b.resize(b.size() + 62); }, TRefusal::Load},
        {"999 companies",
         [](TBytes& b) {
             PutInt32(b, CountAt, 999);
             b.resize(RecordAt(999));
         },
         TRefusal::Load},
        {"1001 companies",
         [](TBytes& b) {
             PutInt32(b, CountAt, 1001);
             b.resize(RecordAt(1001));
         },
         TRefusal::Load},
        {"no companies",
         [](TBytes& b) {
             PutInt32(b, CountAt, 0);
             b.resize(414);
         },
         TRefusal::Load},
        {"negative count", [](TBytes& b) { PutInt32(b, CountAt, -1); }, TRefusal::Load},
        {"huge count", [](TBytes& b) { PutInt32(b, CountAt, INT32_MAX); }, TRefusal::Load},
        {"month -1", [](TBytes& b) { PutInt32(b, MonthAt, -1); }, TRefusal::Load},
        {"month 12", [](TBytes& b) { PutInt32(b, MonthAt, 12); }, TRefusal::Load},
        {"year -1", [](TBytes& b) { PutInt32(b, YearAt, -1); }, TRefusal::Load},
        {"year at the limit", [](TBytes& b) { PutInt32(b, YearAt, INT32_MAX); }, TRefusal::Load},
        {"negative income", [](TBytes& b) { PutInt32(b, IncomeAt, -1); }, TRefusal::Load},
        {"negative expense", [](TBytes& b) { PutInt32(b, ExpenseAt + 4, INT32_MIN); },
         TRefusal::Load},
        {"trend 101", [](TBytes& b) { PutInt32(b, RecordAt(5) + TrendOf, 101); }, TRefusal::Load},
        {"trend -101", [](TBytes& b) { PutInt32(b, RecordAt(5) + TrendOf, -101); }, TRefusal::Load},
        {"ID -1", [](TBytes& b) { PutInt16(b, RecordAt(999) + IDOf, -1); }, TRefusal::Load},
        {"ID 1000", [](TBytes& b) { PutInt16(b, RecordAt(0) + IDOf, 1000); }, TRefusal::Load},
        {"ID twice",
         [](TBytes& b) {
             std::copy_n(b.begin() + RecordAt(3) + IDOf, 2, b.begin() + RecordAt(4) + IDOf);
         },
         TRefusal::Load},
        {"part of a lot", [](TBytes& b) { PutInt32(b, RecordAt(8) + StockCountOf, 1500); },
         TRefusal::Load},
        {"negative holding", [](TBytes& b) { PutInt32(b, RecordAt(8) + StockCountOf, -1000); },
         TRefusal::Load},
        {"more than issued", [](TBytes& b) { PutInt32(b, RecordAt(8) + StockCountOf, 101000); },
         TRefusal::Load},
        {"cost of nothing",
         [](TBytes& b) {
             PutInt32(b, RecordAt(8) + StockCountOf, 0);
             PutInt32(b, RecordAt(8) + StockCostOf, 1);
         },
         TRefusal::Load},
        {"negative cost",
         [](TBytes& b) {
             PutInt32(b, RecordAt(8) + StockCountOf, 1000);
             PutInt32(b, RecordAt(8) + StockCostOf, -1);
         },
         TRefusal::Load},
        {"average above twice the highest price",
         [](TBytes& b) {
             PutInt32(b, RecordAt(8) + StockCountOf, 1000);
             PutInt32(b, RecordAt(8) + StockCostOf, 2000001);
         },
         TRefusal::Load},
        {"price 0", [](TBytes& b) { PutInt32(b, RecordAt(2) + PriceOf(11), 0); }, TRefusal::Load},
        {"negative old price", [](TBytes& b) { PutInt32(b, RecordAt(2) + PriceOf(0), -1); },
         TRefusal::Load},
        {"price above the highest",
         [](TBytes& b) { PutInt32(b, RecordAt(2) + PriceOf(5), 10000001); }, TRefusal::Load},
    };
    return cases;
}

// The game a refused file must leave exactly as it was.
class VxGameFileRefusal : public ::testing::Test {
protected:
    TVxGame game;
    TBytes valid;

    void SetUp() override {
        TVxGame source;
        PlayAGame(source, 6);
        valid = SaveBytes(source);
        PlayAGame(game, 7);
    }

    void ExpectUnchangedBy(const std::function<void()>& refusedLoad, TRefusal refusal) {
        const TBytes before = SaveBytes(game);
        std::vector<TVxCompany*> market, owner;
        for (int32_t i = 0; i < game.MarketList.Count(); ++i)
            market.push_back(game.MarketList.Items(i));
        for (int32_t i = 0; i < game.OwnerList.Count(); ++i)
            owner.push_back(game.OwnerList.Items(i));
        try {
            refusedLoad();
            ADD_FAILURE() << "accepted";
        } catch (const EAbort& abort) {
            EXPECT_EQ(refusal, TRefusal::Abort);
            EXPECT_STREQ(abort.what(), "");
        } catch (const EReadError&) {
            EXPECT_EQ(refusal, TRefusal::Read);
        } catch (const EVxLoadError&) {
            EXPECT_EQ(refusal, TRefusal::Load);
        }
        EXPECT_EQ(SaveBytes(game), before);
        EXPECT_TRUE(game.GameEnd);
        std::vector<TVxCompany*> marketAfter, ownerAfter;
        for (int32_t i = 0; i < game.MarketList.Count(); ++i)
            marketAfter.push_back(game.MarketList.Items(i));
        for (int32_t i = 0; i < game.OwnerList.Count(); ++i)
            ownerAfter.push_back(game.OwnerList.Items(i));
        EXPECT_EQ(marketAfter, market);
        EXPECT_EQ(ownerAfter, owner);
    }
};

TEST_F(VxGameFileRefusal, EveryKindOfBadFileLeavesTheGameAsItWas) {
    for (const TRefusedCase& c : RefusedCases()) {
        SCOPED_TRACE(c.Name);
        TBytes bytes = valid;
        c.Change(bytes);
        ExpectUnchangedBy([&] { Load(game, bytes); }, c.Refusal);
    }
}

// A file the game could never have written is refused with what is wrong
// in it, a code and the field and value it concerns, for a front to put in
// its words.
TEST_F(VxGameFileRefusal, AValueNoGameReachesIsNamedByItsFieldAndValue) {
    struct TCase {
        const char* Name;
        std::function<void(TBytes&)> Change;
        TVxLoadFault Fault;
        std::string Field;
        int64_t Value;
        const char* What;
    };
    const int16_t id =
        static_cast<int16_t>(valid[RecordAt(3) + IDOf] | valid[RecordAt(3) + IDOf + 1] << 8);
    const TCase cases[] = {
        {"month 12", [](TBytes& b) { PutInt32(b, MonthAt, 12); }, TVxLoadFault::Value, "Month", 12,
         "Month = 12"},
        {"no companies",
         [](TBytes& b) {
             PutInt32(b, CountAt, 0);
             b.resize(414);
         },
         TVxLoadFault::Value, "company count", 0, "company count = 0"},
        {"part of a lot", [](TBytes& b) { PutInt32(b, RecordAt(8) + StockCountOf, 1500); },
         TVxLoadFault::Value, "MyStockCount", 1500, "MyStockCount = 1500"},
        {"ID twice",
         [](TBytes& b) {
             std::copy_n(b.begin() + RecordAt(3) + IDOf, 2, b.begin() + RecordAt(4) + IDOf);
         },
         TVxLoadFault::RepeatedID, "ID", id, nullptr},
        {"one byte more", [](TBytes& b) { b.push_back(0); }, TVxLoadFault::TrailingBytes, "", 0,
         "trailing bytes"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBytes bytes = valid;
        c.Change(bytes);
        try {
            Load(game, bytes);
            ADD_FAILURE() << "accepted";
        } catch (const EVxLoadError& error) {
            EXPECT_EQ(error.Fault(), c.Fault);
            EXPECT_EQ(error.Field(), c.Field);
            EXPECT_EQ(error.Value(), c.Value);
            if (c.What) {
                EXPECT_STREQ(error.what(), c.What);
            }
        }
    }
}

TEST_F(VxGameFileRefusal, LimitsThatPlayCanReachAreAccepted) {
    const TFileCase cases[] = {
        {"month 11",
         [](TBytes& b) {
             PutInt32(b, MonthAt, 11);
         }},
        {"year one below the limit",
         [](TBytes& b) {
             PutInt32(b, YearAt, INT32_MAX - 1);
         }},
        {"lowest cash",
         [](TBytes& b) {
             PutInt32(b, MoneyAt, INT32_MIN);
         }},
        {"highest cash",
         [](TBytes& b) {
             PutInt32(b, MoneyAt, INT32_MAX);
         }},
        {"highest totals",
         [](TBytes& b) {
             for (size_t at = IncomeAt; at < CountAt; at += 4)
                 PutInt32(b, at, INT32_MAX);
         }},
        {"trends at both ends",
         [](TBytes& b) {
             PutInt32(b, RecordAt(0) + TrendOf, 100);
             PutInt32(b, RecordAt(1) + TrendOf, -100);
         }},
        {"IDs in another order",
         [](TBytes& b) {
             std::swap_ranges(b.begin() + RecordAt(10) + IDOf, b.begin() + RecordAt(10) + IDOf + 2,
                              b.begin() + RecordAt(20) + IDOf);
         }},
        {"every share at the highest average",
         [](TBytes& b) {
             PutInt32(b, RecordAt(8) + StockCountOf, 100000);
             PutInt32(b, RecordAt(8) + StockCostOf, 200000000);
         }},
        {"shares that cost nothing",
         [](TBytes& b) {
             PutInt32(b, RecordAt(9) + StockCountOf, 1000);
             PutInt32(b, RecordAt(9) + StockCostOf, 0);
         }},
        {"prices at both ends",
         [](TBytes& b) {
             PutInt32(b, RecordAt(2) + PriceOf(0), 1);
             PutInt32(b, RecordAt(2) + PriceOf(11), 10000000);
         }},
    };
    for (const TFileCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBytes bytes = valid;
        c.Change(bytes);
        game.GameEnd = true;
        EXPECT_NO_THROW(Load(game, bytes));
        EXPECT_FALSE(game.GameEnd);
        EXPECT_EQ(SaveBytes(game), bytes);
    }
}

// A folder of its own for each file test, removed afterwards.
class VxGameFileOnDisk : public ::testing::Test {
protected:
    const TScratchDir scratch;
    const fs::path& folder = scratch.Path();
    TVxGame game;

    void SetUp() override { PlayAGame(game, 8); }
};

TEST_F(VxGameFileOnDisk, SaveAndLoadThroughAFile) {
    const fs::path file = folder / "0savedata.sav";
    // An older save file, longer than a save file is, is replaced whole.
    TVxGame older;
    PlayAGame(older, 9);
    TBytes longer = SaveBytes(older);
    longer.resize(100000, 0xAB);
    WriteFile(file, longer);
    game.SaveToFile(file.string());
    EXPECT_EQ(FileNames(folder),
              (std::vector<std::string>{"0savedata.sav", "0savedata.sav.history"}));
    EXPECT_EQ(ReadFile<TBytes>(file), SaveBytes(game));

    TVxGame loaded;
    loaded.LoadFromFile(file.string());
    EXPECT_EQ(SaveBytes(loaded), SaveBytes(game));
    EXPECT_EQ(loaded.OwnerList.Count(), 3);
}

TEST_F(VxGameFileOnDisk, FilesThatCannotBeReadLeaveTheGameAsItWas) {
    const TBytes before = SaveBytes(game);
    EXPECT_THROW(game.LoadFromFile((folder / "missing.sav").string()), std::system_error);
    EXPECT_ANY_THROW(game.LoadFromFile(folder.string()));
    const fs::path tooLong = folder / "long.sav";
    TBytes bytes = before;
    bytes.resize(1 << 20);
    WriteFile(tooLong, bytes);
    EXPECT_THROW(game.LoadFromFile(tooLong.string()), EVxLoadError);
    EXPECT_EQ(SaveBytes(game), before);
    EXPECT_TRUE(game.GameEnd);
}

TEST_F(VxGameFileOnDisk, FailedSavesKeepThePreviousFile) {
    const fs::path file = folder / "1savedata.sav";
    TVxGame older;
    PlayAGame(older, 9);
    older.SaveToFile(file.string());
    const TBytes previous = ReadFile<TBytes>(file);
    const TBytes previousHistory = ReadFile<TBytes>(folder / "1savedata.sav.history");

    EXPECT_THROW(game.SaveToFile((folder / "no-such-folder" / "x.sav").string()),
                 std::system_error);

    const fs::path asFolder = folder / "2savedata.sav";
    fs::create_directory(asFolder);
    EXPECT_THROW(game.SaveToFile(asFolder.string()), std::system_error);
    EXPECT_TRUE(fs::is_directory(asFolder));
    fs::remove(asFolder);

    // A disk that fills up while the file is written.
    struct rlimit limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const struct rlimit small = {4096, limit.rlim_max};
    auto* const oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        game.SaveToFile(file.string());
    } catch (const std::system_error&) {
        threw = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);

    EXPECT_EQ(ReadFile<TBytes>(file), previous);
    EXPECT_EQ(ReadFile<TBytes>(folder / "1savedata.sav.history"), previousHistory);
    EXPECT_EQ(FileNames(folder),
              (std::vector<std::string>{"1savedata.sav", "1savedata.sav.history"}));
}

TEST_F(VxGameFileOnDisk, ReadOnlyFolderKeepsThePreviousFile) {
    const fs::path file = folder / "3savedata.sav";
    TVxGame older;
    PlayAGame(older, 10);
    older.SaveToFile(file.string());
    const TBytes previous = ReadFile<TBytes>(file);
    // The player's own files, in a folder the player may not write.
    for (const fs::path& path : {file, fs::path(file.string() + ".history")})
        fs::permissions(path, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec |
                                                 fs::perms::others_exec));
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const TUnprivileged player;
    ASSERT_TRUE(player.Bound());
    try {
        game.SaveToFile(file.string());
        ADD_FAILURE() << "saved";
    } catch (const EVxFileError& e) {
        EXPECT_EQ(e.code(), std::errc::permission_denied);
        EXPECT_EQ(e.Path(), file.string());
    }
    EXPECT_EQ(ReadFile<TBytes>(file), previous);
}

// A process saving two games in turn, back to back, killed at random
// moments: the file is always one whole save file or the other, beside a
// whole history (which road it keeps, VxSavePairTest shows).  SIGTERM
// removes the save in progress before the process ends by it; SIGKILL
// cannot, and the next save sweeps what it left.
TEST_F(VxGameFileOnDisk, KilledWhileSavingLeavesAWholeFile) {
    const fs::path file = folder / "0savedata.sav";
    TVxGame other;
    PlayAGame(other, 9);
    const TBytes first = SaveBytes(game);
    const TBytes second = SaveBytes(other);
    ASSERT_NE(first, second);
    const fs::path history = folder / "0savedata.sav.history";
    const std::vector<std::string> saved{"0savedata.sav", "0savedata.sav.history"};

    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> moment(0, 4000); // µs
    constexpr int Trials = 300;
    int leftByKill = 0;
    for (int trial = 0; trial < Trials; ++trial) {
        const int signal = trial % 2 == 0 ? SIGTERM : SIGKILL;
        // The child says when its saves are under way, so that the kill
        // comes among them however slowly it starts (a sanitizer build).
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            VxRemoveTemporaryFilesOnSignals();
            try {
                game.SaveToFile(file.string());
                const char ready = 1;
                if (::write(started[1], &ready, 1) != 1)
                    ::_exit(3);
                for (;;) {
                    other.SaveToFile(file.string());
                    game.SaveToFile(file.string());
                }
            } catch (...) {
                ::_exit(2);
            }
        }
        ::close(started[1]);
        char ready = 0;
        ASSERT_EQ(::read(started[0], &ready, 1), 1) << "trial " << trial;
        ::close(started[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal)
            << "trial " << trial << ": status " << status;

        const TBytes bytes = ReadFile<TBytes>(file);
        ASSERT_TRUE(bytes == first || bytes == second)
            << "trial " << trial << ": " << bytes.size() << " bytes";
        ASSERT_NO_THROW(VxReadHistoryFile(ReadFile(history))) << "trial " << trial;
        const std::vector<std::string> names = FileNames(folder);
        if (signal == SIGTERM)
            ASSERT_EQ(names, saved) << "trial " << trial;
        else
            leftByKill += names.size() > saved.size() ? 1 : 0;

        TVxGame loaded;
        loaded.LoadFromFile(file.string());
        loaded.SaveToFile(file.string());
        ASSERT_EQ(FileNames(folder), saved) << "trial " << trial;
    }
    // How often a kill came in the middle of a save: as often, SIGTERM did.
    std::cout << "SIGKILL left a temporary file in " << leftByKill << " of " << Trials / 2
              << " trials; SIGTERM in none of " << Trials / 2 << "\n";
    EXPECT_GT(leftByKill, 0) << "no kill came during a save: the test proves nothing";
}

} // namespace

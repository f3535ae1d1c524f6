#include "game/VxCompanyList.h"

#include "game/VxConsts.h"
#include "tests/support/GameState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace {

// A company that counts its destruction, to see which list frees it.
class TCountedCompany : public TVxCompany {
public:
    explicit TCountedCompany(int& destroyed) : FDestroyed(destroyed) { Reset(); }
    ~TCountedCompany() override { ++FDestroyed; }

private:
    int& FDestroyed;
};

TEST(VxCompanyList, OwningListFreesAndBorrowingListForgets) {
    int destroyed = 0;
    {
        TVxCompanyList market(true);
        TVxCompanyList owner(false);
        for (int i = 0; i < 4; ++i) {
            auto* company = new TCountedCompany(destroyed);
            market.Add(company);
            owner.Add(company);
        }
        owner.Delete(0);
        owner.Clear();
        EXPECT_EQ(destroyed, 0);
        market.Delete(3);
        EXPECT_EQ(destroyed, 1);
        market.Clear();
        EXPECT_EQ(destroyed, 4);
        market.Add(new TCountedCompany(destroyed));
        owner.Add(market.Items(0));
    }
    EXPECT_EQ(destroyed, 5); // the owning list's destructor
}

TEST(VxCompanyList, ItemsAndIndexOf) {
    TVxCompanyList list(true);
    auto* first = new TVxCompany;
    auto* second = new TVxCompany;
    EXPECT_EQ(list.Add(first), 0);
    EXPECT_EQ(list.Add(second), 1);
    EXPECT_EQ(list.Items(1), second);
    EXPECT_EQ(list.IndexOf(second), 1);
    TVxCompany stranger;
    EXPECT_EQ(list.IndexOf(&stranger), -1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
    for (const int32_t index : {2, -1}) {
        try {
            list.Items(index);
            ADD_FAILURE() << index;
        } catch (const EListError& error) {
            EXPECT_EQ(error.what(),
                      "リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
        }
    }
    EXPECT_THROW(list.Delete(2), EListError);
    EXPECT_EQ(list.Count(), 2);
}

TEST(VxCompanyList, CreateNewCompaniesReplacesTheMarket) {
    int destroyed = 0;
    TVxCompanyList market(true);
    for (int i = 0; i < 1000; ++i)
        market.Add(new TCountedCompany(destroyed));
    market.SetSort(1, true);
    market.CreateNewCompanies();
    EXPECT_EQ(destroyed, 1000);
    ASSERT_EQ(market.Count(), CompanyCount);
    for (int32_t i = 0; i < CompanyCount; ++i) {
        const TVxCompany& company = *market.Items(i);
        EXPECT_EQ(company.ID, i);
        EXPECT_EQ(company.PriceHistory.Values(), std::vector<int32_t>(12, 1000));
        EXPECT_EQ(company.Trend, 0);
        EXPECT_EQ(company.MyStockCount, 0);
        EXPECT_EQ(company.MyStockCost, 0);
    }
    EXPECT_EQ(market.SortColumn, 1); // kept, applied at the next Sort
    EXPECT_TRUE(market.SortDown);
}

// A market of moved prices and a few holdings, for the sort tests.
class SortedMarket : public ::testing::Test {
protected:
    TVxCompanyList list{true};

    void SetUp() override {
        std::mt19937 engine(7);
        std::vector<TVxCompany*> companies;
        for (int16_t id = 0; id < 200; ++id) {
            auto* company = new TVxCompany;
            company->Reset();
            company->ID = id;
            // Few distinct prices, so that ties are common.
            company->PushPrice(static_cast<int32_t>(engine() % 40) * 50 + 1);
            if (id % 3 == 0) {
                // A cost that gives an average of at least 1 yen.
                company->MyStockCount = static_cast<int32_t>(engine() % 100 + 1) * TradeLot;
                company->MyStockCost = static_cast<int32_t>(engine() % 5000) + 10;
            }
            companies.push_back(company);
        }
        std::shuffle(companies.begin(), companies.end(), engine);
        for (TVxCompany* company : companies)
            list.Add(company);
    }

    std::vector<TVxCompany*> Items() const {
        std::vector<TVxCompany*> items;
        for (int32_t i = 0; i < list.Count(); ++i)
            items.push_back(list.Items(i));
        return items;
    }
};

// The value each key sorts by, written out again from the column list.
double KeyOf(const TVxCompany& c, int32_t key) {
    switch (key) {
    case 0:
        return c.ID;
    case 1:
        return c.StockPrice();
    case 2:
        return c.MonthDiff();
    case 3:
        return c.MonthDiffPercent();
    case 4:
        return c.StockPrice1000();
    case 5:
        return c.SellStockCount();
    case 6:
        return c.MyStockCount;
    case 7:
        return c.MyStockPriceBuyingAverage();
    case 8:
        return c.MyStockPriceRatio();
    default:
        return c.MyStockValue();
    }
}

TEST_F(SortedMarket, EveryKeyInBothDirections) {
    const std::vector<TVxCompany*> before = Items();
    const std::set<TVxCompany*> members(before.begin(), before.end());
    for (int32_t key = 0; key < 10; ++key) {
        for (const bool down : {false, true}) {
            SCOPED_TRACE(testing::Message() << "key " << key << (down ? " down" : " up"));
            list.SetSort(key, down);
            EXPECT_EQ(list.SortColumn, key);
            EXPECT_EQ(list.SortDown, down);
            const std::vector<TVxCompany*> after = Items();
            EXPECT_EQ(std::set<TVxCompany*>(after.begin(), after.end()), members);
            // Key 3 only tells percentages apart by whole hundredths.
            const double slack = key == 3 ? 0.005 : 0;
            for (size_t i = 1; i < after.size(); ++i) {
                const double previous = KeyOf(*after[i - 1], key);
                const double next = KeyOf(*after[i], key);
                if (down)
                    EXPECT_GE(previous + slack, next) << "at " << i;
                else
                    EXPECT_LE(previous, next + slack) << "at " << i;
            }
        }
    }
}

TEST_F(SortedMarket, CheapestOrDearestFirstAndMarkersOfUnheldCompanies) {
    list.SetSort(1, false);
    const int32_t cheapest = list.Items(0)->StockPrice();
    list.SetSort(1, true);
    const int32_t dearest = list.Items(0)->StockPrice();
    for (const TVxCompany* company : Items()) {
        EXPECT_LE(cheapest, company->StockPrice());
        EXPECT_GE(dearest, company->StockPrice());
    }
    // Without a holding a company carries 0, -100 and -1 in keys 7 to 9,
    // below every held one.
    for (const int32_t key : {7, 8, 9}) {
        list.SetSort(key, false);
        EXPECT_EQ(list.Items(0)->MyStockCount, 0) << key;
        list.SetSort(key, true);
        EXPECT_GT(list.Items(0)->MyStockCount, 0) << key;
        EXPECT_EQ(list.Items(list.Count() - 1)->MyStockCount, 0) << key;
    }
}

TEST_F(SortedMarket, UnknownKeysCompareEverythingEqual) {
    const std::vector<TVxCompany*> before = Items();
    for (const int32_t key : {10, -1, INT32_MAX, INT32_MIN}) {
        EXPECT_EQ(CompareCompanies(*before[0], *before[1], key, false), 0);
        EXPECT_EQ(CompareCompanies(*before[0], *before[1], key, true), 0);
        list.SetSort(key, key < 0);
        const std::vector<TVxCompany*> after = Items();
        EXPECT_EQ(std::set<TVxCompany*>(after.begin(), after.end()),
                  std::set<TVxCompany*>(before.begin(), before.end()));
    }
}

// A fresh company whose last month went from `previous` to `price`.
void SetPercent(TVxCompany& company, int32_t previous, int32_t price) {
    company.Reset();
    SetPrices(company, {previous, price});
}

TEST(CompareCompanies, PercentagesCompareInWholeHundredths) {
    TVxCompany base, nearlySame, different, lower;
    SetPercent(base, 1000, 1010);         // 1.000
    SetPercent(nearlySame, 25000, 25251); // 1.004
    SetPercent(different, 50000, 50503);  // 1.006
    SetPercent(lower, 50000, 50497);      // 0.994
    ASSERT_DOUBLE_EQ(nearlySame.MonthDiffPercent(), 1.004);
    ASSERT_DOUBLE_EQ(different.MonthDiffPercent(), 1.006);
    EXPECT_EQ(CompareCompanies(nearlySame, base, 3, false), 0);
    EXPECT_EQ(CompareCompanies(base, nearlySame, 3, true), 0);
    EXPECT_GT(CompareCompanies(different, base, 3, false), 0);
    EXPECT_LT(CompareCompanies(different, base, 3, true), 0);
    EXPECT_LT(CompareCompanies(lower, base, 3, false), 0);
    EXPECT_GT(CompareCompanies(base, lower, 3, false), 0);

    TVxCompanyList list(false);
    for (TVxCompany* company : {&different, &base, &lower, &nearlySame})
        list.Add(company);
    list.SetSort(3, false);
    EXPECT_EQ(list.Items(0), &lower);
    EXPECT_EQ(list.Items(3), &different);
    list.SetSort(3, true);
    EXPECT_EQ(list.Items(0), &different);
    EXPECT_EQ(list.Items(3), &lower);
}

TEST(CompareCompanies, SignOfTheDifferenceAndItsNegation) {
    TVxCompany a, b;
    a.Reset();
    b.Reset();
    a.ID = 3;
    b.ID = 900;
    SetPrices(a, {1000, 10000000});
    SetPrices(b, {10000000, 1});
    for (int32_t key = 0; key < 10; ++key) {
        EXPECT_EQ(CompareCompanies(a, a, key, false), 0) << key;
        EXPECT_EQ(CompareCompanies(a, b, key, false), -CompareCompanies(a, b, key, true)) << key;
        EXPECT_EQ(CompareCompanies(a, b, key, false), -CompareCompanies(b, a, key, false)) << key;
    }
    EXPECT_LT(CompareCompanies(a, b, 0, false), 0);
    EXPECT_GT(CompareCompanies(a, b, 1, false), 0);
    EXPECT_GT(CompareCompanies(a, b, 2, false), 0); // differences of ±9,999,999 yen
    EXPECT_GT(CompareCompanies(a, b, 3, false), 0);
}

// Percentages 0.003 points apart: each is equal to its neighbours but not
// to the ones after them, so "equal" is not transitive.  The sort must stay
// inside the list whatever order it gets (AddressSanitizer watches).
TEST(VxCompanyListSort, NonTransitiveEqualityStaysInBounds) {
    TVxCompanyList list(true);
    for (int32_t i = 0; i < 1000; ++i) {
        auto* company = new TVxCompany;
        SetPercent(*company, 100000, 100000 + (i % 500) * 3);
        company->ID = static_cast<int16_t>(i);
        list.Add(company);
    }
    std::set<TVxCompany*> members;
    for (int32_t i = 0; i < list.Count(); ++i)
        members.insert(list.Items(i));
    std::mt19937 engine(11);
    std::vector<TVxCompany*> items;
    for (int round = 0; round < 40; ++round) {
        // Reorder through the list's own operations.
        items.clear();
        for (int32_t i = 0; i < list.Count(); ++i)
            items.push_back(list.Items(i));
        std::shuffle(items.begin(), items.end(), engine);
        TVxCompanyList shuffled(false);
        for (TVxCompany* company : items)
            shuffled.Add(company);
        shuffled.SetSort(3, round % 2 == 1);
        std::set<TVxCompany*> after;
        for (int32_t i = 0; i < shuffled.Count(); ++i)
            after.insert(shuffled.Items(i));
        ASSERT_EQ(after, members) << "round " << round;
        EXPECT_EQ(shuffled.Count(), 1000);
    }
}

TEST(VxCompanyListStream, SaveAndLoadKeepTheOrder) {
    TVxCompanyList original(true);
    original.CreateNewCompanies();
    for (int32_t i = 0; i < original.Count(); ++i) {
        TVxCompany& company = *original.Items(i);
        company.PushPrice(i + 1);
        company.Trend = i % 201 - 100;
        company.MyStockCount = i % 7 * TradeLot;
        company.MyStockCost = i % 7 * 3;
    }
    original.SetSort(1, true); // order no longer by ID
    TVxWriteStream out;
    original.SaveToStream(out);
    ASSERT_EQ(out.Bytes().size(), 62004u);

    for (const bool filled : {true, false}) {
        SCOPED_TRACE(filled ? "into a market of 1000" : "into an empty list");
        TVxCompanyList copy(true);
        if (filled)
            copy.CreateNewCompanies();
        std::vector<TVxCompany*> objects;
        for (int32_t i = 0; i < copy.Count(); ++i)
            objects.push_back(copy.Items(i));
        copy.SortColumn = 5;
        TVxReadStream in(out.Bytes());
        copy.LoadFromStream(in);
        EXPECT_EQ(in.Remaining(), 0u);
        ASSERT_EQ(copy.Count(), 1000);
        for (int32_t i = 0; i < copy.Count(); ++i) {
            const TVxCompany& a = *original.Items(i);
            const TVxCompany& b = *copy.Items(i);
            ASSERT_EQ(b.ID, a.ID) << i;
            EXPECT_EQ(b.Trend, a.Trend);
            EXPECT_EQ(b.MyStockCount, a.MyStockCount);
            EXPECT_EQ(b.MyStockCost, a.MyStockCost);
            EXPECT_EQ(b.PriceHistory.Values(), a.PriceHistory.Values());
            if (filled) {
                EXPECT_EQ(copy.Items(i), objects[static_cast<size_t>(i)]); // same objects
            }
        }
        EXPECT_EQ(copy.SortColumn, 5);
    }
}

TEST(VxCompanyListStream, TooFewRecordsFailWithReadError) {
    TVxCompanyList original(true);
    original.CreateNewCompanies();
    TVxWriteStream out;
    original.SaveToStream(out);
    const std::vector<uint8_t> cut(out.Bytes().begin(), out.Bytes().end() - 1);
    TVxCompanyList copy(true);
    TVxReadStream in(cut);
    EXPECT_THROW(copy.LoadFromStream(in), EReadError);
}

TEST(VxCompanyListStream, HugeCountAllocatesNothing) {
    for (const int32_t count : {INT32_MAX, 1001, 2}) {
        TVxWriteStream out;
        out.WriteInt32(count);
        out.Write(std::vector<uint8_t>(62, 0)); // one record
        TVxCompanyList list(true);
        TVxReadStream in(out.Bytes());
        EXPECT_THROW(list.LoadFromStream(in), EReadError) << count;
        EXPECT_EQ(list.Count(), 0) << count;
    }
}

} // namespace

#include "game/VxCompany.h"

#include "game/VxConsts.h"
#include "tests/support/GameState.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(VxCompany, FreshCompany) {
    TVxCompany company;
    company.ID = 42;
    company.Reset();
    EXPECT_EQ(company.PriceHistory.Values(), std::vector<int32_t>(12, 1000));
    EXPECT_EQ(company.ID, 42);
    EXPECT_EQ(company.Trend, 0);
    EXPECT_EQ(company.StockPrice(), 1000);
    EXPECT_EQ(company.MonthDiff(), 0);
    EXPECT_EQ(company.MonthDiffPercent(), 0.0);
    EXPECT_EQ(company.StockPrice1000(), 100);
    EXPECT_EQ(company.SellStockCount(), 100000);
    EXPECT_EQ(company.MyStockPriceBuyingAverage(), 0);
    EXPECT_EQ(company.MyStockPriceRatio(), -100);
    EXPECT_EQ(company.MyStockValue(), -1);
}

TEST(VxCompany, ResetForgetsEverythingButTheID) {
    TVxCompany company;
    company.ID = 999;
    SetPrices(company, {5, 6, 7});
    company.Trend = -77;
    company.MyStockCount = 3000;
    company.MyStockCost = 400;
    company.Reset();
    EXPECT_EQ(company.ID, 999);
    EXPECT_EQ(company.PriceHistory.Values(), std::vector<int32_t>(12, 1000));
    EXPECT_EQ(company.Trend, 0);
    EXPECT_EQ(company.MyStockCount, 0);
    EXPECT_EQ(company.MyStockCost, 0);
}

struct TDerivedCase {
    int32_t Previous;
    int32_t Price;
    int32_t Count;
    int32_t Cost;
    int32_t MonthDiff;
    double MonthDiffPercent;
    int32_t StockPrice1000;
    int32_t BuyingAverage;
    int32_t Ratio;
    int32_t Value;
};

TEST(VxCompany, DerivedValues) {
    const TDerivedCase cases[] = {
        // price and month-on-month change
        {1000, 1100, 0, 0, 100, 10.0, 110, 0, -100, -1},
        {1000, 950, 0, 0, -50, -5.0, 95, 0, -100, -1},
        {1000, 1001, 0, 0, 1, 0.1, 101, 0, -100, -1}, // 千株価 rounds up
        {0, 10, 0, 0, 10, 0.0, 1, 0, -100, -1},       // no percentage from a price of 0
        {-5, 10, 0, 0, 15, 0.0, 1, 0, -100, -1},
        {1000, -15, 0, 0, -1015, -101.5, -1, 0, -100, -1}, // ceiling of -1.5
        // prices set by hand: the difference saturates
        {1000, INT32_MIN, 0, 0, INT32_MIN, -214748464.8, -214748364, 0, -100, -1},
        {-1000, INT32_MAX, 0, 0, INT32_MAX, 0.0, 214748365, 0, -100, -1},
        // holdings: halves of the value go to the even neighbour
        {1000, 1005, 1000, 110, 5, 0.5, 101, 1100, 91, 100},
        {1000, 1015, 1000, 110, 15, 1.5, 102, 1100, 92, 102},
        {300, 300, 3000, 100, 0, 0.0, 30, 333, 90, 90}, // 30000 div 333
        // the largest holding at the highest price stays far inside 32 bits
        {MaxStockPrice, MaxStockPrice, IssuedShares, 200000000, 0, 0.0, 1000000, 20000000, 50,
         100000000},
    };
    for (const TDerivedCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Previous << " -> " << c.Price << ", " << c.Count
                                        << " shares for " << c.Cost);
        TVxCompany company;
        SetPrices(company, {c.Previous, c.Price});
        company.MyStockCount = c.Count;
        company.MyStockCost = c.Cost;
        EXPECT_EQ(company.StockPrice(), c.Price);
        EXPECT_EQ(company.MonthDiff(), c.MonthDiff);
        EXPECT_DOUBLE_EQ(company.MonthDiffPercent(), c.MonthDiffPercent);
        EXPECT_EQ(company.StockPrice1000(), c.StockPrice1000);
        EXPECT_EQ(company.SellStockCount(), IssuedShares - c.Count);
        EXPECT_EQ(company.MyStockPriceBuyingAverage(), c.BuyingAverage);
        EXPECT_EQ(company.MyStockPriceRatio(), c.Ratio);
        EXPECT_EQ(company.MyStockValue(), c.Value);
    }
}

TEST(VxCompany, ShortHistory) {
    TVxCompany company;
    EXPECT_EQ(company.MonthDiff(), 0);
    EXPECT_EQ(company.MonthDiffPercent(), 0.0);
    EXPECT_THROW(company.StockPrice(), EListError);
    SetPrices(company, {700});
    EXPECT_EQ(company.StockPrice(), 700);
    EXPECT_EQ(company.MonthDiff(), 0);
    EXPECT_EQ(company.MonthDiffPercent(), 0.0);
}

TEST(VxCompany, PushPriceCapsAndKeepsTwelveMonths) {
    TVxCompany company;
    company.Reset();
    company.PushPrice(12345678);
    EXPECT_EQ(company.StockPrice(), MaxStockPrice);
    EXPECT_EQ(company.MonthDiff(), MaxStockPrice - 1000);
    company.PushPrice(-5); // no lower bound: the turn decides on bankruptcy
    EXPECT_EQ(company.StockPrice(), -5);

    std::vector<int32_t> pushed;
    for (int32_t i = 1; i <= 13; ++i) {
        company.PushPrice(i);
        pushed.push_back(i);
    }
    EXPECT_EQ(company.PriceHistory.Values(),
              std::vector<int32_t>(pushed.begin() + 1, pushed.end()));
}

TEST(VxCompany, SetStockPriceOverwritesWithoutCap) {
    TVxCompany company;
    company.Reset();
    company.SetStockPrice(12345678);
    EXPECT_EQ(company.StockPrice(), 12345678);
    EXPECT_EQ(company.PriceHistory.Count(), 12);
    EXPECT_EQ(company.PriceHistory.Get(10), 1000);
}

TEST(VxCompany, SetTrendClamps) {
    const std::pair<int32_t, int32_t> cases[] = {
        {150, 100},   {101, 100},   {100, 100},        {0, 0},
        {-100, -100}, {-101, -100}, {INT32_MIN, -100}, {INT32_MAX, 100},
    };
    TVxCompany company;
    for (const auto& [value, stored] : cases) {
        company.SetTrend(value);
        EXPECT_EQ(company.Trend, stored) << value;
    }
}

void FillRecord(TVxCompany& company) {
    company.Trend = -100;
    company.ID = 0x0304;
    company.MyStockCount = 100000;
    company.MyStockCost = -2; // not checked here: the save file checks values
    company.PriceHistory.Clear();
    for (int32_t i = 1; i <= 12; ++i)
        company.PriceHistory.Add(i * 0x01010101);
}

TEST(VxCompany, RecordLayout) {
    TVxCompany company;
    FillRecord(company);
    TVxWriteStream stream;
    company.SaveToStream(stream);
    const std::vector<uint8_t>& bytes = stream.Bytes();
    ASSERT_EQ(bytes.size(), 62u);
    const std::vector<uint8_t> head(bytes.begin(), bytes.begin() + 18);
    EXPECT_EQ(head, (std::vector<uint8_t>{0x9C, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0xA0, 0x86, 0x01,
                                          0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x01, 0x01, 0x01, 0x01}));
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 4, bytes.end()),
              (std::vector<uint8_t>{0x0C, 0x0C, 0x0C, 0x0C}));
}

TEST(VxCompany, RecordRoundTripFillsAnEmptyHistory) {
    TVxCompany original;
    FillRecord(original);
    TVxWriteStream out;
    original.SaveToStream(out);

    TVxCompany copy; // as the market list creates it: no history yet
    TVxReadStream in(out.Bytes());
    copy.LoadFromStream(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(copy.Trend, original.Trend);
    EXPECT_EQ(copy.ID, original.ID);
    EXPECT_EQ(copy.MyStockCount, original.MyStockCount);
    EXPECT_EQ(copy.MyStockCost, original.MyStockCost);
    EXPECT_EQ(copy.PriceHistory.Values(), original.PriceHistory.Values());
}

TEST(VxCompany, RecordCutShortKeepsWhatWasRead) {
    TVxCompany original;
    FillRecord(original);
    TVxWriteStream out;
    original.SaveToStream(out);
    const std::vector<uint8_t> cut(out.Bytes().begin(), out.Bytes().begin() + 12);

    TVxCompany company;
    company.Reset();
    TVxReadStream in(cut);
    EXPECT_THROW(company.LoadFromStream(in), EReadError);
    EXPECT_EQ(company.Trend, -100);
    EXPECT_EQ(company.ID, 0x0304);
    EXPECT_EQ(company.MyStockCount, 100000);
    EXPECT_EQ(company.MyStockCost, 0);
    EXPECT_EQ(company.PriceHistory.Values(), std::vector<int32_t>(12, 1000));
}

} // namespace

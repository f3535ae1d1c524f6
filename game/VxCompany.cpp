#include "game/VxCompany.h"

#include "game/VxConsts.h"
#include "game/VxRound.h"

#include <algorithm>

int32_t TVxCompany::StockPrice() const {
    return PriceHistory.Get(PriceHistory.Count() - 1);
}

int32_t PriceDiff(int32_t previous, int32_t price) {
    // Prices of play differ by less than 10,000,000; a price set by hand may
    // be any number, so saturate rather than overflow.
    return static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{price} - previous, INT32_MIN, INT32_MAX));
}

double PriceDiffPercent(int32_t previous, int32_t price) {
    // A loaded file may hold a price of 0, of which no share is a part.
    if (previous <= 0)
        return 0;
    const int64_t scaled = int64_t{price} * 100;
    return static_cast<double>(static_cast<long double>(scaled) / previous - 100);
}

int32_t TVxCompany::MonthDiff() const {
    if (PriceHistory.Count() < 2)
        return 0;
    return PriceDiff(PreviousPrice(), StockPrice());
}

double TVxCompany::MonthDiffPercent() const {
    if (PriceHistory.Count() < 2)
        return 0;
    return PriceDiffPercent(PreviousPrice(), StockPrice());
}

int32_t TVxCompany::StockPrice1000() const {
    return static_cast<int32_t>(VxCeil(static_cast<long double>(StockPrice()) / 10));
}

int32_t TVxCompany::SellStockCount() const {
    return IssuedShares - MyStockCount;
}

int32_t TVxCompany::MyStockPriceBuyingAverage() const {
    if (MyStockCount == 0)
        return 0;
    return static_cast<int32_t>(
        VxRound(static_cast<long double>(MyStockCost) / MyStockCount * 10000));
}

int32_t TVxCompany::MyStockPriceRatio() const {
    const int32_t average = MyStockPriceBuyingAverage();
    if (average == 0)
        return -100;
    return static_cast<int32_t>(int64_t{StockPrice()} * 100 / average);
}

int32_t TVxCompany::MyStockValue() const {
    if (MyStockCount == 0)
        return -1;
    return static_cast<int32_t>(
        VxRound(StockPrice() * (static_cast<long double>(MyStockCount) / 10000)));
}

void TVxCompany::PushPrice(int32_t price) {
    PriceHistory.Add(std::min(price, MaxStockPrice));
    if (PriceHistory.Count() > PriceHistoryLength)
        PriceHistory.Delete(0);
}

void TVxCompany::SetTrend(int32_t value) {
    Trend = std::clamp(value, -100, 100);
}

void TVxCompany::SetStockPrice(int32_t price) {
    PriceHistory.Put(PriceHistory.Count() - 1, price);
}

void TVxCompany::Reset() {
    PriceHistory.Clear();
    while (PriceHistory.Count() < PriceHistoryLength)
        PriceHistory.Add(InitialStockPrice);
    SetTrend(0);
    MyStockCount = 0;
    MyStockCost = 0;
}

void TVxCompany::LoadFromStream(TVxReadStream& stream) {
    Trend = stream.ReadInt32();
    ID = stream.ReadInt16();
    MyStockCount = stream.ReadInt32();
    MyStockCost = stream.ReadInt32();
    while (PriceHistory.Count() < PriceHistoryLength)
        PriceHistory.Add(InitialStockPrice);
    for (int32_t i = 0; i < PriceHistoryLength; ++i)
        PriceHistory.Put(i, stream.ReadInt32());
}

void TVxCompany::SaveToStream(TVxWriteStream& stream) const {
    stream.WriteInt32(Trend);
    stream.WriteInt16(ID);
    stream.WriteInt32(MyStockCount);
    stream.WriteInt32(MyStockCost);
    for (int32_t i = 0; i < PriceHistoryLength; ++i)
        stream.WriteInt32(PriceHistory.Get(i));
}

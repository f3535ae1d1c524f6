#pragma once

// One listed company: its number, the last twelve monthly share prices, its
// growth tendency and the player's holding in it.

#include "VxRTL/EtcLists/MyList.h"
#include "game/VxStream.h"

#include <cstdint>

// The change of a share price from `previous` to `price` in yen, saturated
// to 32 bits.
int32_t PriceDiff(int32_t previous, int32_t price);
// The same change in per cent of `previous`; 0 when `previous` is 0 or less.
double PriceDiffPercent(int32_t previous, int32_t price);

class TVxCompany {
public:
    // Size of one company in a save file.
    static constexpr int RecordSize = 62;

    int32_t Trend = 0;         // growth tendency, -100..100
    int16_t ID = 0;            // 0..999, unique in the market
    int32_t MyStockCount = 0;  // shares held, whole lots
    int32_t MyStockCost = 0;   // what they cost in 万円, fees included
    TIntegerList PriceHistory; // yen per share, oldest first, current last

    TVxCompany() = default;
    TVxCompany(const TVxCompany&) = delete;
    TVxCompany& operator=(const TVxCompany&) = delete;
    virtual ~TVxCompany() = default;

    int32_t StockPrice() const;
    int32_t MonthDiff() const;
    double MonthDiffPercent() const;
    int32_t StockPrice1000() const;
    int32_t SellStockCount() const;
    int32_t MyStockPriceBuyingAverage() const;
    int32_t MyStockPriceRatio() const;
    int32_t MyStockValue() const;

    void PushPrice(int32_t price);
    void SetTrend(int32_t value);
    void SetStockPrice(int32_t price);
    void Reset();

    void LoadFromStream(TVxReadStream& stream);
    void SaveToStream(TVxWriteStream& stream) const;

private:
    int32_t PreviousPrice() const { return PriceHistory.Get(PriceHistory.Count() - 2); }
};

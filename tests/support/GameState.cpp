#include "tests/support/GameState.h"

#include "game/VxConsts.h"
#include "game/VxStream.h"

#include <stdexcept>
#include <string>

void ResetYear(TVxGame& game) {
    game.Year = 0;
    game.Month = 0;
    game.Money = StartMoney;
    game.GameEnd = false;
    for (TIntegerList* totals : {&game.IncomeList, &game.ExpenseList}) {
        totals->Clear();
        totals->Add(0);
        totals->Add(0);
    }
}

void Hold(TVxGame& game, TVxCompany& company, int32_t shares, int32_t cost) {
    company.MyStockCount = shares;
    company.MyStockCost = cost;
    game.RebuildOwnerList();
}

void SetPrices(TVxCompany& company, const std::vector<int32_t>& prices) {
    company.PriceHistory.Clear();
    for (const int32_t price : prices)
        company.PriceHistory.Add(price);
}

TVxCompany& CompanyByID(const TVxGame& game, int16_t id) {
    for (int32_t i = 0; i < game.MarketList.Count(); ++i)
        if (game.MarketList.Items(i)->ID == id)
            return *game.MarketList.Items(i);
    throw std::out_of_range("no company " + std::to_string(id));
}

std::vector<uint8_t> SaveBytes(TVxGame& game) {
    TVxWriteStream stream;
    game.SaveToStream(stream);
    return stream.Bytes();
}

TVxHistoryMonth HistoryMonthAt(int32_t index, int32_t cash, int64_t value) {
    TVxHistoryMonth entry;
    entry.Year = index / 12;
    entry.Month = index % 12;
    entry.Cash = cash;
    entry.Value = value;
    return entry;
}

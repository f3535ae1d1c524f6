#include "sim/VxSimArrays.h"

#include "game/VxConsts.h"
#include "sim/VxSimAnswers.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr size_t Companies = CompanyCount;
constexpr size_t History = PriceHistoryLength;

} // namespace

void TVxSimArrays::Refresh(const TVxGame& game, const std::vector<TVxCompany*>& byId, bool prices) {
    if (byId.size() != Companies)
        throw std::length_error("a market of " + std::to_string(byId.size()) + " companies");
    for (size_t id = 0; id < Companies; ++id) {
        const TVxCompany& company = *byId[id];
        if (prices) {
            const std::vector<int32_t>& history = company.PriceHistory.Values();
            if (history.size() != History)
                throw std::length_error("a price history of " + std::to_string(history.size()) +
                                        " months");
            std::copy(history.begin(), history.end(), FStorage.Prices.begin() + id * History);
        }
        FStorage.Holdings[id] = company.MyStockCount / TradeLot;
        FStorage.BuyMax[id] = VxSimLotsOpen(game, company, TVxSimSide::Buy, INT32_MAX);
        FStorage.SellMax[id] = VxSimLotsOpen(game, company, TVxSimSide::Sell, INT32_MAX);
    }
    *FStorage.Cash = game.Money;
    // The game stops the year one below the largest int32.
    *FStorage.Year = game.Year + 1;
    *FStorage.Month = game.Month + 1;
}

TVxSimArrayStore::TVxSimArrayStore(size_t games)
    : Prices(games * Companies * History), Holdings(games * Companies), BuyMax(games * Companies),
      SellMax(games * Companies), Cash(games), Year(games), Month(games) {}

TVxSimArrays::TStorage TVxSimArrayStore::Slice(size_t game) {
    const auto part = [game](std::vector<int32_t>& array, size_t size) {
        return std::span<int32_t>(array).subspan(game * size, size);
    };
    return {part(Prices, Companies * History),
            part(Holdings, Companies),
            part(BuyMax, Companies),
            part(SellMax, Companies),
            &Cash[game],
            &Year[game],
            &Month[game]};
}

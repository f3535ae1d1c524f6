#include "sim/VxSimArrays.h"

#include "game/VxConsts.h"
#include "sim/VxSimAnswers.h"

#include <cstring>
#include <stdexcept>

namespace {

constexpr size_t Companies = CompanyCount;
constexpr size_t History = PriceHistoryLength;

} // namespace

void TVxSimArrays::Refresh(const TVxGame& game, const std::vector<TVxCompany*>& byId, bool prices) {
    if (byId.size() != Companies)
        throw std::length_error("a market of " + std::to_string(byId.size()) + " companies");
    // The largest offers of VxSimLotsOpen, with what is the same for every
    // company worked out once: this runs after every month of every game.
    const bool buying = VxSimSideOpen(game, TVxSimSide::Buy);
    const bool selling = VxSimSideOpen(game, TVxSimSide::Sell);
    TVxTradeFigures figures = game.TradeFigures(*byId[0]);
    for (size_t id = 0; id < Companies; ++id) {
        const TVxCompany& company = *byId[id];
        const std::vector<int32_t>& history = company.PriceHistory.Values();
        if (prices) {
            if (history.size() != History)
                throw std::length_error("a price history of " + std::to_string(history.size()) +
                                        " months");
            // A copy of a size known here is a few moves, not a call.
            std::memcpy(&FStorage.Prices[id * History], history.data(), History * sizeof(int32_t));
        }
        figures.Price = history.back();
        figures.SharesHeld = company.MyStockCount;
        figures.HoldingCost = company.MyStockCost;
        FStorage.Holdings[id] = company.MyStockCount / TradeLot;
        FStorage.BuyMax[id] = buying ? TradeBuyLotsUpTo(figures, INT32_MAX) : 0;
        FStorage.SellMax[id] =
            selling && company.MyStockCount > 0 ? TradeSellLotsUpTo(figures, INT32_MAX) : 0;
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

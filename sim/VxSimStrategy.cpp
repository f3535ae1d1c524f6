#include "sim/VxSimStrategy.h"

#include "game/VxConsts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

struct TEntry {
    std::string Description;
    TVxSimStrategyFactory Factory;
};

// Filled while the program starts, read-only once main() runs.
std::map<std::string, TEntry, std::less<>>& Registry() {
    static std::map<std::string, TEntry, std::less<>> registry;
    return registry;
}

// The held company with the largest market value that can be sold.
TVxCompany* LargestSellableHolding(const TVxSimTrader& trader) {
    const TVxCompanyList& owned = trader.Game().OwnerList;
    TVxCompany* best = nullptr;
    for (int32_t i = 0; i < owned.Count(); ++i) {
        TVxCompany* company = owned.Items(i);
        if (trader.LargestSale(*company).Lots == 0)
            continue;
        if (!best || company->MyStockValue() > best->MyStockValue() ||
            (company->MyStockValue() == best->MyStockValue() && company->ID < best->ID))
            best = company;
    }
    return best;
}

} // namespace

void TVxSimStrategy::RaiseCash(TVxSimTrader& trader) {
    // A sale in December raises the year's tax too, so the shortfall is
    // worked out again after every sale.
    const TVxGame& game = trader.Game();
    while (game.Money < game.MonthCost()) {
        TVxCompany* company = LargestSellableHolding(trader);
        if (!company)
            return;
        const int64_t shortfall = int64_t{game.MonthCost()} - game.Money;
        if (!trader.Sell(*company, trader.SaleFor(*company, shortfall)))
            return;
    }
}

int64_t TVxSimStrategy::CashToSpend(const TVxSimTrader& trader, int32_t reserveMonths) {
    const TVxGame& game = trader.Game();
    const int64_t reserve = int64_t{1 + reserveMonths} * LivingCost + game.Tax();
    return std::max<int64_t>(0, game.Money - reserve);
}

double TVxSimStrategy::PriceChange(const TVxCompany& company, int32_t months) {
    const TIntegerList& history = company.PriceHistory;
    const int32_t then = history.Get(std::max(0, history.Count() - 1 - months));
    return then > 0 ? static_cast<double>(history.Last()) / then : 0;
}

std::vector<TVxCompany*> TVxSimStrategy::Companies(const TVxCompanyList& list) {
    std::vector<TVxCompany*> companies;
    companies.reserve(static_cast<size_t>(list.Count()));
    for (int32_t i = 0; i < list.Count(); ++i)
        companies.push_back(list.Items(i));
    return companies;
}

bool VxSimRegisterStrategy(std::string name, std::string description,
                           TVxSimStrategyFactory factory) {
    const auto [where, added] =
        Registry().try_emplace(std::move(name), TEntry{std::move(description), std::move(factory)});
    if (!added) {
        std::fprintf(stderr, "ridolt-sim: strategy \"%s\" registered twice\n",
                     where->first.c_str());
        std::abort();
    }
    return true;
}

std::unique_ptr<TVxSimStrategy> VxSimCreateStrategy(std::string_view name) {
    const auto found = Registry().find(name);
    if (found == Registry().end())
        return nullptr;
    return found->second.Factory();
}

std::vector<TVxSimStrategyInfo> VxSimStrategies() {
    std::vector<TVxSimStrategyInfo> list;
    for (const auto& [name, entry] : Registry())
        list.push_back({name, entry.Description});
    return list;
}

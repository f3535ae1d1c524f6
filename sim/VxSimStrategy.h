#pragma once

// A way of playing the game.  Each month, before the turn, the simulator
// hands the strategy a trader; if the turn is then refused for lack of cash,
// it asks the strategy to raise the cash with sales only.
//
// A strategy keeps nothing from one month to the next: everything it knows
// comes from the game (which a save file holds) and the month's own draws,
// so a game continued from a save file is played exactly as the
// uninterrupted one.  One instance plays one game on one thread.
//
// A new strategy is one file in sim/strategies/ that registers itself:
//
//     const bool Registered = VxSimRegisterStrategy(
//         "name", "what it does", [] { return std::make_unique<TMyStrategy>(); });

#include "sim/VxSimTrader.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TVxSimStrategy {
public:
    virtual ~TVxSimStrategy() = default;

    // The month's trades, made before the turn.
    virtual void Trade(TVxSimTrader& trader) = 0;

    // The turn was refused: the cash does not cover the game's MonthCost().
    // Purchases are closed.  By default the largest holdings are sold, as
    // few lots as cover the shortfall, until the cash covers the month.
    virtual void RaiseCash(TVxSimTrader& trader);

protected:
    // Cash that can go into shares this month: the cash less the living
    // cost of the coming month and of `reserveMonths` more, and less the tax
    // due on this year's profit so far, kept back in every month and not
    // only in the one that pays it.  Never below 0.
    static int64_t CashToSpend(const TVxSimTrader& trader, int32_t reserveMonths);

    // The price now as a multiple of the price `months` months ago (at most
    // PriceHistoryLength - 1): 1.25 after a rise of 25 percent.
    static double PriceChange(const TVxCompany& company, int32_t months);

    // The `count` companies of `companies` with the highest `key` (a
    // number per company), highest first; equal keys are taken in ID order.
    template <typename KeyOf>
    static std::vector<TVxCompany*> Top(const std::vector<TVxCompany*>& companies, size_t count,
                                        KeyOf key) {
        struct TRanked {
            double Value;
            TVxCompany* Company;
        };
        std::vector<TRanked> ranked;
        ranked.reserve(companies.size());
        for (TVxCompany* company : companies)
            ranked.push_back({key(*company), company});
        const auto higher = [](const TRanked& a, const TRanked& b) {
            if (a.Value != b.Value)
                return a.Value > b.Value;
            return a.Company->ID < b.Company->ID;
        };
        count = std::min(count, ranked.size());
        std::partial_sort(ranked.begin(), ranked.begin() + static_cast<ptrdiff_t>(count),
                          ranked.end(), higher);
        std::vector<TVxCompany*> top;
        for (size_t i = 0; i < count; ++i)
            top.push_back(ranked[i].Company);
        return top;
    }

    // The companies of `list`, in list order.
    static std::vector<TVxCompany*> Companies(const TVxCompanyList& list);
};

using TVxSimStrategyFactory = std::function<std::unique_ptr<TVxSimStrategy>()>;

struct TVxSimStrategyInfo {
    std::string Name;
    std::string Description;
};

// Adds a strategy under `name`; returns true so that a file can register
// with a namespace-scope constant.  A name registered twice is a
// programming error and aborts at start-up.
bool VxSimRegisterStrategy(std::string name, std::string description,
                           TVxSimStrategyFactory factory);

// A new instance of the strategy `name`; nullptr for an unknown name.
std::unique_ptr<TVxSimStrategy> VxSimCreateStrategy(std::string_view name);

// Every registered strategy, by name.
std::vector<TVxSimStrategyInfo> VxSimStrategies();

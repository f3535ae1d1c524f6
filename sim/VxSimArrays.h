#pragma once

// The figures of a game by company ID, in flat arrays of 32-bit integers
// that a program reads in place, without a copy (the Python module hands
// them out as numpy views).  The model keeps each company's prices in a
// list of its own, in market order, so the arrays are a mirror of the
// game, brought up to date after every trade and every month:
//
//   Prices    CompanyCount rows of PriceHistoryLength: company i's prices,
//             oldest first, the current one last (row-major, C order)
//   Holdings  the lots held of company i
//   BuyMax    the most lots a purchase of company i settles now
//   SellMax   the most lots a sale of company i settles now
//   Cash      万円; Year and Month as the player sees them, from 1
//
// BuyMax and SellMax are the largest offers (VxSimLotsOpen): 0 once the
// game ended, and no purchase while a refused month waits for sales.

#include "game/VxGame.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class TVxSimArrays {
public:
    // Where one game's arrays live, owned by a TVxSimArrayStore.
    struct TStorage {
        std::span<int32_t> Prices;
        std::span<int32_t> Holdings;
        std::span<int32_t> BuyMax;
        std::span<int32_t> SellMax;
        int32_t* Cash = nullptr;
        int32_t* Year = nullptr;
        int32_t* Month = nullptr;
    };

    explicit TVxSimArrays(const TStorage& storage) : FStorage(storage) {}

    // Everything anew from `game`, whose companies `byId` lists by ID;
    // `prices` too unless they are unchanged since the last time (a trade
    // moves no price).  Throws std::length_error for a game of another
    // size than the arrays'.
    void Refresh(const TVxGame& game, const std::vector<TVxCompany*>& byId, bool prices);

private:
    TStorage FStorage;
};

// The arrays of `games` games, each array with a leading axis of games:
// game g's slice of an array is its g-th part.
class TVxSimArrayStore {
public:
    explicit TVxSimArrayStore(size_t games);
    TVxSimArrays::TStorage Slice(size_t game);

    std::vector<int32_t> Prices;
    std::vector<int32_t> Holdings;
    std::vector<int32_t> BuyMax;
    std::vector<int32_t> SellMax;
    std::vector<int32_t> Cash;
    std::vector<int32_t> Year;
    std::vector<int32_t> Month;
};

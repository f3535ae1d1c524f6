#pragma once

// A quiet market to build situations in: every company flat at 1000 yen
// for a year with no trend, nothing held, the first month of the first
// year.  Tests then shape the few companies they need.

#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxRandom.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

class TQuietMarket {
public:
    TQuietMarket() {
        Game.SetRandom(&Draws);
        Game.NewGame();
        for (int32_t i = 0; i < Game.MarketList.Count(); ++i)
            Game.MarketList.Items(i)->Reset();
        Game.Money = StartMoney;
    }

    TVxCompany& Company(int16_t id) {
        for (int32_t i = 0; i < Game.MarketList.Count(); ++i)
            if (Game.MarketList.Items(i)->ID == id)
                return *Game.MarketList.Items(i);
        throw std::out_of_range("no company " + std::to_string(id));
    }

    // The last prices of `id`, oldest first; earlier months keep 1000.
    TVxCompany& Prices(int16_t id, std::initializer_list<int32_t> prices) {
        TVxCompany& company = Company(id);
        for (const int32_t price : prices)
            company.PushPrice(price);
        return company;
    }

    void Hold(int16_t id, int32_t lots, int32_t cost) {
        TVxCompany& company = Company(id);
        company.MyStockCount = lots * TradeLot;
        company.MyStockCost = cost;
        Game.RebuildOwnerList();
    }

    TVxSeededRandom Draws{99};
    TVxGame Game;
};

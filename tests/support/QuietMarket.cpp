#include "tests/support/QuietMarket.h"

TQuietMarket::TQuietMarket() : FOwnGame(std::make_unique<TVxGame>()), Game(*FOwnGame) {
    Restart();
}

TQuietMarket::TQuietMarket(TVxGame& game) : Game(game) {
    Restart();
}

TQuietMarket::~TQuietMarket() {
    if (&Game.Random() == &Draws)
        Game.SetRandom(nullptr);
    if (Game.Events() == &Events)
        Game.SetEvents(nullptr);
}

void TQuietMarket::Restart() {
    Draws.Draws.clear();
    Draws.Neutral = true;
    Draws.Reseeds = 0;
    Draws.Ranges.clear();
    Events.Forget();
    Events.Watched = &Game;

    Game.SetRandom(&Draws);
    Game.SetEvents(&Events);
    // Fresh companies are the quiet market already; a new game's warm-up
    // would only move them and sort them again.
    Game.OwnerList.Clear();
    Game.MarketList.CreateNewCompanies();
    ResetYear(Game);
}

TVxCompany& TQuietMarket::Prices(int16_t id, std::initializer_list<int32_t> prices) const {
    TVxCompany& company = Company(id);
    for (const int32_t price : prices)
        company.PushPrice(price);
    return company;
}

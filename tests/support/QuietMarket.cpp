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
    if (Game.MessageLog == &Log)
        Game.MessageLog = nullptr;
    if (Game.MessageBoxSink == &Box)
        Game.MessageBoxSink = nullptr;
}

void TQuietMarket::Restart() {
    Draws.Draws.clear();
    Draws.Neutral = true;
    Draws.Reseeds = 0;
    Draws.Ranges.clear();
    Log.Lines.clear();
    Log.Clears = 0;
    Log.MaxDepth = 0;
    Box.Boxes.clear();
    Box.Watched = &Game;

    Game.SetRandom(&Draws);
    Game.MessageLog = &Log;
    Game.MessageBoxSink = &Box;
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

#include "sim/VxSimAnswers.h"

#include "platform/VxFileError.h"
#include "sim/VxSimEventText.h"

#include <algorithm>
#include <utility>

std::string_view VxSimOutcomeName(TVxGameOutcome outcome) {
    switch (outcome) {
    case TVxGameOutcome::Playing:
        break;
    case TVxGameOutcome::Won:
        return "won";
    case TVxGameOutcome::Lost:
        return "lost";
    }
    return "playing";
}

bool VxSimSideOpen(const TVxGame& game, TVxSimSide side) {
    return side == TVxSimSide::Buy ? game.PurchasesOpen() : !game.GameEnd;
}

int32_t VxSimLotsOpen(const TVxGame& game, const TVxCompany& company, TVxSimSide side,
                      int32_t lots) {
    if (!VxSimSideOpen(game, side))
        return 0;
    const TVxTradeFigures figures = game.TradeFigures(company);
    return side == TVxSimSide::Buy ? TradeBuyLotsUpTo(figures, lots)
                                   : TradeSellLotsUpTo(figures, lots);
}

std::vector<TVxCompany*> VxSimCompaniesById(const TVxGame& game) {
    std::vector<TVxCompany*> byId(static_cast<size_t>(game.MarketList.Count()), nullptr);
    for (int32_t i = 0; i < game.MarketList.Count(); ++i) {
        TVxCompany* company = game.MarketList.Items(i);
        if (company->ID >= 0 && company->ID < game.MarketList.Count())
            byId[static_cast<size_t>(company->ID)] = company;
    }
    return byId;
}

TVxSimAnswers::TVxSimAnswers(TVxSimGame& game, IVxSimSaveFolder* saves)
    : FGame(game), FSaves(saves), FById(VxSimCompaniesById(game.Game())) {
    FGame.Game().SetEvents(&FMessages);
}

TVxSimAnswers::~TVxSimAnswers() {
    FGame.Game().SetEvents(nullptr);
}

void TVxSimAnswers::TMessages::Happened(const TVxGameEvent& event) {
    for (std::string& line : VxSimEventMessages(event))
        Lines.push_back(std::move(line));
}

TVxSimBudget TVxSimAnswers::Budget() const {
    const TVxGame& game = FGame.Game();
    return {game.MonthCost(), game.Tax()};
}

std::vector<TVxSimHolding> TVxSimAnswers::Holdings() const {
    const TVxGame& game = FGame.Game();
    std::vector<TVxSimHolding> holdings;
    holdings.reserve(static_cast<size_t>(game.OwnerList.Count()));
    for (int32_t i = 0; i < game.OwnerList.Count(); ++i) {
        const TVxCompany& company = *game.OwnerList.Items(i);
        holdings.push_back({company.ID, company.MyStockCount / TradeLot, company.MyStockCount,
                            company.MyStockCost, company.MyStockPriceBuyingAverage(),
                            company.StockPrice(), company.MyStockValue()});
    }
    return holdings;
}

TVxSimOffersAnswer TVxSimAnswers::Offers(int32_t id, TVxSimSide side) const {
    const TVxGame& game = FGame.Game();
    const TVxCompany& company = *FById.at(static_cast<size_t>(id));
    TIntegerList lots;
    TIntegerList amounts;
    if (side == TVxSimSide::Buy)
        game.BuildBuyOffers(company, lots, amounts);
    else
        game.BuildSellOffers(company, lots, amounts);
    return {id, side, company.StockPrice(), lots.Values(), amounts.Values()};
}

void TVxSimAnswers::RefuseAfterTheEnd() const {
    const TVxGame& game = FGame.Game();
    if (game.GameEnd)
        throw EVxSimRequestError("game_ended",
                                 "the game has ended (" +
                                     std::string(VxSimOutcomeName(game.Outcome().Outcome)) + ")");
}

TVxSimTradeAnswer TVxSimAnswers::Trade(TVxSimSide side, int32_t id, int32_t lots) {
    FMessages.Lines.clear();
    TVxGame& game = FGame.Game();
    const bool buy = side == TVxSimSide::Buy;
    RefuseAfterTheEnd();
    if (buy && !game.PurchasesOpen())
        throw EVxSimRequestError(
            "purchases_closed",
            "the month was refused for lack of cash: sell, then ask for the next month");
    TVxCompany& company = *FById.at(static_cast<size_t>(id));
    const TVxTradeResult result = buy ? game.Buy(company, lots) : game.Sell(company, lots);
    if (!result.Settled())
        throw EVxSimRequestError("not_offered", VxSimRefusalMessage(result));
    TVxSimTradeAnswer answer;
    answer.Side = side;
    answer.Id = id;
    answer.Lots = result.Offer.Lots;
    answer.Price = company.StockPrice();
    answer.Amount = result.Offer.Money;
    answer.Cash = game.Money;
    answer.Shares = company.MyStockCount;
    answer.Budget = Budget();
    answer.GameClear = result.GameClear;
    answer.Messages = FMessages.Lines;
    return answer;
}

TVxSimNextAnswer TVxSimAnswers::Next() {
    FMessages.Lines.clear();
    RefuseAfterTheEnd();
    const TVxGame& game = FGame.Game();
    const TVxSimTurn turn = FGame.PlayTurn();
    TVxSimNextAnswer answer;
    answer.Refused = turn.Refused;
    answer.Year = int64_t{game.Year} + 1;
    answer.Month = game.Month + 1;
    answer.Cash = game.Money;
    answer.Budget = Budget();
    if (turn.Refused) {
        answer.Shortfall = int64_t{game.MonthCost()} - game.Money;
        answer.Messages = FMessages.Lines;
        return answer;
    }
    answer.TaxPaid = turn.Month.Tax;
    for (const TVxSimEvent& event : turn.Month.Events) {
        if (event.Kind == TVxSimEventKind::Bankruptcy)
            answer.Bankrupt.push_back(static_cast<int16_t>(event.CompanyID));
        answer.GameOver = answer.GameOver || event.Kind == TVxSimEventKind::GameOver;
    }
    answer.Restarted = turn.Restarted;
    answer.HoldingsValue = game.HoldingsValue();
    answer.Holdings = Holdings();
    answer.Prices.reserve(FById.size());
    for (const TVxCompany* company : FById)
        answer.Prices.push_back(company->StockPrice());
    answer.Messages = FMessages.Lines;
    return answer;
}

void TVxSimAnswers::Save(const std::string& path) {
    std::string file = path;
    try {
        if (FSaves)
            file = FSaves->FileFor(path);
        FGame.Save(file);
    } catch (const EVxFileError& e) {
        // Named as the request names it: the file, or the history beside it.
        const std::string named =
            e.Path().starts_with(file) ? path + e.Path().substr(file.size()) : e.Path();
        throw EVxSimRequestError("save_failed",
                                 named + ": cannot be written: " + e.code().message());
    }
}

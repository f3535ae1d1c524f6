#include "sim/VxSimServer.h"

#include "game/VxConsts.h"
#include "game/VxTrade.h"

#include <array>
#include <system_error>
#include <utility>

#ifndef RIDOLT_VERSION
#error "RIDOLT_VERSION must be defined by the build"
#endif

namespace {

std::string ShownCalendar(const TVxGame& game) {
    return std::to_string(int64_t{game.Year} + 1) + "年目" + std::to_string(game.Month + 1) + "月";
}

const char* Outcome(const TVxGame& game) {
    if (!game.GameEnd)
        return "playing";
    return game.Money >= GoalMoney ? "won" : "lost";
}

} // namespace

TVxSimServer::TVxSimServer(TVxSimGame& game) : FGame(game) {
    TVxGame& model = FGame.Game();
    model.MessageLog = &FMessages;
    model.MessageBoxSink = &FMessages;
    // A bankrupt company starts again as the same object, so the market
    // keeps its companies for the whole game.
    FById.assign(static_cast<size_t>(model.MarketList.Count()), nullptr);
    for (int32_t i = 0; i < model.MarketList.Count(); ++i) {
        TVxCompany* company = model.MarketList.Items(i);
        if (company->ID >= 0 && company->ID < model.MarketList.Count())
            FById[static_cast<size_t>(company->ID)] = company;
    }
}

TVxSimServer::~TVxSimServer() {
    TVxGame& model = FGame.Game();
    model.MessageLog = nullptr;
    model.MessageBoxSink = nullptr;
}

std::string TVxSimServer::Hello() {
    FJson.Clear();
    FJson.BeginObject();
    FJson.Key("hello");
    FJson.BeginObject();
    FJson.Key("protocol");
    FJson.Number(VxSimProtocolVersion);
    FJson.Key("program");
    FJson.String("ridolt-sim " RIDOLT_VERSION);
    FJson.Key("seed");
    FJson.Number(FGame.Seed());
    FJson.Key("rules");
    FJson.BeginObject();
    const std::pair<const char*, int32_t> rules[] = {{"shares_per_lot", TradeLot},
                                                     {"issued_shares", IssuedShares},
                                                     {"fee_percent", TradeFeePercent},
                                                     {"living_cost", LivingCost},
                                                     {"tax_percent", TaxRate},
                                                     {"start_money", StartMoney},
                                                     {"goal_money", GoalMoney},
                                                     {"lost_below", 0},
                                                     {"companies", CompanyCount},
                                                     {"price_history", PriceHistoryLength},
                                                     {"initial_price", InitialStockPrice},
                                                     {"max_price", MaxStockPrice}};
    for (const auto& [name, value] : rules) {
        FJson.Key(name);
        FJson.Number(value);
    }
    FJson.Key("money_unit");
    FJson.String("万円");
    FJson.Key("price_unit");
    FJson.String("円/株");
    FJson.EndObject();
    Calendar();
    FJson.Key("cash");
    FJson.Number(FGame.Game().Money);
    FJson.Key("outcome");
    FJson.String(Outcome(FGame.Game()));
    FJson.EndObject();
    FJson.EndObject();
    return std::string(FJson.Text());
}

std::string_view TVxSimServer::Answer(std::string_view line) {
    FJson.Clear();
    FMessages.Lines.clear();
    try {
        Execute(VxSimReadRequest(line));
    } catch (const EVxSimRequestError& e) {
        FJson.Clear();
        Error(e.Code(), e.what());
    }
    return FJson.Text();
}

void TVxSimServer::Error(std::string_view code, std::string_view message) {
    FJson.BeginObject();
    FJson.Key("ok");
    FJson.Bool(false);
    FJson.Key("error");
    FJson.String(code);
    FJson.Key("message");
    FJson.String(message);
    FJson.EndObject();
}

void TVxSimServer::Execute(const TVxSimRequest& request) {
    switch (request.Command) {
    case TVxSimCommand::State:
        return State();
    case TVxSimCommand::Offers:
        return Offers(request);
    case TVxSimCommand::Buy:
    case TVxSimCommand::Sell:
        return Trade(request);
    case TVxSimCommand::Next:
        return Next();
    case TVxSimCommand::Save:
        return Save(request);
    case TVxSimCommand::Quit:
        FQuit = true;
        FJson.BeginObject();
        FJson.Key("ok");
        FJson.Bool(true);
        FJson.Key("quit");
        FJson.Bool(true);
        FJson.EndObject();
        return;
    }
}

void TVxSimServer::Calendar() {
    const TVxGame& game = FGame.Game();
    FJson.Key("year");
    FJson.Number(int64_t{game.Year} + 1);
    FJson.Key("month");
    FJson.Number(game.Month + 1);
}

// What the coming turn takes and the tax due so far: a bot's budget.
void TVxSimServer::Balance() {
    const TVxGame& game = FGame.Game();
    FJson.Key("month_cost");
    FJson.Number(game.MonthCost());
    FJson.Key("tax_due");
    FJson.Number(game.Tax());
}

void TVxSimServer::Holdings() {
    const TVxGame& game = FGame.Game();
    FJson.Key("holdings_value");
    FJson.Number(game.HoldingsValue());
    FJson.Key("holdings");
    FJson.BeginArray();
    for (int32_t i = 0; i < game.OwnerList.Count(); ++i) {
        const TVxCompany& company = *game.OwnerList.Items(i);
        FJson.BeginObject();
        FJson.Key("id");
        FJson.Number(int32_t{company.ID});
        FJson.Key("lots");
        FJson.Number(company.MyStockCount / TradeLot);
        FJson.Key("shares");
        FJson.Number(company.MyStockCount);
        FJson.Key("cost");
        FJson.Number(company.MyStockCost);
        FJson.Key("average_price");
        FJson.Number(company.MyStockPriceBuyingAverage());
        FJson.Key("price");
        FJson.Number(company.StockPrice());
        FJson.Key("value");
        FJson.Number(company.MyStockValue());
        FJson.EndObject();
    }
    FJson.EndArray();
}

void TVxSimServer::Messages() {
    FJson.Key("messages");
    FJson.BeginArray();
    for (const std::string& line : FMessages.Lines)
        FJson.String(line);
    FJson.EndArray();
}

void TVxSimServer::State() {
    const TVxGame& game = FGame.Game();
    FJson.BeginObject();
    FJson.Key("ok");
    FJson.Bool(true);
    Calendar();
    FJson.Key("shown");
    FJson.String(ShownCalendar(game));
    FJson.Key("cash");
    FJson.Number(game.Money);
    FJson.Key("outcome");
    FJson.String(Outcome(game));
    FJson.Key("purchases_open");
    FJson.Bool(!game.GameEnd && !FRaisingCash);
    Balance();
    const std::pair<const char*, std::array<int32_t, 5>> years[] = {
        {"this_year",
         {game.Income(), game.Expense(), game.Profit(), game.Tax(), game.ProfitAfterTax()}},
        {"last_year",
         {game.PreIncome(), game.PreExpense(), game.PreProfit(), game.PreTax(),
          game.PreProfitAfterTax()}}};
    for (const auto& [name, totals] : years) {
        FJson.Key(name);
        FJson.BeginObject();
        const char* keys[] = {"income", "expense", "profit", "tax", "profit_after_tax"};
        for (size_t i = 0; i < totals.size(); ++i) {
            FJson.Key(keys[i]);
            FJson.Number(totals[i]);
        }
        FJson.EndObject();
    }
    Holdings();
    FJson.Key("companies");
    FJson.BeginArray();
    for (const TVxCompany* company : FById) {
        FJson.BeginObject();
        FJson.Key("id");
        FJson.Number(int32_t{company->ID});
        FJson.Key("prices");
        FJson.BeginArray();
        for (int32_t k = 0; k < company->PriceHistory.Count(); ++k)
            FJson.Number(company->PriceHistory.Get(k));
        FJson.EndArray();
        FJson.EndObject();
    }
    FJson.EndArray();
    FJson.EndObject();
}

void TVxSimServer::Offers(const TVxSimRequest& request) {
    const TVxGame& game = FGame.Game();
    const TVxCompany& company = *FById[static_cast<size_t>(request.Id)];
    TIntegerList lots;
    TIntegerList amounts;
    if (request.Side == TVxSimSide::Buy)
        BuildBuyOffers(game, company, lots, amounts);
    else
        BuildSellOffers(game, company, lots, amounts);
    FJson.BeginObject();
    FJson.Key("ok");
    FJson.Bool(true);
    FJson.Key("id");
    FJson.Number(request.Id);
    FJson.Key("side");
    FJson.String(VxSimSideName(request.Side));
    FJson.Key("price");
    FJson.Number(company.StockPrice());
    FJson.Key("lots");
    FJson.BeginArray();
    for (const int32_t count : lots.Values())
        FJson.Number(count);
    FJson.EndArray();
    FJson.Key("amounts");
    FJson.BeginArray();
    for (const int32_t amount : amounts.Values())
        FJson.Number(amount);
    FJson.EndArray();
    FJson.EndObject();
}

void TVxSimServer::Trade(const TVxSimRequest& request) {
    const TVxGame& game = FGame.Game();
    const bool buy = request.Command == TVxSimCommand::Buy;
    if (game.GameEnd)
        return Error("game_ended", std::string("the game has ended (") + Outcome(game) + ")");
    if (buy && FRaisingCash)
        return Error("purchases_closed",
                     "the month was refused for lack of cash: sell, then ask for the next month");
    TVxCompany& company = *FById[static_cast<size_t>(request.Id)];
    TVxSimTrader trader = FGame.Trader(FRaisingCash);
    const TVxSimTrader::TOffer offer =
        buy ? trader.Purchase(company, request.Lots) : trader.Sale(company, request.Lots);
    try {
        if (buy)
            trader.SettleBuy(company, offer);
        else
            trader.SettleSell(company, offer);
    } catch (const EVxTradeError& e) {
        return Error("not_offered", e.what());
    }
    FJson.BeginObject();
    FJson.Key("ok");
    FJson.Bool(true);
    FJson.Key("side");
    FJson.String(buy ? "buy" : "sell");
    FJson.Key("id");
    FJson.Number(request.Id);
    FJson.Key("lots");
    FJson.Number(offer.Lots);
    FJson.Key("price");
    FJson.Number(company.StockPrice());
    FJson.Key("amount");
    FJson.Number(offer.Money);
    FJson.Key("cash");
    FJson.Number(game.Money);
    FJson.Key("shares");
    FJson.Number(company.MyStockCount);
    Balance();
    FJson.Key("game_clear");
    FJson.Bool(game.GameEnd);
    Messages();
    FJson.EndObject();
}

void TVxSimServer::Next() {
    const TVxGame& game = FGame.Game();
    if (game.GameEnd)
        return Error("game_ended", std::string("the game has ended (") + Outcome(game) + ")");
    const TVxSimTurn turn = FGame.PlayTurn();
    FRaisingCash = turn.Refused;
    FJson.BeginObject();
    FJson.Key("ok");
    FJson.Bool(true);
    FJson.Key("refused");
    FJson.Bool(turn.Refused);
    Calendar();
    FJson.Key("cash");
    FJson.Number(game.Money);
    Balance();
    if (turn.Refused) {
        FJson.Key("shortfall");
        FJson.Number(int64_t{game.MonthCost()} - game.Money);
        Messages();
        FJson.EndObject();
        return;
    }
    FJson.Key("tax_paid");
    FJson.Number(turn.Month.Tax);
    FJson.Key("bankrupt");
    FJson.BeginArray();
    bool gameOver = false;
    for (const TVxSimEvent& event : turn.Month.Events) {
        if (event.Kind == TVxSimEventKind::Bankruptcy)
            FJson.Number(event.CompanyID);
        gameOver = gameOver || event.Kind == TVxSimEventKind::GameOver;
    }
    FJson.EndArray();
    FJson.Key("game_over");
    FJson.Bool(gameOver);
    FJson.Key("restarted");
    FJson.BeginArray();
    for (const int16_t id : turn.Restarted)
        FJson.Number(int32_t{id});
    FJson.EndArray();
    Holdings();
    FJson.Key("prices");
    FJson.BeginArray();
    for (const TVxCompany* company : FById)
        FJson.Number(company->StockPrice());
    FJson.EndArray();
    Messages();
    FJson.EndObject();
}

void TVxSimServer::Save(const TVxSimRequest& request) {
    try {
        FGame.Save(request.Path);
    } catch (const std::system_error& e) {
        return Error("save_failed", request.Path + ": cannot be written: " + e.code().message());
    }
    FJson.BeginObject();
    FJson.Key("ok");
    FJson.Bool(true);
    FJson.Key("path");
    FJson.String(request.Path);
    FJson.EndObject();
}

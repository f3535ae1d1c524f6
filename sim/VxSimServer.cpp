#include "sim/VxSimServer.h"

#include "game/VxConsts.h"
#include "game/VxFileError.h"
#include "game/VxTrade.h"
#include "game/VxUtils.h"
#include "sim/VxSimFields.h"

#include <array>
#include <utility>

#ifndef RIDOLT_VERSION
#error "RIDOLT_VERSION must be defined by the build"
#endif

namespace {

const char* Outcome(const TVxGame& game) {
    if (!game.GameEnd)
        return "playing";
    return game.Money >= GoalMoney ? "won" : "lost";
}

} // namespace

TVxSimServer::TVxSimServer(TVxSimGame& game, IVxSimSaveFolder* saves) : FGame(game), FSaves(saves) {
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
    const TVxGame& game = FGame.Game();
    TVxSimFields(FJson).Object("hello", [&](TVxSimFields& hello) {
        hello.Field("protocol", VxSimProtocolVersion)
            .Field("program", "ridolt-sim " RIDOLT_VERSION)
            .Field("seed", FGame.Seed())
            .Object("rules", [](TVxSimFields& rules) {
                rules.Field("shares_per_lot", TradeLot)
                    .Field("issued_shares", IssuedShares)
                    .Field("fee_percent", TradeFeePercent)
                    .Field("living_cost", LivingCost)
                    .Field("tax_percent", TaxRate)
                    .Field("start_money", StartMoney)
                    .Field("goal_money", GoalMoney)
                    .Field("lost_below", 0)
                    .Field("companies", CompanyCount)
                    .Field("price_history", PriceHistoryLength)
                    .Field("initial_price", InitialStockPrice)
                    .Field("max_price", MaxStockPrice)
                    .Field("money_unit", "万円")
                    .Field("price_unit", "円/株");
            });
        Calendar(hello);
        hello.Field("cash", game.Money).Field("outcome", Outcome(game));
    });
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
    TVxSimFields(FJson).Field("ok", false).Field("error", code).Field("message", message);
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
        TVxSimOkAnswer(FJson).Field("quit", true);
        return;
    }
}

void TVxSimServer::Calendar(TVxSimFields& fields) const {
    const TVxGame& game = FGame.Game();
    fields.Field("year", int64_t{game.Year} + 1).Field("month", game.Month + 1);
}

// What the coming turn takes and the tax due so far: a bot's budget.
void TVxSimServer::Balance(TVxSimFields& fields) const {
    const TVxGame& game = FGame.Game();
    fields.Field("month_cost", game.MonthCost()).Field("tax_due", game.Tax());
}

void TVxSimServer::Holdings(TVxSimFields& fields) const {
    const TVxGame& game = FGame.Game();
    fields.Field("holdings_value", game.HoldingsValue());
    fields.Array("holdings", [&](TVxSimJsonWriter& json) {
        for (int32_t i = 0; i < game.OwnerList.Count(); ++i) {
            const TVxCompany& company = *game.OwnerList.Items(i);
            TVxSimFields(json)
                .Field("id", company.ID)
                .Field("lots", company.MyStockCount / TradeLot)
                .Field("shares", company.MyStockCount)
                .Field("cost", company.MyStockCost)
                .Field("average_price", company.MyStockPriceBuyingAverage())
                .Field("price", company.StockPrice())
                .Field("value", company.MyStockValue());
        }
    });
}

void TVxSimServer::Messages(TVxSimFields& fields) const {
    fields.Array("messages", [&](TVxSimJsonWriter& json) {
        for (const std::string& line : FMessages.Lines)
            json.String(line);
    });
}

void TVxSimServer::State() {
    const TVxGame& game = FGame.Game();
    TVxSimOkAnswer answer(FJson);
    Calendar(answer);
    answer.Field("shown", CalendarText(game.Year, game.Month))
        .Field("cash", game.Money)
        .Field("outcome", Outcome(game))
        .Field("purchases_open", !game.GameEnd && !game.SalesAwaited());
    Balance(answer);
    const auto year = [](int32_t income, int32_t expense, int32_t profit, int32_t tax,
                         int32_t afterTax) {
        return [=](TVxSimFields& totals) {
            totals.Field("income", income)
                .Field("expense", expense)
                .Field("profit", profit)
                .Field("tax", tax)
                .Field("profit_after_tax", afterTax);
        };
    };
    answer.Object("this_year", year(game.Income(), game.Expense(), game.Profit(), game.Tax(),
                                    game.ProfitAfterTax()));
    answer.Object("last_year", year(game.PreIncome(), game.PreExpense(), game.PreProfit(),
                                    game.PreTax(), game.PreProfitAfterTax()));
    Holdings(answer);
    answer.Array("companies", [&](TVxSimJsonWriter& json) {
        for (const TVxCompany* company : FById)
            TVxSimFields(json)
                .Field("id", company->ID)
                .Numbers("prices", company->PriceHistory.Values());
    });
}

void TVxSimServer::Offers(const TVxSimRequest& request) {
    const TVxGame& game = FGame.Game();
    const TVxCompany& company = *FById[static_cast<size_t>(request.Id)];
    TIntegerList lots;
    TIntegerList amounts;
    if (request.Side == TVxSimSide::Buy)
        game.BuildBuyOffers(company, lots, amounts);
    else
        game.BuildSellOffers(company, lots, amounts);
    TVxSimOkAnswer(FJson)
        .Field("id", request.Id)
        .Field("side", VxSimSideName(request.Side))
        .Field("price", company.StockPrice())
        .Numbers("lots", lots.Values())
        .Numbers("amounts", amounts.Values());
}

void TVxSimServer::Trade(const TVxSimRequest& request) {
    TVxGame& game = FGame.Game();
    const bool buy = request.Command == TVxSimCommand::Buy;
    if (game.GameEnd)
        return Error("game_ended", std::string("the game has ended (") + Outcome(game) + ")");
    if (buy && game.SalesAwaited())
        return Error("purchases_closed",
                     "the month was refused for lack of cash: sell, then ask for the next month");
    TVxCompany& company = *FById[static_cast<size_t>(request.Id)];
    const TVxTradeResult result =
        buy ? game.Buy(company, request.Lots) : game.Sell(company, request.Lots);
    if (!result.Settled())
        return Error("not_offered", result.Reason());
    TVxSimOkAnswer answer(FJson);
    answer.Field("side", buy ? "buy" : "sell")
        .Field("id", request.Id)
        .Field("lots", result.Offer.Lots)
        .Field("price", company.StockPrice())
        .Field("amount", result.Offer.Money)
        .Field("cash", game.Money)
        .Field("shares", company.MyStockCount);
    Balance(answer);
    answer.Field("game_clear", result.GameClear);
    Messages(answer);
}

void TVxSimServer::Next() {
    const TVxGame& game = FGame.Game();
    if (game.GameEnd)
        return Error("game_ended", std::string("the game has ended (") + Outcome(game) + ")");
    const TVxSimTurn turn = FGame.PlayTurn();
    TVxSimOkAnswer answer(FJson);
    answer.Field("refused", turn.Refused);
    Calendar(answer);
    answer.Field("cash", game.Money);
    Balance(answer);
    if (turn.Refused) {
        answer.Field("shortfall", int64_t{game.MonthCost()} - game.Money);
        Messages(answer);
        return;
    }
    const std::vector<TVxSimEvent>& events = turn.Month.Events;
    answer.Field("tax_paid", turn.Month.Tax).Array("bankrupt", [&](TVxSimJsonWriter& json) {
        for (const TVxSimEvent& event : events)
            if (event.Kind == TVxSimEventKind::Bankruptcy)
                json.Number(int64_t{event.CompanyID});
    });
    const bool gameOver = std::ranges::any_of(
        events, [](const TVxSimEvent& event) { return event.Kind == TVxSimEventKind::GameOver; });
    answer.Field("game_over", gameOver).Numbers("restarted", turn.Restarted);
    Holdings(answer);
    answer.Array("prices", [&](TVxSimJsonWriter& json) {
        for (const TVxCompany* company : FById)
            json.Number(int64_t{company->StockPrice()});
    });
    Messages(answer);
}

void TVxSimServer::Save(const TVxSimRequest& request) {
    std::string file = request.Path;
    try {
        if (FSaves)
            file = FSaves->FileFor(request.Path);
        FGame.Save(file);
    } catch (const EVxFileError& e) {
        // Named as the request names it: the file, or the history beside it.
        const std::string named =
            e.Path().starts_with(file) ? request.Path + e.Path().substr(file.size()) : e.Path();
        return Error("save_failed", named + ": cannot be written: " + e.code().message());
    }
    TVxSimOkAnswer(FJson).Field("path", request.Path);
}

#include "sim/VxSimServer.h"

#include "game/VxUtils.h"
#include "sim/VxSimFields.h"

#ifndef RIDOLT_VERSION
#error "RIDOLT_VERSION must be defined by the build"
#endif

TVxSimServer::TVxSimServer(TVxSimGame& game, IVxSimSaveFolder* saves)
    : FGame(game), FAnswers(game, saves) {}

TVxSimServer::~TVxSimServer() = default;

std::string TVxSimServer::Hello() {
    FJson.Clear();
    const TVxGame& game = FGame.Game();
    TVxSimFields(FJson).Object("hello", [&](TVxSimFields& hello) {
        hello.Field("protocol", VxSimProtocolVersion)
            .Field("program", "ridolt-sim " RIDOLT_VERSION)
            .Field("seed", FGame.Seed())
            .Object("rules", [](TVxSimFields& rules) {
                for (const TVxSimRule& rule : VxSimRules)
                    rules.Field(rule.Name, rule.Value);
                rules.Field("money_unit", VxSimMoneyUnit).Field("price_unit", VxSimPriceUnit);
            });
        Calendar(hello);
        hello.Field("cash", game.Money).Field("outcome", VxSimOutcomeName(game.Outcome().Outcome));
    });
    return std::string(FJson.Text());
}

std::string_view TVxSimServer::Answer(std::string_view line) {
    FJson.Clear();
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

void TVxSimServer::Budget(TVxSimFields& fields, const TVxSimBudget& budget) const {
    fields.Field("month_cost", budget.MonthCost).Field("tax_due", budget.TaxDue);
}

void TVxSimServer::Holdings(TVxSimFields& fields, int64_t value,
                            const std::vector<TVxSimHolding>& holdings) const {
    fields.Field("holdings_value", value);
    fields.Array("holdings", [&](TVxSimJsonWriter& json) {
        for (const TVxSimHolding& holding : holdings)
            TVxSimFields(json)
                .Field("id", holding.Id)
                .Field("lots", holding.Lots)
                .Field("shares", holding.Shares)
                .Field("cost", holding.Cost)
                .Field("average_price", holding.AveragePrice)
                .Field("price", holding.Price)
                .Field("value", holding.Value);
    });
}

void TVxSimServer::Messages(TVxSimFields& fields, const std::vector<std::string>& lines) const {
    fields.Array("messages", [&](TVxSimJsonWriter& json) {
        for (const std::string& line : lines)
            json.String(line);
    });
}

void TVxSimServer::State() {
    const TVxGame& game = FGame.Game();
    TVxSimOkAnswer answer(FJson);
    Calendar(answer);
    answer.Field("shown", CalendarText(game.Year, game.Month))
        .Field("cash", game.Money)
        .Field("outcome", VxSimOutcomeName(game.Outcome().Outcome))
        .Field("purchases_open", game.PurchasesOpen());
    Budget(answer, FAnswers.Budget());
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
    Holdings(answer, game.HoldingsValue(), FAnswers.Holdings());
    answer.Array("companies", [&](TVxSimJsonWriter& json) {
        for (const TVxCompany* company : FAnswers.ById())
            TVxSimFields(json)
                .Field("id", company->ID)
                .Numbers("prices", company->PriceHistory.Values());
    });
}

void TVxSimServer::Offers(const TVxSimRequest& request) {
    const TVxSimOffersAnswer offers = FAnswers.Offers(request.Id, request.Side);
    TVxSimOkAnswer(FJson)
        .Field("id", offers.Id)
        .Field("side", VxSimSideName(offers.Side))
        .Field("price", offers.Price)
        .Numbers("lots", offers.Lots)
        .Numbers("amounts", offers.Amounts);
}

void TVxSimServer::Trade(const TVxSimRequest& request) {
    const TVxSimSide side =
        request.Command == TVxSimCommand::Buy ? TVxSimSide::Buy : TVxSimSide::Sell;
    const TVxSimTradeAnswer trade = FAnswers.Trade(side, request.Id, request.Lots);
    TVxSimOkAnswer answer(FJson);
    answer.Field("side", VxSimSideName(trade.Side))
        .Field("id", trade.Id)
        .Field("lots", trade.Lots)
        .Field("price", trade.Price)
        .Field("amount", trade.Amount)
        .Field("cash", trade.Cash)
        .Field("shares", trade.Shares);
    Budget(answer, trade.Budget);
    answer.Field("game_clear", trade.GameClear);
    Messages(answer, trade.Messages);
}

void TVxSimServer::Next() {
    const TVxSimNextAnswer month = FAnswers.Next();
    TVxSimOkAnswer answer(FJson);
    answer.Field("refused", month.Refused)
        .Field("year", month.Year)
        .Field("month", month.Month)
        .Field("cash", month.Cash);
    Budget(answer, month.Budget);
    if (month.Refused) {
        answer.Field("shortfall", month.Shortfall);
        Messages(answer, month.Messages);
        return;
    }
    answer.Field("tax_paid", month.TaxPaid)
        .Numbers("bankrupt", month.Bankrupt)
        .Field("game_over", month.GameOver)
        .Numbers("restarted", month.Restarted);
    Holdings(answer, month.HoldingsValue, month.Holdings);
    answer.Numbers("prices", month.Prices);
    Messages(answer, month.Messages);
}

void TVxSimServer::Save(const TVxSimRequest& request) {
    FAnswers.Save(request.Path);
    TVxSimOkAnswer(FJson).Field("path", request.Path);
}

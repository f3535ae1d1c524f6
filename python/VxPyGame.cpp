// ridolt.Game: one game as `serve` plays it, request by request, with its
// answers as Python values and its figures as numpy views.

#include "python/VxPyModule.h"

#include "game/VxConsts.h"
#include "game/VxSeed.h"
#include "sim/VxSimAnswers.h"
#include "sim/VxSimArrays.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimJson.h"
#include "sim/VxSimRequest.h"
#include "sim/VxSimServer.h"

#include <pybind11/stl.h>

#include <memory>
#include <string>
#include <string_view>

namespace {

py::str Text(std::string_view text) {
    return {text.data(), text.size()};
}

py::list Texts(const std::vector<std::string>& lines) {
    py::list texts;
    for (const std::string& line : lines)
        texts.append(Text(line));
    return texts;
}

void AddBudget(py::dict& answer, const TVxSimBudget& budget) {
    answer["month_cost"] = budget.MonthCost;
    answer["tax_due"] = budget.TaxDue;
}

void AddHoldings(py::dict& answer, int64_t value, const std::vector<TVxSimHolding>& holdings) {
    answer["holdings_value"] = value;
    py::list list;
    for (const TVxSimHolding& holding : holdings) {
        py::dict entry;
        entry["id"] = holding.Id;
        entry["lots"] = holding.Lots;
        entry["shares"] = holding.Shares;
        entry["cost"] = holding.Cost;
        entry["average_price"] = holding.AveragePrice;
        entry["price"] = holding.Price;
        entry["value"] = holding.Value;
        list.append(entry);
    }
    answer["holdings"] = list;
}

// A game of ridolt-sim serve and its arrays by ID, kept up to date after
// every request that changes the game.
class TVxPyGame {
public:
    explicit TVxPyGame(std::optional<uint64_t> seed) : FGame(seed.value_or(VxDrawSeed())) {
        FGame.NewGame();
        FServer = std::make_unique<TVxSimServer>(FGame);
        Refresh(true);
    }

    const TVxGame& Model() const { return FGame.Game(); }
    uint64_t Seed() const { return FGame.Seed(); }
    // A new game starts at month 0 of year 0, and only turns move the
    // calendar.
    int64_t Months() const { return VxMonthIndex(Model().Year, Model().Month); }
    int64_t Total() const { return FGame.Fortune(); }
    TVxSimArrayStore& Store() { return FStore; }

    py::dict Trade(TVxSimSide side, py::handle id, py::handle lots) {
        const TVxSimTradeAnswer trade = Answers().Trade(side, VxSimCompanyId(VxPyWholeNumber(id)),
                                                        VxSimLots(VxPyWholeNumber(lots)));
        Refresh(false);
        py::dict answer;
        answer["side"] = Text(VxSimSideName(trade.Side));
        answer["id"] = trade.Id;
        answer["lots"] = trade.Lots;
        answer["price"] = trade.Price;
        answer["amount"] = trade.Amount;
        answer["cash"] = trade.Cash;
        answer["shares"] = trade.Shares;
        AddBudget(answer, trade.Budget);
        answer["game_clear"] = trade.GameClear;
        answer["messages"] = Texts(trade.Messages);
        return answer;
    }

    py::dict Offers(py::handle id, const std::string& side) {
        const TVxSimOffersAnswer offers =
            Answers().Offers(VxSimCompanyId(VxPyWholeNumber(id)), VxSimSide(side));
        py::dict answer;
        answer["id"] = offers.Id;
        answer["side"] = Text(VxSimSideName(offers.Side));
        answer["price"] = offers.Price;
        answer["lots"] = offers.Lots;
        answer["amounts"] = offers.Amounts;
        return answer;
    }

    py::dict Next() {
        const TVxSimNextAnswer month = Answers().Next();
        Refresh(!month.Refused);
        py::dict answer;
        answer["refused"] = month.Refused;
        answer["year"] = month.Year;
        answer["month"] = month.Month;
        answer["cash"] = month.Cash;
        AddBudget(answer, month.Budget);
        if (month.Refused) {
            answer["shortfall"] = month.Shortfall;
            answer["messages"] = Texts(month.Messages);
            return answer;
        }
        answer["tax_paid"] = month.TaxPaid;
        answer["bankrupt"] = month.Bankrupt;
        answer["game_over"] = month.GameOver;
        answer["restarted"] = month.Restarted;
        AddHoldings(answer, month.HoldingsValue, month.Holdings);
        answer["prices"] = month.Prices;
        answer["messages"] = Texts(month.Messages);
        return answer;
    }

    py::dict Save(py::handle path) {
        // A file name as the system takes it: str through os.fsencode (a
        // lone surrogate that no file name holds is refused as serve
        // refuses it), bytes as they are.
        std::string name;
        try {
            name = py::module_::import("os").attr("fsencode")(path).cast<std::string>();
        } catch (const py::error_already_set& e) {
            if (!e.matches(PyExc_UnicodeError))
                throw;
            throw EVxSimRequestError("not_utf8", "the path holds a lone UTF-16 surrogate");
        }
        VxSimCheckPath(name);
        try {
            Answers().Save(name);
        } catch (const EVxSimRequestError& e) {
            throw EVxSimRequestError(e.Code(), VxSimValidUtf8(e.what()));
        }
        py::dict answer;
        answer["path"] = py::module_::import("os").attr("fspath")(path);
        return answer;
    }

    // The protocol itself, a line at a time, for a program that speaks it.
    std::string HelloLine() { return FServer->Hello(); }
    std::string AnswerLine(const std::string& line) {
        std::string answer(FServer->Answer(line));
        Refresh(true);
        return answer;
    }

private:
    TVxSimAnswers& Answers() { return FServer->Answers(); }
    void Refresh(bool prices) { FArrays.Refresh(Model(), Answers().ById(), prices); }

    TVxSimGame FGame;
    std::unique_ptr<TVxSimServer> FServer;
    TVxSimArrayStore FStore{1};
    TVxSimArrays FArrays{FStore.Slice(0)};
};

} // namespace

void VxPyBindGame(py::module_& module) {
    py::class_<TVxPyGame>(module, "Game", R"(One game of ridolt-sim serve, played in-process.

Game(seed=None) starts a new game of `seed` (drawn when None): the market,
numbers and months of `ridolt-sim serve --seed SEED`.  buy, sell, offers
and next answer as serve answers, as Python values (without "ok"); a
refused request raises RidoltError with the protocol's error code and
changes nothing.  prices, holdings, buy_max and sell_max are read-only
numpy views of the game's own arrays, by company ID: they follow the game
as it goes on, without a copy (np.array(view) keeps a month).
Money in 万円, prices in yen per share, lots of 1000 shares.)")
        .def(py::init([](py::handle seed) { return std::make_unique<TVxPyGame>(VxPySeed(seed)); }),
             py::arg("seed") = py::none())
        .def_property_readonly("seed", &TVxPyGame::Seed)
        .def_property_readonly(
            "year", [](const TVxPyGame& game) { return int64_t{game.Model().Year} + 1; },
            "The year as the player sees it, from 1.")
        .def_property_readonly(
            "month", [](const TVxPyGame& game) { return game.Model().Month + 1; },
            "The month, 1 to 12.")
        .def_property_readonly(
            "cash", [](const TVxPyGame& game) { return game.Model().Money; }, "The cash, 万円.")
        .def_property_readonly(
            "outcome",
            [](const TVxPyGame& game) {
                return Text(VxSimOutcomeName(game.Model().Outcome().Outcome));
            },
            "'playing', 'won' or 'lost'.")
        .def_property_readonly(
            "purchases_open", [](const TVxPyGame& game) { return game.Model().PurchasesOpen(); },
            "False after the game ended and while a refused month waits for sales.")
        .def_property_readonly("months", &TVxPyGame::Months, "Months played since the new game.")
        .def_property_readonly("total", &TVxPyGame::Total,
                               "総資産: the cash and the market value of the holdings, 万円.")
        .def_property_readonly(
            "prices",
            [](py::object self) {
                TVxSimArrayStore& store = self.cast<TVxPyGame&>().Store();
                return VxPyView(std::span(store.Prices), {CompanyCount, PriceHistoryLength}, self);
            },
            "int32 (1000, 12): each company's last twelve prices by ID, oldest first.")
        .def_property_readonly(
            "holdings",
            [](py::object self) {
                return VxPyView(std::span(self.cast<TVxPyGame&>().Store().Holdings), {CompanyCount},
                                self);
            },
            "int32 (1000,): the lots held of each company.")
        .def_property_readonly(
            "buy_max",
            [](py::object self) {
                return VxPyView(std::span(self.cast<TVxPyGame&>().Store().BuyMax), {CompanyCount},
                                self);
            },
            "int32 (1000,): the most lots a purchase of each company settles now;\n"
            "every count from 1 to it does.")
        .def_property_readonly(
            "sell_max",
            [](py::object self) {
                return VxPyView(std::span(self.cast<TVxPyGame&>().Store().SellMax), {CompanyCount},
                                self);
            },
            "int32 (1000,): the most lots a sale of each company settles now; every count\n"
            "up to it does, save the few lots of a cheap company that bring in nothing.")
        .def(
            "buy",
            [](TVxPyGame& game, py::handle id, py::handle lots) {
                return game.Trade(TVxSimSide::Buy, id, lots);
            },
            py::arg("id"), py::arg("lots"), "Buys exactly `lots` lots of company `id`.")
        .def(
            "sell",
            [](TVxPyGame& game, py::handle id, py::handle lots) {
                return game.Trade(TVxSimSide::Sell, id, lots);
            },
            py::arg("id"), py::arg("lots"), "Sells exactly `lots` lots of company `id`.")
        .def("offers", &TVxPyGame::Offers, py::arg("id"), py::arg("side"),
             "What the trade dialog offers now for company `id`, side 'buy' or 'sell'.")
        .def("next", &TVxPyGame::Next, "The monthly turn.")
        .def("save", &TVxPyGame::Save, py::arg("path"),
             "Writes the save file and the history beside it, as serve's save.")
        .def("hello_line", &TVxPyGame::HelloLine, "The hello line of serve for this game, as JSON.")
        .def("answer_line", &TVxPyGame::AnswerLine, py::arg("line"),
             "serve's answer to one request line, as JSON (without the line end).");
}

// `serve`: request lines and their answers, bad input of every kind (each
// refused with its code and the game unchanged), a served game against the
// same game played by `run`, saving and continuing, the record and replay.

#include "sim/VxSimServe.h"

#include "game/VxConsts.h"
#include "sim/VxSimStrategy.h"
#include "tests/sim/SimTestSupport.h"
#include "tests/support/Files.h"
#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"
#include "tests/support/ScratchDir.h"

#include <rapidjson/document.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

std::vector<int32_t> Ints(const rapidjson::Value& array) {
    std::vector<int32_t> values;
    for (const auto& value : array.GetArray())
        values.push_back(value.GetInt());
    return values;
}

std::string Repeated(std::string_view text, size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (size_t i = 0; i < times; ++i)
        out += text;
    return out;
}

std::string ErrorOf(const rapidjson::Document& answer) {
    if (!answer.HasMember("ok") || answer["ok"].GetBool() || !answer.HasMember("error"))
        return "(no error)";
    return answer["error"].GetString();
}

// A served game on a quiet market (every company at 1000 yen), continued
// from its save file as `serve --load` does; the shaping is done on the
// market before the game is served.
class Served : public testing::Test {
protected:
    void Serve() {
        const std::string file = Dir.File("start.sav");
        Market.Game.SaveToFile(file);
        Game = std::make_unique<TVxSimGame>(7);
        Game->Load(file);
        Server = std::make_unique<TVxSimServer>(*Game);
    }

    rapidjson::Document Ask(std::string_view line) {
        Text = std::string(Server->Answer(line));
        return Parsed(Text);
    }

    TScratchDir Dir;
    TQuietMarket Market;
    std::unique_ptr<TVxSimGame> Game;
    std::unique_ptr<TVxSimServer> Server;
    std::string Text;
};

struct TBadRequest {
    const char* Name;
    std::string Line;
    const char* Error;
    const char* Message; // a part of the message
};

void PrintTo(const TBadRequest& request, std::ostream* out) {
    *out << request.Name;
}

class ServedRefuses : public Served, public testing::WithParamInterface<TBadRequest> {};

// Company 5 stands at 1000 yen with 3 lots held; cash 500: 4 lots (440)
// can be bought, 5 (550) cannot.
TEST_P(ServedRefuses, WithItsCodeAndTheGameUnchanged) {
    Market.Game.Money = 500;
    Hold(Market.Game, Market.Company(5), 3 * TradeLot, 330);
    Serve();
    const std::vector<uint8_t> before = SaveBytes(Game->Game());

    const rapidjson::Document answer = Ask(GetParam().Line);

    EXPECT_EQ(ErrorOf(answer), GetParam().Error) << Text;
    ASSERT_TRUE(answer.HasMember("message")) << Text;
    EXPECT_NE(std::string(answer["message"].GetString()).find(GetParam().Message),
              std::string::npos)
        << Text;
    EXPECT_EQ(SaveBytes(Game->Game()), before);
    // The session goes on.
    EXPECT_TRUE(Ask(R"({"cmd":"state"})")["ok"].GetBool());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ServedRefuses,
    testing::Values(
        TBadRequest{"empty", "", "not_json", "not JSON"},
        TBadRequest{"words", "buy 5 3", "not_json", "at byte 0"},
        TBadRequest{"cut", R"({"cmd":"state")", "not_json", "not JSON"},
        TBadRequest{"two", R"({"cmd":"state"} {"cmd":"next"})", "not_json", "not JSON"},
        TBadRequest{"array", "[1,2]", "not_object", "JSON object"},
        TBadRequest{"number", "42", "not_object", "JSON object"},
        TBadRequest{"string", R"("state")", "not_object", "JSON object"},
        TBadRequest{"noCmd", "{}", "missing_field", "\"cmd\""},
        TBadRequest{"cmdNumber", R"({"cmd":5})", "wrong_type", "\"cmd\" must be a string"},
        TBadRequest{"unknownCmd", R"({"cmd":"dance"})", "unknown_cmd", "\"dance\""},
        TBadRequest{"unknownField", R"({"cmd":"state","verbose":true})", "unknown_field",
                    "\"verbose\""},
        TBadRequest{"typoField", R"({"cmd":"buy","id":5,"lot":1})", "unknown_field", "\"lot\""},
        TBadRequest{"twice", R"({"cmd":"next","cmd":"state"})", "duplicate_field", "twice"},
        TBadRequest{"noLots", R"({"cmd":"buy","id":5})", "missing_field", "\"lots\""},
        TBadRequest{"noSide", R"({"cmd":"offers","id":5})", "missing_field", "\"side\""},
        TBadRequest{"noPath", R"({"cmd":"save"})", "missing_field", "\"path\""},
        TBadRequest{"idString", R"({"cmd":"buy","id":"5","lots":1})", "wrong_type", "whole number"},
        TBadRequest{"idFraction", R"({"cmd":"buy","id":5.5,"lots":1})", "wrong_type",
                    "whole number"},
        TBadRequest{"idPointZero", R"({"cmd":"buy","id":5.0,"lots":1})", "wrong_type",
                    "without fraction"},
        TBadRequest{"idExponent", R"({"cmd":"buy","id":5e0,"lots":1})", "wrong_type",
                    "without fraction"},
        TBadRequest{"idNull", R"({"cmd":"buy","id":null,"lots":1})", "wrong_type", "whole number"},
        TBadRequest{"idNested", R"({"cmd":"buy","id":[5],"lots":1})", "wrong_type", "whole number"},
        TBadRequest{"idTooHigh", R"({"cmd":"buy","id":1000,"lots":1})", "unknown_company",
                    "from 0 to 999"},
        TBadRequest{"idNegative", R"({"cmd":"sell","id":-1,"lots":1})", "unknown_company",
                    "from 0 to 999"},
        TBadRequest{"offersUnknownCompany", R"({"cmd":"offers","id":4096,"side":"buy"})",
                    "unknown_company", "4096"},
        TBadRequest{"lotsBeyond32Bits", R"({"cmd":"buy","id":5,"lots":2147483648})", "out_of_range",
                    "2147483648"},
        TBadRequest{"lotsBeyond64Bits",
                    R"({"cmd":"buy","id":5,"lots":123456789012345678901234567890})", "out_of_range",
                    "\"lots\""},
        TBadRequest{"lotsBeyondDouble", R"({"cmd":"buy","id":5,"lots":1e400})", "out_of_range",
                    "too big"},
        TBadRequest{"lotsHugeNegative", R"({"cmd":"sell","id":5,"lots":-9223372036854775808})",
                    "out_of_range", "\"lots\""},
        TBadRequest{"buyZero", R"({"cmd":"buy","id":5,"lots":0})", "not_offered", "株数が範囲外"},
        TBadRequest{"buyNegative", R"({"cmd":"buy","id":5,"lots":-2})", "not_offered",
                    "株数が範囲外"},
        TBadRequest{"buyUnaffordable", R"({"cmd":"buy","id":5,"lots":5})", "not_offered",
                    "資金が足りません"},
        TBadRequest{"buyBeyondShares", R"({"cmd":"buy","id":5,"lots":98})", "not_offered",
                    "株数が範囲外"},
        TBadRequest{"sellZero", R"({"cmd":"sell","id":5,"lots":0})", "not_offered", "株数が範囲外"},
        TBadRequest{"sellMoreThanHeld", R"({"cmd":"sell","id":5,"lots":4})", "not_offered",
                    "株数が範囲外"},
        TBadRequest{"sellNotHeld", R"({"cmd":"sell","id":6,"lots":1})", "not_offered",
                    "株数が範囲外"},
        TBadRequest{"sideUnknown", R"({"cmd":"offers","id":5,"side":"hold"})", "bad_value",
                    "\"buy\" or \"sell\""},
        TBadRequest{"sideNumber", R"({"cmd":"offers","id":5,"side":0})", "wrong_type", "string"},
        TBadRequest{"pathEmpty", R"({"cmd":"save","path":""})", "bad_value", "not empty"},
        TBadRequest{"pathNul", R"({"cmd":"save","path":"a\u0000b"})", "bad_value", "NUL"},
        TBadRequest{"pathUnwritable", R"({"cmd":"save","path":"/no/such/folder/x.sav"})",
                    "save_failed", "cannot be written"},
        TBadRequest{"pathFolder", R"({"cmd":"save","path":"/"})", "save_failed",
                    "/: cannot be written: is a directory"},
        TBadRequest{"notUtf8InString", "{\"cmd\":\"st\xff\"}", "not_utf8", "not UTF-8"},
        TBadRequest{"shiftJisInString", "{\"cmd\":\"\x83\x8A\"}", "not_utf8", "not UTF-8"},
        TBadRequest{"surrogateInString", "{\"cmd\":\"\xED\xA0\x80\"}", "not_utf8", "not UTF-8"},
        TBadRequest{"lowSurrogateInString", "{\"cmd\":\"\xED\xB0\x80\"}", "not_utf8", "not UTF-8"},
        TBadRequest{"escapedLowSurrogate", R"({"cmd":"save","path":"/no/such/folder/a\udc00"})",
                    "not_utf8", "lone UTF-16 surrogate"},
        TBadRequest{"escapedHighSurrogate", R"({"cmd":"save","path":"/no/such/folder/b\ud800"})",
                    "not_utf8", "lone UTF-16 surrogate"},
        TBadRequest{"highSurrogateThenLetter", R"({"cmd":"state","x":"\ud800\u0041"})", "not_utf8",
                    "lone UTF-16 surrogate"},
        TBadRequest{"lowSurrogateInName", R"({"cmd":"state","\udfff":1})", "not_utf8",
                    "lone UTF-16 surrogate"},
        TBadRequest{"lowSurrogateDeep", R"({"cmd":"buy","id":5,"lots":[[["\udc00"]]]})", "not_utf8",
                    "lone UTF-16 surrogate"},
        TBadRequest{"notUtf8Outside", "{\"cmd\":\"state\"}\xff", "not_json", "not JSON"},
        // The parser takes a NUL for the end of the line: what follows must
        // not be ignored.
        TBadRequest{"nulThenGarbage",
                    std::string(R"({"cmd":"offers","id":5,"side":"buy"})") + '\0' + "garbage",
                    "not_json", "NUL byte (at byte 36)"},
        TBadRequest{"nulAtTheEnd", std::string(R"({"cmd":"state"})") + '\0', "not_json",
                    "NUL byte"},
        TBadRequest{"nulInString", std::string(R"({"cmd":"st)") + '\0' + R"(ate"})", "not_json",
                    "NUL byte"},
        TBadRequest{"nulAlone", std::string(1, '\0'), "not_json", "NUL byte (at byte 0)"},
        TBadRequest{"megabytes", "{\"cmd\":\"" + std::string(3'000'000, 'x') + "\"}",
                    "line_too_long", "at most 65536 bytes"},
        // Nested a hundred thousand deep the line is too long to be read; as
        // deep as a line may be, the parser's own stack holds the nesting.
        TBadRequest{"deep100000", Repeated("[", 100'000) + Repeated("]", 100'000), "line_too_long",
                    "at most"},
        TBadRequest{"deepArray", Repeated("[", 32'000) + Repeated("]", 32'000), "not_object",
                    "JSON object"},
        TBadRequest{"deepField",
                    R"({"cmd":"buy","id":5,"lots":)" + Repeated("[", 30'000) +
                        Repeated("]", 30'000) + "}",
                    "wrong_type", "whole number"},
        TBadRequest{"deepUnclosed", Repeated("{\"a\":", 10'000), "not_json", "not JSON"}),
    [](const testing::TestParamInfo<TBadRequest>& param) { return param.param.Name; });

TEST_F(Served, ByteOrderMarkBeforeARequestIsAccepted) {
    Serve();
    EXPECT_TRUE(Ask("\xEF\xBB\xBF{\"cmd\":\"state\"}")["ok"].GetBool()) << Text;
}

// The path an answer reports is the name of the file created, byte for
// byte; a path that has no such name is refused before anything is made.
TEST_F(Served, SavedPathIsTheNameCreated) {
    Serve();
    const std::string folder = Dir.Path().string() + "/";
    for (const std::string escaped : {R"(\u00e9t\u00e9.sav)", "été2.sav", R"(\ud83c\udfb2.sav)"}) {
        const rapidjson::Document saved =
            Ask(R"({"cmd":"save","path":")" + folder + escaped + "\"}");
        ASSERT_TRUE(saved["ok"].GetBool()) << Text;
        const std::string reported = saved["path"].GetString();
        EXPECT_TRUE(std::filesystem::is_regular_file(reported)) << reported;
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "été.sav"));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "\xF0\x9F\x8E\xB2.sav"));
    for (const char* lone : {R"(\udc00)", R"(\ud800)"})
        EXPECT_EQ(ErrorOf(Ask(R"({"cmd":"save","path":")" + folder + "x" + lone + "\"}")),
                  "not_utf8");
    size_t saves = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Dir.Path()))
        saves += entry.path().extension() == ".sav" ? 1 : 0;
    EXPECT_EQ(saves, 4u) << "start.sav and the three saved, each with its history";
}

TEST_F(Served, OffersAreTheTradeDialogsAndATradeSettlesOneOfThem) {
    Market.Game.Money = 500;
    Market.Prices(5, {1001});
    Serve();

    const rapidjson::Document offers = Ask(R"({"cmd":"offers","id":5,"side":"buy"})");
    ASSERT_TRUE(offers["ok"].GetBool()) << Text;
    EXPECT_EQ(offers["price"].GetInt(), 1001);
    EXPECT_EQ(Ints(offers["lots"]), (std::vector<int32_t>{1, 2, 3, 4}));
    // ⌈n × 1001 × 1.1 / 10⌉
    EXPECT_EQ(Ints(offers["amounts"]), (std::vector<int32_t>{111, 221, 331, 441}));

    const rapidjson::Document bought = Ask(R"({"cmd":"buy","id":5,"lots":3})");
    ASSERT_TRUE(bought["ok"].GetBool()) << Text;
    EXPECT_EQ(bought["amount"].GetInt(), 331);
    EXPECT_EQ(bought["price"].GetInt(), 1001);
    EXPECT_EQ(bought["cash"].GetInt(), 500 - 331);
    EXPECT_EQ(bought["shares"].GetInt(), 3000);
    EXPECT_FALSE(bought["game_clear"].GetBool());

    const rapidjson::Document sales = Ask(R"({"cmd":"offers","id":5,"side":"sell"})");
    // ⌊n × 1001 × 0.9 / 10⌋
    EXPECT_EQ(Ints(sales["amounts"]), (std::vector<int32_t>{90, 180, 270}));
    const rapidjson::Document sold = Ask(R"({"cmd":"sell","id":5,"lots":1})");
    EXPECT_EQ(sold["amount"].GetInt(), 90);
    EXPECT_EQ(sold["cash"].GetInt(), 500 - 331 + 90);
    EXPECT_EQ(sold["shares"].GetInt(), 2000);
    const rapidjson::Document state = Ask(R"({"cmd":"state"})");
    EXPECT_EQ(state["this_year"]["income"].GetInt(), 90);
    EXPECT_EQ(state["this_year"]["expense"].GetInt(), 331);
    ASSERT_EQ(state["holdings"].Size(), 1u);
    EXPECT_EQ(state["holdings"][0]["cost"].GetInt(), 221); // 2 lots at the average of 1103 yen
}

TEST_F(Served, StateShowsEveryCompanysPricesButNoTendency) {
    Market.Prices(999, {1200, 1300});
    Market.Company(999).Trend = 77;
    Serve();
    const rapidjson::Document state = Ask(R"({"cmd":"state"})");
    EXPECT_EQ(state["shown"].GetString(), std::string("1年目1月"));
    ASSERT_EQ(state["companies"].Size(), static_cast<rapidjson::SizeType>(CompanyCount));
    const rapidjson::Value& last = state["companies"][CompanyCount - 1];
    EXPECT_EQ(last["id"].GetInt(), 999);
    std::vector<int32_t> expected(10, 1000);
    expected.insert(expected.end(), {1200, 1300});
    EXPECT_EQ(Ints(last["prices"]), expected);
    EXPECT_EQ(Text.find("trend"), std::string::npos);
}

// A refused month closes purchases until a month is played; sales open it.
TEST_F(Served, RefusedMonthAllowsOnlySalesUntilItIsPlayed) {
    Market.Game.Money = 29;
    Hold(Market.Game, Market.Company(10), 2 * TradeLot, 220);
    Serve();

    const rapidjson::Document refused = Ask(R"({"cmd":"next"})");
    ASSERT_TRUE(refused["ok"].GetBool()) << Text;
    EXPECT_TRUE(refused["refused"].GetBool());
    EXPECT_EQ(refused["shortfall"].GetInt(), 1);
    EXPECT_EQ(refused["month"].GetInt(), 1);
    ASSERT_EQ(refused["messages"].Size(), 1u);
    EXPECT_EQ(
        refused["messages"][0].GetString(),
        std::string(
            "このままでは破産してしまいます。\r\n所有株を売却して、資金を用意してください。"));

    EXPECT_EQ(ErrorOf(Ask(R"({"cmd":"buy","id":11,"lots":1})")), "purchases_closed");
    EXPECT_FALSE(Ask(R"({"cmd":"state"})")["purchases_open"].GetBool());
    EXPECT_TRUE(Ask(R"({"cmd":"sell","id":10,"lots":1})")["ok"].GetBool()) << Text;
    const rapidjson::Document played = Ask(R"({"cmd":"next"})");
    EXPECT_FALSE(played["refused"].GetBool());
    EXPECT_EQ(played["month"].GetInt(), 2);
    EXPECT_EQ(played["cash"].GetInt(), 29 + 90 - 30);
    EXPECT_EQ(ErrorOf(Ask(R"({"cmd":"buy","id":11,"lots":0})")), "not_offered");
}

TEST_F(Served, NextReportsBankruptciesRestartsAndTheNewPrices) {
    Market.Prices(7, {2});
    Market.Prices(8, {2});
    Market.Game.MarketList.Items(7)->Trend = 0;
    Hold(Market.Game, Market.Company(8), TradeLot, 10);
    Serve();
    // The quiet market's scripted draws are gone with the load: the seed
    // draws now.  Companies 7 and 8 at 2 yen fall to 0 with a draw of 0.
    for (int month = 0; month < 24; ++month) {
        const rapidjson::Document next = Ask(R"({"cmd":"next"})");
        ASSERT_TRUE(next["ok"].GetBool()) << Text;
        ASSERT_EQ(next["prices"].Size(), static_cast<rapidjson::SizeType>(CompanyCount));
        const std::vector<int32_t> restarted = Ints(next["restarted"]);
        for (const int32_t id : restarted)
            EXPECT_EQ(next["prices"][id].GetInt(), InitialStockPrice);
        const std::vector<int32_t> bankrupt = Ints(next["bankrupt"]);
        if (!bankrupt.empty()) {
            EXPECT_EQ(bankrupt, std::vector<int32_t>{8});
            EXPECT_NE(std::find(restarted.begin(), restarted.end(), 8), restarted.end());
            EXPECT_EQ(next["holdings"].Size(), 0u);
            ASSERT_EQ(next["messages"].Size(), 1u);
            EXPECT_NE(std::string(next["messages"][0].GetString()).find("ID:8の会社は倒産しました"),
                      std::string::npos);
            return;
        }
    }
    FAIL() << "company 8 never went bankrupt";
}

// 3000 − 100 × 30 is 0, not yet lost; the 101st month loses the game, and
// after it only the questions are answered.
TEST_F(Served, AfterTheGameEndedTradesAndMonthsAreRefused) {
    Serve();
    rapidjson::Document next;
    for (int month = 1; month <= 101; ++month)
        next = Ask(R"({"cmd":"next"})");
    EXPECT_TRUE(next["game_over"].GetBool()) << Text;
    EXPECT_EQ(next["cash"].GetInt(), -30);
    const std::vector<uint8_t> before = SaveBytes(Game->Game());
    for (const char* line : {R"({"cmd":"next"})", R"({"cmd":"buy","id":1,"lots":1})",
                             R"({"cmd":"sell","id":1,"lots":1})"})
        EXPECT_EQ(ErrorOf(Ask(line)), "game_ended") << line;
    EXPECT_EQ(SaveBytes(Game->Game()), before);
    EXPECT_EQ(Ask(R"({"cmd":"state"})")["outcome"].GetString(), std::string("lost"));
    EXPECT_TRUE(Ask(R"({"cmd":"offers","id":1,"side":"buy"})")["ok"].GetBool());
}

TEST_F(Served, SaleThatReachesTheGoalClearsTheGame) {
    Market.Game.Money = GoalMoney - 90;
    Hold(Market.Game, Market.Company(3), 2 * TradeLot, 220);
    Serve();
    const rapidjson::Document sold = Ask(R"({"cmd":"sell","id":3,"lots":1})");
    EXPECT_TRUE(sold["game_clear"].GetBool()) << Text;
    ASSERT_EQ(sold["messages"].Size(), 1u);
    EXPECT_NE(std::string(sold["messages"][0].GetString()).find("おめでとうございます"),
              std::string::npos);
    EXPECT_EQ(ErrorOf(Ask(R"({"cmd":"sell","id":3,"lots":1})")), "game_ended");
    EXPECT_EQ(Ask(R"({"cmd":"state"})")["outcome"].GetString(), std::string("won"));
}

TEST(ServedHello, CarriesTheProtocolTheSeedAndTheRules) {
    TVxSimGame game(42);
    game.NewGame();
    TVxSimServer server(game);
    const rapidjson::Document hello = Parsed(server.Hello());
    const rapidjson::Value& body = hello["hello"];
    EXPECT_EQ(body["protocol"].GetInt(), VxSimProtocolVersion);
    EXPECT_EQ(body["seed"].GetUint64(), 42u);
    const std::map<std::string, int32_t> rules{
        {"shares_per_lot", 1000}, {"fee_percent", 10},        {"living_cost", 30},
        {"tax_percent", 20},      {"goal_money", 30'000'000}, {"lost_below", 0},
        {"companies", 1000},      {"price_history", 12},      {"start_money", 3000}};
    for (const auto& [name, value] : rules)
        EXPECT_EQ(body["rules"][name.c_str()].GetInt(), value) << name;
}

// Records the trades a strategy makes, month by month, as request lines:
// the sales of a month in the holdings' order, then its purchases, then
// "next"; a refused turn adds its "next" and the sales that paid for it.
class TRecorder : public TVxSimStrategy {
public:
    TRecorder(std::unique_ptr<TVxSimStrategy> inner, std::vector<std::string>& lines)
        : FInner(std::move(inner)), FLines(lines) {}

    void Trade(TVxSimTrader& trader) override {
        const std::vector<std::pair<int16_t, int32_t>> before = Holdings(trader.Game());
        FInner->Trade(trader);
        Record(before, trader.Game());
    }

    void RaiseCash(TVxSimTrader& trader) override {
        FLines.push_back(R"({"cmd":"next"})");
        const std::vector<std::pair<int16_t, int32_t>> before = Holdings(trader.Game());
        FInner->RaiseCash(trader);
        Record(before, trader.Game());
    }

private:
    static std::vector<std::pair<int16_t, int32_t>> Holdings(const TVxGame& game) {
        std::vector<std::pair<int16_t, int32_t>> held;
        for (int32_t i = 0; i < game.OwnerList.Count(); ++i)
            held.emplace_back(game.OwnerList.Items(i)->ID, game.OwnerList.Items(i)->MyStockCount);
        return held;
    }

    void Record(const std::vector<std::pair<int16_t, int32_t>>& before, const TVxGame& game) {
        std::map<int16_t, int32_t> shares;
        for (const auto& [id, count] : before)
            shares[id] = count;
        for (const auto& [id, count] : before) {
            const int32_t now = CompanyByID(game, id).MyStockCount;
            if (now < count)
                Order("sell", id, count - now);
        }
        for (const auto& [id, count] : Holdings(game))
            if (count > shares[id])
                Order("buy", id, count - shares[id]);
    }

    void Order(const char* side, int16_t id, int32_t shares) {
        FLines.push_back(std::string(R"({"cmd":")") + side + R"(","id":)" + std::to_string(id) +
                         R"(,"lots":)" + std::to_string(shares / TradeLot) + "}");
    }

    std::unique_ptr<TVxSimStrategy> FInner;
    std::vector<std::string>& FLines;
};

class ServedAsRun : public testing::TestWithParam<const char*> {};

// The orders a strategy made in `run`, served to a fresh game of the same
// seed, play the same months and end in the same save file.
TEST_P(ServedAsRun, SameOrdersPlayTheSameMonths) {
    for (const uint64_t seed : {3u, 7u, 11u}) {
        std::vector<std::string> lines;
        TVxSimGame run(seed, std::make_unique<TRecorder>(VxSimCreateStrategy(GetParam()), lines));
        run.NewGame();
        std::vector<TVxSimMonth> months;
        for (int m = 0; m < 180 && !run.Ended(); ++m) {
            months.push_back(run.PlayMonth());
            ASSERT_FALSE(months.back().Ends() &&
                         months.back().Events.back().Kind == TVxSimEventKind::GameClear);
            lines.push_back(R"({"cmd":"next"})");
        }

        TVxSimGame served(seed);
        served.NewGame();
        TVxSimServer server(served);
        size_t month = 0;
        int32_t refused = 0;
        for (const std::string& line : lines) {
            const std::string answer(server.Answer(line));
            const rapidjson::Document parsed = Parsed(answer);
            ASSERT_TRUE(parsed["ok"].GetBool()) << line << " → " << answer;
            if (!parsed.HasMember("refused"))
                continue;
            if (parsed["refused"].GetBool()) {
                ++refused;
                continue;
            }
            ASSERT_LT(month, months.size());
            const TVxSimMonth& expected = months[month++];
            EXPECT_EQ(parsed["year"].GetInt(), expected.Year);
            EXPECT_EQ(parsed["month"].GetInt(), expected.Month);
            ASSERT_EQ(parsed["cash"].GetInt(), expected.Cash)
                << "seed " << seed << " month " << month;
            EXPECT_EQ(parsed["holdings_value"].GetInt64(), expected.Value);
            EXPECT_EQ(static_cast<int32_t>(parsed["holdings"].Size()), expected.Held);
            EXPECT_EQ(parsed["tax_paid"].GetInt(), expected.Tax);
            const bool refusedBefore =
                !expected.Events.empty() && expected.Events[0].Kind == TVxSimEventKind::Refused;
            EXPECT_EQ(refused > 0, refusedBefore);
            refused = 0;
        }
        EXPECT_EQ(month, months.size());
        EXPECT_EQ(SaveBytes(served.Game()), SaveBytes(run.Game())) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Strategies, ServedAsRun,
                         testing::Values("idle", "random", "trend", "value"));

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// A served game saved through the protocol continues in `run --load` as
// the game that was never stopped.
TEST(ServeCommand, SavedGameContinuesInRunAsIfNeverStopped) {
    const TScratchDir dir;
    const std::string file = dir.File("served.sav");
    std::vector<std::string> lines;
    {
        TVxSimGame recorded(7, std::make_unique<TRecorder>(VxSimCreateStrategy("trend"), lines));
        recorded.NewGame();
        for (int m = 0; m < 23; ++m) {
            recorded.PlayMonth();
            lines.push_back(R"({"cmd":"next"})");
        }
    }
    lines.push_back(R"({"cmd":"save","path":")" + file + "\"}");
    const TSimResult served = RunSim({"serve", "--seed", "7"}, Lines(lines));
    ASSERT_EQ(served.Status, 0) << served.Err;
    EXPECT_NE(served.Out.find(R"({"ok":true,"path":")"), std::string::npos);

    const TSimResult whole = RunSim(RunArgs("trend", 7, 60, "jsonl"));
    std::vector<std::string> args = RunArgs("trend", 7, 37, "jsonl");
    args.insert(args.end(), {"--load", file});
    const TSimResult rest = RunSim(args);
    ASSERT_EQ(rest.Status, 0) << rest.Err;
    const std::vector<std::string> wholeLines = ::Lines(whole.Out);
    EXPECT_EQ(::Lines(rest.Out),
              std::vector<std::string>(wholeLines.begin() + 23, wholeLines.end()));
}

TEST(ServeCommand, StdoutCarriesTheHelloAndOneFlushedAnswerPerLine) {
    const std::string input = "{\"cmd\":\"state\"}\n" + std::string(2'000'000, ' ') +
                              "\n{\"cmd\":\"next\"}\r\n{\"cmd\":\"quit\"}\n{\"cmd\":\"next\"}\n";
    const TSimResult result = RunSim({"serve", "--seed", "1"}, input);
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Err, "");
    const std::vector<std::string> lines = ::Lines(result.Out);
    ASSERT_EQ(lines.size(), 5u) << "hello, state, the long line, next, quit; nothing after quit";
    EXPECT_TRUE(lines[0].starts_with(R"({"hello":{"protocol":1,)")) << lines[0];
    EXPECT_TRUE(lines[1].starts_with(R"({"ok":true,"year":1,"month":1,)"));
    EXPECT_EQ(ErrorOf(Parsed(lines[2])), "line_too_long");
    EXPECT_TRUE(lines[3].starts_with(R"({"ok":true,"refused":false,"year":1,"month":2,)"));
    EXPECT_EQ(lines[4], R"({"ok":true,"quit":true})");
}

TEST(ServeCommand, EndOfInputEndsTheSessionWithStatus0) {
    const TSimResult result = RunSim({"serve", "--seed", "1"}, "{\"cmd\":\"next\"}");
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(::Lines(result.Out).size(), 2u) << "a last line without its end is answered";
}

// The answers went nowhere: the session ends there, failed, and its record
// is not closed.
TEST(ServeCommand, LostOutputEndsTheSessionUnclosed) {
    const TScratchDir dir;
    const std::string record = dir.File("session.rec");
    const TSimResult result = RunSimOnFullDisk({"serve", "--seed", "1", "--record", record}, 1000,
                                               Lines({R"({"cmd":"state"})", R"({"cmd":"next"})"}));
    EXPECT_EQ(result.Status, VxSimExitFailure);
    EXPECT_NE(result.Err.find("standard output: cannot be written"), std::string::npos);
    const std::vector<std::string> lines = ::Lines(ReadFile(record));
    ASSERT_EQ(lines.size(), 4u) << "header, hello, the state request and its answer";
    EXPECT_TRUE(lines[3].starts_with("< {\"ok\":true"));
    EXPECT_NE(RunSim({"replay", record}).Err.find("the record is cut short"), std::string::npos);
}

TEST(ServeCommand, UnreadableLoadFileFailsBeforeTheHello) {
    const TScratchDir dir;
    const TSimResult result = RunSim({"serve", "--load", dir.File("none.sav")}, "");
    EXPECT_EQ(result.Status, VxSimExitFailure);
    EXPECT_EQ(result.Out, "");
    EXPECT_NE(result.Err.find("none.sav: cannot be read"), std::string::npos) << result.Err;
}

// A session of eight requests recorded by serve --record, good and bad
// requests alike: nine answers with the hello, lines 1 to 19 of the record.
class Recorded : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const TScratchDir dir;
        const std::string file = dir.File("session.rec");
        const std::string input =
            Lines({R"({"cmd":"offers","id":3,"side":"buy"})", R"({"cmd":"buy","id":3,"lots":2})",
                   R"({"cmd":"next"})", "not json\xff", R"({"cmd":"sell","id":3,"lots":2})",
                   std::string(100'000, '['), R"({"cmd":"next"})", R"({"cmd":"state"})"});
        const TSimResult served = RunSim({"serve", "--seed", "9", "--record", file}, input);
        ASSERT_EQ(served.Status, 0) << served.Err;
        Record = new std::string(ReadFile(file));
    }
    static void TearDownTestSuite() { delete Record; }

    // `replay` of `text` as a record file.
    static TSimResult Replay(const std::string& text) {
        const TScratchDir dir;
        WriteFile(dir.File("session.rec"), text);
        TSimResult result = RunSim({"replay", dir.File("session.rec")});
        // The file's name, which only the scratch folder makes unique.
        const std::string name = dir.File("session.rec") + ": ";
        for (size_t at; (at = result.Err.find(name)) != std::string::npos;)
            result.Err.replace(at, name.size(), "FILE: ");
        return result;
    }

    static std::string* Record;
};

std::string* Recorded::Record = nullptr;

std::string WithoutLastLines(const std::string& text, int lines) {
    size_t end = text.size();
    for (int i = 0; i <= lines; ++i)
        end = text.rfind('\n', end - 1);
    return text.substr(0, end + 1);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST_F(Recorded, BeginsWithItsHeaderAndEndsWithItsClosingLine) {
    EXPECT_TRUE(Record->starts_with("{\"ridolt_sim_record\":2,\"seed\":9}\n< {\"hello\":"));
    EXPECT_TRUE(Record->ends_with("\n= {\"complete\":true,\"answers\":9}\n"));
    EXPECT_EQ(::Lines(*Record).size(), 19u);
}

TEST_F(Recorded, ReplaysWithTheSameAnswers) {
    const TSimResult same = Replay(*Record);
    EXPECT_EQ(same.Status, VxSimExitOk) << same.Err;
    EXPECT_EQ(same.Out, "replay: all 9 answers are the same\n");
    EXPECT_EQ(same.Err, "");

    // The cash after the purchase, changed by one.
    std::string changed = *Record;
    const size_t cash = changed.find("\"cash\":", changed.find("\"side\":\"buy\""));
    ASSERT_NE(cash, std::string::npos);
    changed.insert(cash + 7, "1");
    const TSimResult differs = Replay(changed);
    EXPECT_EQ(differs.Status, VxSimExitReplayDiffers);
    EXPECT_TRUE(differs.Out.starts_with("replay: 1 of 9 answers differ; the first:\nrequest:  "
                                        R"({"cmd":"buy","id":3,"lots":2})"))
        << differs.Out;
}

// A record changed: its replay's status, the first line it prints, and
// the reason on standard error ("FILE" the record's name).
struct TRecordChange {
    const char* Name;
    std::string (*Change)(const std::string& record);
    int Status;
    const char* Out;
    const char* Err;
};

void PrintTo(const TRecordChange& change, std::ostream* out) {
    *out << change.Name;
}

class RecordChanged : public Recorded, public testing::WithParamInterface<TRecordChange> {};

TEST_P(RecordChanged, ReplaysAsFarAsItGoesAndSaysWhy) {
    const TSimResult result = Replay(GetParam().Change(*Record));
    EXPECT_EQ(result.Status, GetParam().Status) << result.Err;
    EXPECT_EQ(result.Out.substr(0, result.Out.find('\n')), GetParam().Out);
    EXPECT_EQ(result.Err, GetParam().Err);
}

const char* const AllNine = "replay: all 9 answers are the same";
const char* const AllEight = "replay: all 8 answers are the same";

INSTANTIATE_TEST_SUITE_P(
    Records, RecordChanged,
    testing::Values(
        TRecordChange{"crlf",
                      [](const std::string& r) {
                          std::string crlf;
                          for (const char c : r)
                              crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
                          return crlf;
                      },
                      VxSimExitOk, AllNine, ""},
        TRecordChange{"cutBeforeTheClosingLine",
                      [](const std::string& r) { return WithoutLastLines(r, 1); }, VxSimExitFailure,
                      AllNine,
                      "ridolt-sim: FILE: the record is cut short: it ends after line 18, where a "
                      "request or the closing line should follow\n"},
        TRecordChange{"cutBeforeAnAnswer",
                      [](const std::string& r) { return WithoutLastLines(r, 2); }, VxSimExitFailure,
                      AllEight,
                      "ridolt-sim: FILE: the record is cut short: it ends after line 17, where "
                      "the answer should follow\n"},
        TRecordChange{"cutInsideAnAnswer",
                      [](const std::string& r) {
                          const std::string shorter = WithoutLastLines(r, 1);
                          return shorter.substr(0, shorter.size() - 10);
                      },
                      VxSimExitFailure, AllEight,
                      "ridolt-sim: FILE: the record is cut short: it stops inside line 18\n"},
        TRecordChange{"cutInsideTheHello",
                      [](const std::string& r) { return r.substr(0, r.find("\"rules\"")); },
                      VxSimExitFailure, "replay: all 0 answers are the same",
                      "ridolt-sim: FILE: the record is cut short: it stops inside line 2\n"},
        // Written before records were closed: as whole as it looks.
        TRecordChange{"version1",
                      [](const std::string& r) {
                          return Replaced(WithoutLastLines(r, 1), "\"ridolt_sim_record\":2",
                                          "\"ridolt_sim_record\":1");
                      },
                      VxSimExitOk, AllNine,
                      "ridolt-sim: FILE: a record of version 1 has no closing line: one cut "
                      "between two answers looks whole\n"},
        TRecordChange{"version1CutInsideALine",
                      [](const std::string& r) {
                          const std::string shorter =
                              Replaced(WithoutLastLines(r, 1), "_record\":2", "_record\":1");
                          return shorter.substr(0, shorter.size() - 10);
                      },
                      VxSimExitFailure, AllEight,
                      "ridolt-sim: FILE: the record is cut short: it stops inside line 18\n"},
        TRecordChange{"answersDifferAndCut",
                      [](const std::string& r) {
                          return Replaced(WithoutLastLines(r, 1), "\"cash\":", "\"cash\":1");
                      },
                      VxSimExitReplayDiffers, "replay: 1 of 9 answers differ; the first:", ""},
        TRecordChange{
            "closingCountsOther",
            [](const std::string& r) { return Replaced(r, "\"answers\":9", "\"answers\":8"); },
            VxSimExitFailure, "",
            "ridolt-sim: FILE: the record's closing line counts 8 answers, but 9 are "
            "recorded\n"},
        TRecordChange{"goesOnAfterClosing",
                      [](const std::string& r) { return r + "> {\"cmd\":\"next\"}\n"; },
                      VxSimExitFailure, "",
                      "ridolt-sim: FILE: the record goes on after its closing line, line 19\n"},
        TRecordChange{
            "laterVersion",
            [](const std::string& r) { return Replaced(r, "_record\":2", "_record\":3"); },
            VxSimExitFailure, "",
            "ridolt-sim: FILE: a record of version 3; this ridolt-sim reads versions "
            "1 to 2\n"},
        TRecordChange{"empty", [](const std::string&) { return std::string(); }, VxSimExitFailure,
                      "", "ridolt-sim: FILE: the record is empty\n"},
        TRecordChange{"notARecord",
                      [](const std::string&) { return std::string("{\"seed\":1}\n"); },
                      VxSimExitFailure, "",
                      "ridolt-sim: FILE: not a record of ridolt-sim serve (its first line "
                      "differs)\n"}),
    [](const testing::TestParamInfo<TRecordChange>& param) { return param.param.Name; });

} // namespace

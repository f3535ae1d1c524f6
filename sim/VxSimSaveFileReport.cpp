#include "sim/VxSimSaveFileReport.h"

#include "game/VxConsts.h"
#include "game/VxFileKind.h"
#include "game/VxGameSaveData.h"
#include "game/VxStream.h"
#include "game/VxUtils.h"
#include "sim/VxSimJson.h"

#include <filesystem>
#include <optional>
#include <span>
#include <system_error>
#include <utility>

namespace {

void Totals(TVxSimJsonWriter& json, const char* name, int32_t lastYear, int32_t thisYear) {
    json.Key(name);
    json.BeginObject(true);
    json.Key("last_year");
    json.Number(lastYear);
    json.Key("this_year");
    json.Number(thisYear);
    json.EndObject();
}

void Holding(TVxSimJsonWriter& json, const TVxCompany& company) {
    json.BeginObject(true);
    json.Key("id");
    json.Number(int32_t{company.ID});
    json.Key("shares");
    json.Number(company.MyStockCount);
    json.Key("cost");
    json.Number(company.MyStockCost);
    json.Key("average_price");
    json.Number(company.MyStockPriceBuyingAverage());
    json.Key("price");
    json.Number(company.StockPrice());
    json.Key("value");
    json.Number(company.MyStockValue());
    json.EndObject();
}

void Company(TVxSimJsonWriter& json, const TVxCompany& company) {
    json.BeginObject(true);
    json.Key("id");
    json.Number(int32_t{company.ID});
    json.Key("trend");
    json.Number(company.Trend);
    json.Key("price");
    json.Number(company.StockPrice());
    json.Key("shares");
    json.Number(company.MyStockCount);
    json.Key("cost");
    json.Number(company.MyStockCost);
    json.Key("prices");
    json.BeginArray();
    for (const int32_t price : company.PriceHistory.Values())
        json.Number(price);
    json.EndArray();
    json.EndObject();
}

// Members of whole numbers, in the order given.
void Numbers(TVxSimJsonWriter& json, std::span<const std::pair<const char*, int64_t>> members) {
    for (const auto& [name, value] : members) {
        json.Key(name);
        json.Number(value);
    }
}

// The game's history as its file holds it, a month a line, and the
// figures of the whole game.
void History(TVxSimJsonWriter& json, const TVxGameHistory& history) {
    json.Key("history");
    json.BeginObject();
    json.Key("seed");
    if (const std::optional<uint64_t> seed = history.Seed())
        json.Number(*seed);
    else
        json.String("none");
    json.Key("origin");
    json.String(history.Origin() == TVxHistoryOrigin::NewGame ? "new" : "loaded");
    const TVxHistorySummary summary = VxSummarize(history);
    json.Key("summary");
    json.BeginObject(true);
    const std::pair<const char*, int64_t> figures[] = {{"months_played", summary.MonthsPlayed},
                                                       {"total", summary.Total},
                                                       {"peak_total", summary.PeakTotal},
                                                       {"peak_month", summary.PeakIndex},
                                                       {"tax", summary.Tax},
                                                       {"fees_yen", summary.FeesYen},
                                                       {"bought", summary.Bought},
                                                       {"sold", summary.Sold},
                                                       {"trades", summary.Trades}};
    Numbers(json, figures);
    json.EndObject();
    json.Key("months");
    json.BeginArray();
    for (const TVxHistoryMonth& month : history.Months()) {
        json.BeginObject(true);
        json.Key("shown");
        json.String(CalendarText(month.Year, month.Month));
        const std::pair<const char*, int64_t> values[] = {{"year", month.Year},
                                                          {"month", month.Month},
                                                          {"cash", month.Cash},
                                                          {"value", month.Value},
                                                          {"total", month.Total()},
                                                          {"tax", month.Tax},
                                                          {"bankruptcies", month.Bankruptcies},
                                                          {"trades", month.Trades},
                                                          {"bought", month.Bought},
                                                          {"sold", month.Sold},
                                                          {"fees_yen", month.FeesYen}};
        Numbers(json, values);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

std::string FileSizeText(const std::string& fileName) {
    std::error_code error;
    const auto size = std::filesystem::file_size(fileName, error);
    return error ? std::string("unknown") : std::to_string(size);
}

// What the file at `fileName` is when it is no save file at all but text
// or another of our files ("is a text file"); nothing when it may be a
// save file of another kind, damaged or cut, which only the loader tells.
std::optional<std::string> OtherKind(const std::string& fileName) {
    try {
        const std::optional<TVxFileKind> kind = VxFileKindAt(fileName);
        if (kind == TVxFileKind::Text || kind == TVxFileKind::History ||
            kind == TVxFileKind::Record)
            return make_error_code(VxRefusalOfKind(*kind)).message();
    } catch (const EVxFileError&) {
    }
    return std::nullopt;
}

} // namespace

std::string VxSimGameJson(const TVxGame& game, const std::string& fileName) {
    TVxSimJsonWriter json(true);
    json.BeginObject();
    json.Key("file");
    json.String(fileName);
    json.Key("calendar");
    json.BeginObject(true);
    json.Key("year");
    json.Number(game.Year);
    json.Key("month");
    json.Number(game.Month);
    json.Key("shown");
    json.String(CalendarText(game.Year, game.Month));
    json.EndObject();
    json.Key("cash");
    json.Number(game.Money);
    json.Key("totals");
    json.BeginObject();
    Totals(json, "income", game.PreIncome(), game.Income());
    Totals(json, "expense", game.PreExpense(), game.Expense());
    Totals(json, "profit", game.PreProfit(), game.Profit());
    Totals(json, "tax", game.PreTax(), game.Tax());
    json.EndObject();
    json.Key("holdings");
    json.BeginArray();
    for (int32_t i = 0; i < game.OwnerList.Count(); ++i)
        Holding(json, *game.OwnerList.Items(i));
    json.EndArray();
    json.Key("holdings_value");
    json.Number(game.HoldingsValue());
    json.Key("companies");
    json.BeginArray();
    for (int32_t i = 0; i < game.MarketList.Count(); ++i)
        Company(json, *game.MarketList.Items(i));
    json.EndArray();
    History(json, game.History());
    json.EndObject();
    return std::string(json.Text()) + "\n";
}

std::string VxSimLoadErrorText(const std::string& fileName, const std::exception_ptr& error) {
    const std::string prefix = fileName + ": ";
    const std::optional<std::string> other = OtherKind(fileName);
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        if (other)
            return prefix + "not a save file of this game: it " + *other;
        return prefix + "not a save file of this game (its " +
               std::to_string(TVxGameSaveData::Size) +
               "-byte header differs: another program's file, another version or a comment)";
    } catch (const EReadError&) {
        if (other)
            return prefix + "not a save file of this game: it " + *other;
        return prefix + "the file is too short (" + FileSizeText(fileName) +
               " bytes; a save file has " + std::to_string(TVxGame::SaveFileSize(CompanyCount)) +
               ")";
    } catch (const EVxLoadError& e) {
        return prefix + "values no game can reach: " + e.what();
    } catch (const std::system_error& e) {
        return prefix + "cannot be read: " + e.code().message();
    } catch (const std::exception& e) {
        return prefix + "cannot be loaded: " + e.what();
    }
}

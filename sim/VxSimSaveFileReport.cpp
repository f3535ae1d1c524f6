#include "sim/VxSimSaveFileReport.h"

#include "game/VxConsts.h"
#include "game/VxFileKind.h"
#include "game/VxGameSaveData.h"
#include "game/VxStream.h"
#include "game/VxUtils.h"
#include "sim/VxSimEventText.h"
#include "sim/VxSimFields.h"
#include "sim/VxSimJson.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace {

void Totals(TVxSimFields& fields, const char* name, int32_t lastYear, int32_t thisYear) {
    fields.Object(
        name,
        [&](TVxSimFields& totals) {
            totals.Field("last_year", lastYear).Field("this_year", thisYear);
        },
        true);
}

void Holding(TVxSimJsonWriter& json, const TVxCompany& company) {
    TVxSimFields(json, true)
        .Field("id", company.ID)
        .Field("shares", company.MyStockCount)
        .Field("cost", company.MyStockCost)
        .Field("average_price", company.MyStockPriceBuyingAverage())
        .Field("price", company.StockPrice())
        .Field("value", company.MyStockValue());
}

void Company(TVxSimJsonWriter& json, const TVxCompany& company) {
    TVxSimFields(json, true)
        .Field("id", company.ID)
        .Field("trend", company.Trend)
        .Field("price", company.StockPrice())
        .Field("shares", company.MyStockCount)
        .Field("cost", company.MyStockCost)
        .Numbers("prices", company.PriceHistory.Values());
}

// The game's history as its file holds it, a month a line, and the
// figures of the whole game.
void History(TVxSimFields& fields, const TVxGameHistory& history) {
    fields.Object("history", [&](TVxSimFields& object) {
        if (const std::optional<uint64_t> seed = history.Seed())
            object.Field("seed", *seed);
        else
            object.Field("seed", "none");
        object.Field("origin", history.Origin() == TVxHistoryOrigin::NewGame ? "new" : "loaded");
        const TVxHistorySummary summary = VxSummarize(history);
        object.Object(
            "summary",
            [&](TVxSimFields& figures) {
                figures.Field("months_played", summary.MonthsPlayed)
                    .Field("total", summary.Total)
                    .Field("peak_total", summary.PeakTotal)
                    .Field("peak_month", summary.PeakIndex)
                    .Field("tax", summary.Tax)
                    .Field("fees_yen", summary.FeesYen)
                    .Field("bought", summary.Bought)
                    .Field("sold", summary.Sold)
                    .Field("trades", summary.Trades);
            },
            true);
        object.Array("months", [&](TVxSimJsonWriter& months) {
            for (const TVxHistoryMonth& month : history.Months())
                TVxSimFields(months, true)
                    .Field("shown", CalendarText(month.Year, month.Month))
                    .Field("year", month.Year)
                    .Field("month", month.Month)
                    .Field("cash", month.Cash)
                    .Field("value", month.Value)
                    .Field("total", month.Total())
                    .Field("tax", month.Tax)
                    .Field("bankruptcies", month.Bankruptcies)
                    .Field("trades", month.Trades)
                    .Field("bought", month.Bought)
                    .Field("sold", month.Sold)
                    .Field("fees_yen", month.FeesYen);
        });
    });
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
    {
        TVxSimFields fields(json);
        fields.Field("file", fileName)
            .Object(
                "calendar",
                [&](TVxSimFields& calendar) {
                    calendar.Field("year", game.Year)
                        .Field("month", game.Month)
                        .Field("shown", CalendarText(game.Year, game.Month));
                },
                true)
            .Field("cash", game.Money)
            .Object("totals",
                    [&](TVxSimFields& totals) {
                        Totals(totals, "income", game.PreIncome(), game.Income());
                        Totals(totals, "expense", game.PreExpense(), game.Expense());
                        Totals(totals, "profit", game.PreProfit(), game.Profit());
                        Totals(totals, "tax", game.PreTax(), game.Tax());
                    })
            .Array("holdings",
                   [&](TVxSimJsonWriter& holdings) {
                       for (int32_t i = 0; i < game.OwnerList.Count(); ++i)
                           Holding(holdings, *game.OwnerList.Items(i));
                   })
            .Field("holdings_value", game.HoldingsValue())
            .Array("companies", [&](TVxSimJsonWriter& companies) {
                for (int32_t i = 0; i < game.MarketList.Count(); ++i)
                    Company(companies, *game.MarketList.Items(i));
            });
        History(fields, game.History());
    }
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
        return prefix + "values no game can reach: " + VxSimLoadFaultMessage(e);
    } catch (const std::system_error& e) {
        return prefix + "cannot be read: " + e.code().message();
    } catch (const std::exception& e) {
        return prefix + "cannot be loaded: " + e.what();
    }
}

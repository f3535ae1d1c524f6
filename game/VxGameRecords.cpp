#include "game/VxGameRecords.h"

#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxSeed.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <map>

namespace {

constexpr std::string_view Magic = "ridolt-records";
constexpr std::string_view Columns = "seed outcome year month total fees_yen tax trades bot date";
constexpr size_t FieldCount = 10;
constexpr int64_t Int32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t MaxMoney = std::numeric_limits<int64_t>::max() / 4;
// Far more games than anyone finishes.
constexpr int64_t MaxRecords = 1000000;

[[noreturn]] void Refuse(const std::string& what) {
    throw EVxRecordsError("not a records file of this game: " + what);
}

template <typename T> T ReadNumber(std::string_view text, T low, T high, const char* what) {
    T value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high)
        Refuse(std::string(what) + " \"" + std::string(text) + "\"");
    return value;
}

// "2025-06-01T21:04:05" followed by "Z" or an offset "+09:00" / "-05:30".
bool IsDate(std::string_view text) {
    constexpr std::string_view Shape = "dddd-dd-ddTdd:dd:dd";
    const auto matches = [](std::string_view part, std::string_view shape) {
        return part.size() == shape.size() &&
               std::equal(part.begin(), part.end(), shape.begin(),
                          [](char c, char s) { return s == 'd' ? c >= '0' && c <= '9' : c == s; });
    };
    if (text.size() <= Shape.size() || !matches(text.substr(0, Shape.size()), Shape))
        return false;
    const std::string_view offset = text.substr(Shape.size());
    return offset == "Z" || ((offset[0] == '+' || offset[0] == '-') &&
                             matches(offset.substr(1), std::string_view("dd:dd")));
}

// The fields of a record's line, split at single blanks.
std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (true) {
        const size_t space = line.find(' ', at);
        fields.push_back(line.substr(at, space - at));
        if (space == std::string_view::npos)
            return fields;
        at = space + 1;
    }
}

TVxGameRecord ReadRecord(std::string_view line) {
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() != FieldCount)
        Refuse("a record needs " + std::to_string(FieldCount) + " fields: \"" + std::string(line) +
               "\"");
    TVxGameRecord record;
    if (fields[0] != "none")
        record.Seed =
            ReadNumber<uint64_t>(fields[0], 0, std::numeric_limits<uint64_t>::max(), "seed");
    if (fields[1] != "won" && fields[1] != "lost")
        Refuse("outcome \"" + std::string(fields[1]) + "\"");
    record.End.Outcome = fields[1] == "won" ? TVxGameOutcome::Won : TVxGameOutcome::Lost;
    record.End.Year = static_cast<int32_t>(ReadNumber<int64_t>(fields[2], 0, Int32Max - 1, "year"));
    record.End.Month = static_cast<int32_t>(ReadNumber<int64_t>(fields[3], 0, 11, "month"));
    record.Total = ReadNumber<int64_t>(fields[4], -MaxMoney, MaxMoney, "total");
    record.FeesYen = ReadNumber<int64_t>(fields[5], 0, MaxMoney, "fees_yen");
    record.Tax = ReadNumber<int64_t>(fields[6], 0, MaxMoney, "tax");
    record.Trades = static_cast<int32_t>(ReadNumber<int64_t>(fields[7], 0, Int32Max, "trades"));
    if (fields[8] != "-")
        record.BotTotal = ReadNumber<int64_t>(fields[8], -MaxMoney, MaxMoney, "bot");
    if (!IsDate(fields[9]))
        Refuse("date \"" + std::string(fields[9]) + "\"");
    record.Date = fields[9];
    return record;
}

int64_t EndMonthIndex(const TVxGameRecord& record) {
    return VxMonthIndex(record.End.Year, record.End.Month);
}

bool Won(const TVxGameRecord& record) {
    return record.End.Outcome == TVxGameOutcome::Won;
}

} // namespace

std::optional<TVxGameRecord> VxGameRecordOf(const TVxGame& game, std::optional<int64_t> botTotal,
                                            std::string date) {
    const TVxGameEnd end = game.Outcome();
    if (!end.Ended() || game.History().Empty())
        return std::nullopt;
    const TVxHistorySummary summary = VxSummarize(game.History());
    TVxGameRecord record;
    record.Seed = game.History().Seed();
    record.End = end;
    record.Total = summary.Total;
    record.FeesYen = summary.FeesYen;
    record.Tax = summary.Tax;
    record.Trades = summary.Trades;
    record.BotTotal = botTotal;
    record.Date = std::move(date);
    return record;
}

std::string VxRecordsText(std::span<const TVxGameRecord> records) {
    std::string text = std::string(Magic) + ' ' + std::to_string(VxRecordsFileVersion) + '\n';
    text += "records " + std::to_string(records.size()) + '\n';
    text += std::string(Columns) + '\n';
    for (const TVxGameRecord& record : records) {
        text += record.Seed ? std::to_string(*record.Seed) : std::string("none");
        text += Won(record) ? " won " : " lost ";
        for (const int64_t value :
             {int64_t{record.End.Year}, int64_t{record.End.Month}, record.Total, record.FeesYen,
              record.Tax, int64_t{record.Trades}})
            text += std::to_string(value) + ' ';
        text += record.BotTotal ? std::to_string(*record.BotTotal) : std::string("-");
        text += ' ' + record.Date + '\n';
    }
    return text + "end\n";
}

std::vector<TVxGameRecord> VxReadRecords(std::string_view text) {
    if (text.empty() || text.back() != '\n')
        Refuse("cut short");
    std::vector<std::string_view> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    if (lines[0] != std::string(Magic) + ' ' + std::to_string(VxRecordsFileVersion))
        Refuse("not a records file of version " + std::to_string(VxRecordsFileVersion) + ": \"" +
               std::string(lines[0]) + "\"");
    if (lines.size() < 4 || lines[1].substr(0, 8) != "records ")
        Refuse("no count of records");
    const auto count =
        static_cast<size_t>(ReadNumber<int64_t>(lines[1].substr(8), 0, MaxRecords, "records"));
    if (lines[2] != Columns)
        Refuse("the column line");
    if (lines.size() != count + 4 || lines.back() != "end")
        Refuse("no \"end\" after " + std::to_string(count) + " records");
    std::vector<TVxGameRecord> records;
    records.reserve(count);
    for (size_t i = 0; i < count; ++i)
        records.push_back(ReadRecord(lines[3 + i]));
    return records;
}

std::vector<size_t> VxRecordOrder(std::span<const TVxGameRecord> records) {
    std::vector<size_t> order(records.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&records](size_t a, size_t b) {
        const TVxGameRecord& left = records[a];
        const TVxGameRecord& right = records[b];
        if (Won(left) != Won(right))
            return Won(left);
        return Won(left) ? EndMonthIndex(left) < EndMonthIndex(right)
                         : EndMonthIndex(left) > EndMonthIndex(right);
    });
    return order;
}

std::vector<bool> VxFastestOfSeed(std::span<const TVxGameRecord> records) {
    std::map<uint64_t, size_t> fastest;
    for (size_t i = 0; i < records.size(); ++i) {
        const TVxGameRecord& record = records[i];
        if (!Won(record) || !record.Seed)
            continue;
        const auto [at, first] = fastest.try_emplace(*record.Seed, i);
        if (!first && EndMonthIndex(record) < EndMonthIndex(records[at->second]))
            at->second = i;
    }
    std::vector<bool> marks(records.size(), false);
    for (const auto& [seed, index] : fastest)
        marks[index] = true;
    return marks;
}

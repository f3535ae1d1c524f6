#include "game/VxGameHistoryFile.h"

#include "game/VxConsts.h"
#include "game/VxSeed.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

namespace {

constexpr std::string_view Magic = "ridolt-history";
constexpr std::string_view Columns =
    "year month cash value tax bankruptcies trades bought sold fees_yen";
constexpr size_t ColumnCount = 10;
// Far beyond any game: ten thousand years.
constexpr int64_t MaxMonths = 120000;
constexpr int64_t MaxMoney = std::numeric_limits<int64_t>::max() / 4;

[[noreturn]] void Refuse(const std::string& what) {
    throw EVxHistoryError("not a history file of this game: " + what);
}

// The lines of `text`, each without its "\n"; the text must end with one.
class TLines {
public:
    explicit TLines(std::string_view text) : FText(text) {}

    std::string_view Next() {
        const size_t end = FText.find('\n', FAt);
        if (end == std::string_view::npos)
            Refuse("cut short after line " + std::to_string(FNumber));
        std::string_view line = FText.substr(FAt, end - FAt);
        FAt = end + 1;
        ++FNumber;
        return line;
    }
    bool AtEnd() const { return FAt == FText.size(); }
    int64_t Number() const { return FNumber; }

private:
    std::string_view FText;
    size_t FAt = 0;
    int64_t FNumber = 0;
};

template <typename T = int64_t>
T ReadInteger(std::string_view text, std::type_identity_t<T> low, std::type_identity_t<T> high,
              const char* what) {
    T value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        Refuse(std::string(what) + " \"" + std::string(text) + "\"");
    if (value < low || value > high)
        Refuse(std::string(what) + " = " + std::to_string(value));
    return value;
}

// The value of the line "`key` value".
std::string_view Field(std::string_view line, std::string_view key) {
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ' ')
        Refuse("expected \"" + std::string(key) + " ...\", read \"" + std::string(line) + "\"");
    return line.substr(key.size() + 1);
}

std::array<std::string_view, ColumnCount> SplitColumns(std::string_view line) {
    std::array<std::string_view, ColumnCount> parts;
    for (size_t i = 0; i < ColumnCount; ++i) {
        const size_t space = line.find(' ');
        const bool last = i + 1 == ColumnCount;
        if (last != (space == std::string_view::npos))
            Refuse("a month line needs " + std::to_string(ColumnCount) + " numbers: \"" +
                   std::string(line) + "\"");
        parts[i] = line.substr(0, space);
        line = last ? std::string_view() : line.substr(space + 1);
    }
    return parts;
}

TVxHistoryMonth ReadMonth(std::string_view line) {
    const auto parts = SplitColumns(line);
    constexpr int64_t Int32Max = std::numeric_limits<int32_t>::max();
    TVxHistoryMonth month;
    month.Year = static_cast<int32_t>(ReadInteger(parts[0], 0, Int32Max - 1, "year"));
    month.Month = static_cast<int32_t>(ReadInteger(parts[1], 0, 11, "month"));
    month.Cash = static_cast<int32_t>(
        ReadInteger(parts[2], std::numeric_limits<int32_t>::min(), Int32Max, "cash"));
    month.Value = ReadInteger(parts[3], 0, MaxMoney, "value");
    month.Tax = static_cast<int32_t>(ReadInteger(parts[4], 0, Int32Max, "tax"));
    month.Bankruptcies =
        static_cast<int32_t>(ReadInteger(parts[5], 0, CompanyCount, "bankruptcies"));
    month.Trades = static_cast<int32_t>(ReadInteger(parts[6], 0, Int32Max, "trades"));
    month.Bought = ReadInteger(parts[7], 0, MaxMoney, "bought");
    month.Sold = ReadInteger(parts[8], 0, MaxMoney, "sold");
    month.FeesYen = ReadInteger(parts[9], 0, MaxMoney, "fees_yen");
    return month;
}

bool Follows(const TVxHistoryMonth& before, const TVxHistoryMonth& month) {
    return VxMonthIndex(month.Year, month.Month) == VxMonthIndex(before.Year, before.Month) + 1;
}

// The lines of one road, from "seed" to "end".
void AppendRoad(std::string& text, const TVxGameHistory& history) {
    const std::optional<uint64_t> seed = history.Seed();
    text += "seed " + (seed ? std::to_string(*seed) : std::string("none")) + "\n";
    text += history.Origin() == TVxHistoryOrigin::NewGame ? "origin new\n" : "origin loaded\n";
    text += "months " + std::to_string(history.Months().size()) + "\n";
    text += std::string(Columns) + "\n";
    for (const TVxHistoryMonth& month : history.Months()) {
        const int64_t values[ColumnCount] = {
            month.Year,         month.Month,  month.Cash,   month.Value, month.Tax,
            month.Bankruptcies, month.Trades, month.Bought, month.Sold,  month.FeesYen};
        for (size_t i = 0; i < ColumnCount; ++i)
            text += (i == 0 ? "" : " ") + std::to_string(values[i]);
        text += "\n";
    }
    text += "end\n";
}

TVxGameHistory ReadRoad(TLines& lines) {
    const std::string_view seedText = Field(lines.Next(), "seed");
    std::optional<uint64_t> seed;
    if (seedText != "none")
        seed = ReadInteger<uint64_t>(seedText, 0, std::numeric_limits<uint64_t>::max(), "seed");

    const std::string_view originText = Field(lines.Next(), "origin");
    if (originText != "new" && originText != "loaded")
        Refuse("origin \"" + std::string(originText) + "\"");
    const auto origin = originText == "new" ? TVxHistoryOrigin::NewGame : TVxHistoryOrigin::Loaded;

    const int64_t count = ReadInteger(Field(lines.Next(), "months"), 1, MaxMonths, "months");
    if (lines.Next() != Columns)
        Refuse("the column line");
    std::vector<TVxHistoryMonth> months;
    months.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        months.push_back(ReadMonth(lines.Next()));
        if (i > 0 && !Follows(months[months.size() - 2], months.back()))
            Refuse("line " + std::to_string(lines.Number()) + " does not follow the month before");
    }
    if (lines.Next() != "end")
        Refuse("no \"end\" after " + std::to_string(count) + " months");

    TVxGameHistory history;
    history.Assign(seed, origin, std::move(months));
    return history;
}

} // namespace

std::string VxHistoryPath(const std::string& savePath) {
    return savePath + ".history";
}

std::string VxHistoryText(std::span<const TVxHistoryRoad> roads) {
    std::string text = std::string(Magic) + " " + std::to_string(VxHistoryFileVersion) + "\n";
    for (const TVxHistoryRoad& road : roads) {
        text += "save " + VxDigestText(road.Save.value()) + "\n";
        AppendRoad(text, road.History);
    }
    return text;
}

std::vector<TVxHistoryRoad> VxReadHistoryFile(std::string_view text) {
    TLines lines(text);
    const std::string_view version = Field(lines.Next(), Magic);
    std::vector<TVxHistoryRoad> roads;
    if (version == "1") {
        roads.push_back({std::nullopt, ReadRoad(lines)});
        if (!lines.AtEnd())
            Refuse("lines after \"end\"");
        return roads;
    }
    if (version != std::to_string(VxHistoryFileVersion))
        Refuse("version " + std::string(version));
    do {
        const std::string_view digestText = Field(lines.Next(), "save");
        const std::optional<TVxSaveDigest> digest = VxParseDigest(digestText);
        if (!digest)
            Refuse("save \"" + std::string(digestText) + "\"");
        roads.push_back({digest, ReadRoad(lines)});
    } while (!lines.AtEnd());
    return roads;
}

// Reading and writing save files.  A file is read and checked whole before
// the game changes, so a refused file leaves the game exactly as it was,
// and it is replaced atomically (platform/VxFileReplace.h), so a failed save
// keeps the previous file.  A save replaces only a save file, and its
// history only a history (VxFileKind.h).  The game's history goes into a
// file of its own beside it (VxGameHistoryFile.h, which states the rule
// that keeps the two together), written with it and read back only for
// the save bytes it names.

#include "game/VxFileKind.h"
#include "game/VxGame.h"
#include "game/VxGameHistoryFile.h"
#include "game/VxGameSaveData.h"
#include "game/VxSaveFileSummary.h"
#include "platform/VxFileRead.h"
#include "platform/VxFileReplace.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr size_t HeaderSize = TVxGameSaveData::Size;
constexpr size_t CountOffset = HeaderSize + 7 * 4;

// The largest average buying price a holding may carry, in yen per share:
// twice the highest price with its fee, so every derived value stays far
// from the 32-bit limits.
constexpr int64_t MaxBuyingAverage = 2 * int64_t{MaxStockPrice};

std::string LoadFaultText(TVxLoadFault fault, const std::string& field, int64_t value) {
    switch (fault) {
    case TVxLoadFault::Value:
        break;
    case TVxLoadFault::RepeatedID:
        return "ID " + std::to_string(value) + " twice";
    case TVxLoadFault::TrailingBytes:
        return "trailing bytes";
    }
    return field + " = " + std::to_string(value);
}

void CheckRange(int64_t value, int64_t low, int64_t high, const char* field) {
    if (value < low || value > high)
        throw EVxLoadError(TVxLoadFault::Value, field, value);
}

void CheckCompany(const TVxCompany& company, std::bitset<CompanyCount>& seenIDs) {
    CheckRange(company.Trend, -100, 100, "Trend");
    CheckRange(company.ID, 0, CompanyCount - 1, "ID");
    if (seenIDs.test(static_cast<size_t>(company.ID)))
        throw EVxLoadError(TVxLoadFault::RepeatedID, "ID", company.ID);
    seenIDs.set(static_cast<size_t>(company.ID));
    CheckRange(company.MyStockCount, 0, IssuedShares, "MyStockCount");
    if (company.MyStockCount % TradeLot != 0)
        throw EVxLoadError(TVxLoadFault::Value, "MyStockCount", company.MyStockCount);
    const int64_t maxCost =
        company.MyStockCount == 0 ? 0 : int64_t{company.MyStockCount} * MaxBuyingAverage / 10000;
    CheckRange(company.MyStockCost, 0, maxCost, "MyStockCost");
    for (const int32_t price : company.PriceHistory.Values())
        CheckRange(price, 1, MaxStockPrice, "PriceHistory");
}

// The fields that follow the header: the calendar and the cash.
TVxSaveFileSummary ReadSummary(TVxReadStream& stream) {
    TVxSaveFileSummary summary;
    summary.Month = stream.ReadInt32();
    summary.Money = stream.ReadInt32();
    summary.Year = stream.ReadInt32();
    return summary;
}

// Reads everything after the header into `game`, the way the file is laid out.
void ReadBody(TVxGame& game, TVxReadStream& stream) {
    const TVxSaveFileSummary summary = ReadSummary(stream);
    game.Month = summary.Month;
    game.Money = summary.Money;
    game.Year = summary.Year;
    for (TIntegerList* totals : {&game.IncomeList, &game.ExpenseList}) {
        while (totals->Count() < 2)
            totals->Add(0);
        totals->Put(0, stream.ReadInt32());
        totals->Put(1, stream.ReadInt32());
    }
    game.MarketList.LoadFromStream(stream);
}

// Checks a whole save file without touching the live game: the header, a
// size that matches a market of CompanyCount companies, and every value
// inside what play can produce.
void CheckSaveFile(std::span<const uint8_t> bytes) {
    const auto header = TVxGameSaveData::Default().Bytes();
    if (bytes.size() < HeaderSize)
        throw EReadError();
    if (!std::equal(header.begin(), header.end(), bytes.begin()))
        throw EAbort();
    if (bytes.size() < CountOffset + 4)
        throw EReadError();
    TVxReadStream countStream(bytes.subspan(CountOffset));
    const int32_t count = countStream.ReadInt32();
    CheckRange(count, CompanyCount, CompanyCount, "company count");
    if (bytes.size() < TVxGame::SaveFileSize(count))
        throw EReadError();
    if (bytes.size() > TVxGame::SaveFileSize(count))
        throw EVxLoadError(TVxLoadFault::TrailingBytes);

    TVxGame staging;
    TVxReadStream stream(bytes.subspan(HeaderSize));
    ReadBody(staging, stream);
    CheckRange(staging.Month, 0, 11, "Month");
    CheckRange(staging.Year, 0, INT32_MAX - 1, "Year");
    for (const TIntegerList* totals : {&staging.IncomeList, &staging.ExpenseList})
        for (const int32_t total : totals->Values())
            CheckRange(total, 0, INT32_MAX, "income/expense");
    std::bitset<CompanyCount> seenIDs;
    for (int32_t i = 0; i < staging.MarketList.Count(); ++i)
        CheckCompany(*staging.MarketList.Items(i), seenIDs);
}

// The largest history file read: far beyond any game's two roads.
constexpr size_t MaxHistoryFileSize = 64 << 20;

// The history file beside the save file `saveFile`: its bytes, or nothing
// when there is none or it cannot be read.  Nothing is read from what is no
// regular file.
std::optional<std::vector<uint8_t>> ReadHistoryBeside(const std::string& saveFile) {
    try {
        return VxReadFileIfAny(VxHistoryPath(saveFile), MaxHistoryFileSize);
    } catch (const EVxFileError&) {
        return std::nullopt;
    }
}

// The roads of a history file's bytes; none when it is no history, or a
// damaged one.
std::vector<TVxHistoryRoad> RoadsIn(const std::optional<std::vector<uint8_t>>& bytes) {
    if (!bytes || bytes->size() > MaxHistoryFileSize ||
        VxFileKindOf(*bytes) != TVxFileKind::History)
        return {};
    try {
        return VxReadHistoryFile(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    } catch (const EVxHistoryError&) {
        return {};
    }
}

// A road of version 1, which names no save: it belongs to the save whose
// calendar and cash its last month has.
bool EndsAtTheSave(const TVxGameHistory& history, std::span<const uint8_t> saveBytes) {
    const std::optional<TVxSaveFileSummary> save = VxReadSaveFileSummary(saveBytes);
    const TVxHistoryMonth& last = history.Last();
    return save && last.Year == save->Year && last.Month == save->Month && last.Cash == save->Money;
}

// The history among `roads` that was written for the save file whose bytes
// are `saveBytes`; none when no road names it.
const TVxGameHistory* RoadOfSave(const std::vector<TVxHistoryRoad>& roads,
                                 std::span<const uint8_t> saveBytes) {
    const TVxSaveDigest digest = VxSaveDigest(saveBytes);
    for (const TVxHistoryRoad& road : roads)
        if (road.Save ? *road.Save == digest : EndsAtTheSave(road.History, saveBytes))
            return &road.History;
    return nullptr;
}

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

} // namespace

EVxLoadError::EVxLoadError(TVxLoadFault fault, std::string field, int64_t value)
    : std::runtime_error(LoadFaultText(fault, field, value)), FFault(fault),
      FField(std::move(field)), FValue(value) {}

std::optional<TVxSaveFileSummary> VxReadSaveFileSummary(std::span<const uint8_t> bytes) {
    const auto header = TVxGameSaveData::Default().Bytes();
    if (bytes.size() < SaveFileSummarySize ||
        !std::equal(header.begin(), header.end(), bytes.begin()))
        return std::nullopt;
    TVxReadStream stream(bytes.subspan(HeaderSize));
    const TVxSaveFileSummary summary = ReadSummary(stream);
    if (summary.Month < 0 || summary.Month > 11 || summary.Year < 0)
        return std::nullopt;
    return summary;
}

void TVxGame::SaveToStream(TVxWriteStream& stream) {
    TVxGameSaveData header = TVxGameSaveData::Default();
    header.SetComment("");
    stream.Write(header.Bytes());
    stream.WriteInt32(Month);
    stream.WriteInt32(Money);
    stream.WriteInt32(Year);
    stream.WriteInt32(IncomeList.Get(0));
    stream.WriteInt32(IncomeList.Get(1));
    stream.WriteInt32(ExpenseList.Get(0));
    stream.WriteInt32(ExpenseList.Get(1));
    MarketList.SaveToStream(stream);
}

void TVxGame::LoadFromStream(TVxReadStream& stream) {
    std::vector<uint8_t> bytes(stream.Remaining());
    stream.Read(bytes);
    CheckSaveFile(bytes);

    // The file is sound: read it into the live game, company objects kept.
    TVxReadStream body(std::span<const uint8_t>(bytes).subspan(HeaderSize));
    while (MarketList.Count() > CompanyCount)
        MarketList.Delete(MarketList.Count() - 1);
    ReadBody(*this, body);
    RebuildOwnerList();
    GameEnd = false;
    FSalesAwaited = false;
    RestartHistory(TVxHistoryOrigin::Loaded);
}

void TVxGame::SaveToFile(const std::string& fileName) {
    TVxWriteStream stream;
    SaveToStream(stream);
    const std::span<const uint8_t> bytes = stream.Bytes();
    // Both files are judged before either is written: a save replaces only
    // a save, and its history only a history.
    const std::optional<std::vector<uint8_t>> oldSave =
        VxReadFileIfAny(fileName, SaveFileSize(CompanyCount));
    VxRequireKind(fileName, oldSave, TVxFileKind::Save);
    if (FHistory.Empty()) {
        const TVxFileContent save[] = {{fileName, bytes}};
        return VxReplaceFiles(save);
    }
    const std::string historyPath = VxHistoryPath(fileName);
    const std::optional<std::vector<uint8_t>> oldHistory =
        VxReadFileIfAny(historyPath, MaxHistoryFileSize);
    VxRequireKind(historyPath, oldHistory, TVxFileKind::History);

    // The new save's road, and the road of the save it replaces, for the
    // moment between the two renames.
    std::vector<TVxHistoryRoad> roads{{VxSaveDigest(bytes), FHistory}};
    const std::vector<TVxHistoryRoad> oldRoads = RoadsIn(oldHistory);
    if (oldSave && VxFileKindOf(*oldSave) == TVxFileKind::Save)
        if (const TVxGameHistory* road = RoadOfSave(oldRoads, *oldSave))
            if (const TVxSaveDigest digest = VxSaveDigest(*oldSave); digest != roads[0].Save)
                roads.push_back({digest, *road});
    const std::string history = VxHistoryText(roads);
    // The history takes its place first, the save last.
    const TVxFileContent files[] = {{fileName, bytes}, {historyPath, Bytes(history)}};
    VxReplaceFiles(files);
}

void TVxGame::LoadFromFile(const std::string& fileName) {
    // One byte more than a save file can hold: anything longer is refused
    // without being read whole.
    const std::vector<uint8_t> bytes = VxReadFile(fileName, SaveFileSize(CompanyCount));
    TVxReadStream stream(bytes);
    LoadFromStream(stream);
    const std::vector<TVxHistoryRoad> roads = RoadsIn(ReadHistoryBeside(fileName));
    if (const TVxGameHistory* road = RoadOfSave(roads, bytes))
        AdoptHistory(*road);
}

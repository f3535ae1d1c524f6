// Reading and writing save files.  A file is read and checked whole before
// the game changes, so a refused file leaves the game exactly as it was,
// and it is replaced atomically (game/VxFileReplace.h), so a failed save
// keeps the previous file.  The game's history goes into a file of its own
// beside it (VxGameHistoryFile.h), written with it and read back only when
// it is the history of the game in the save file.

#include "game/VxFileReplace.h"
#include "game/VxGame.h"
#include "game/VxGameHistoryFile.h"
#include "game/VxGameSaveData.h"
#include "game/VxSaveFileSummary.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr size_t HeaderSize = TVxGameSaveData::Size;
constexpr size_t CountOffset = HeaderSize + 7 * 4;

// The largest average buying price a holding may carry, in yen per share:
// twice the highest price with its fee, so every derived value stays far
// from the 32-bit limits.
constexpr int64_t MaxBuyingAverage = 2 * int64_t{MaxStockPrice};

void Refuse(const std::string& what) {
    throw EVxLoadError("セーブデータが不正です: " + what);
}

void CheckRange(int64_t value, int64_t low, int64_t high, const char* what) {
    if (value < low || value > high)
        Refuse(std::string(what) + " = " + std::to_string(value));
}

void CheckCompany(const TVxCompany& company, std::bitset<CompanyCount>& seenIDs) {
    CheckRange(company.Trend, -100, 100, "Trend");
    CheckRange(company.ID, 0, CompanyCount - 1, "ID");
    if (seenIDs.test(static_cast<size_t>(company.ID)))
        Refuse("ID " + std::to_string(company.ID) + " twice");
    seenIDs.set(static_cast<size_t>(company.ID));
    CheckRange(company.MyStockCount, 0, IssuedShares, "MyStockCount");
    if (company.MyStockCount % TradeLot != 0)
        Refuse("MyStockCount = " + std::to_string(company.MyStockCount));
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
        Refuse("trailing bytes");

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

// The largest history file read: far beyond any game's.
constexpr std::uintmax_t MaxHistoryFileSize = 64 << 20;

// The history stored beside `saveFile`; none when there is none, or it
// cannot be read, or it is damaged.
std::optional<TVxGameHistory> ReadHistoryBeside(const std::string& saveFile) {
    const std::string path = VxHistoryPath(saveFile);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > MaxHistoryFileSize)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (!in)
        return std::nullopt;
    try {
        return VxReadHistory(text);
    } catch (const EVxHistoryError&) {
        return std::nullopt;
    }
}

} // namespace

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
    // The save first: a history left from before it (a failure between the
    // two renames) no longer ends at the save's month and is not read back.
    if (FHistory.Empty())
        return VxReplaceFile(fileName, stream.Bytes());
    const std::string history = VxHistoryText(FHistory);
    const TVxFileContent files[] = {
        {fileName, stream.Bytes()},
        {VxHistoryPath(fileName),
         std::span(reinterpret_cast<const uint8_t*>(history.data()), history.size())}};
    VxReplaceFiles(files);
}

void TVxGame::LoadFromFile(const std::string& fileName) {
    // A folder opens like a file and reads as an empty one; say what it is.
    if (const std::error_code kind = VxNonFileKind(fileName); kind == TVxFileRefusal::IsDirectory)
        throw std::system_error(kind, fileName);
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw std::system_error(errno ? errno : ENOENT, std::generic_category(), fileName);
    // Read one byte more than a save file can hold: anything longer is refused
    // without being read whole.
    std::vector<uint8_t> bytes(SaveFileSize(CompanyCount) + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        throw std::system_error(EIO, std::generic_category(), fileName);
    bytes.resize(static_cast<size_t>(in.gcount()));
    TVxReadStream stream(bytes);
    LoadFromStream(stream);
    if (const std::optional<TVxGameHistory> history = ReadHistoryBeside(fileName))
        AdoptHistory(*history);
}

// Reading and writing save files.  A file is read and checked whole before
// the game changes, so a refused file leaves the game exactly as it was,
// and it is replaced atomically, so a failed save keeps the previous file.
// The game's history goes into a file of its own beside it
// (VxGameHistoryFile.h), written with it and read back only when it is the
// history of the game in the save file.

#include "game/VxGame.h"
#include "game/VxGameHistoryFile.h"
#include "game/VxGameSaveData.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

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

// Reads everything after the header into `game`, the way the file is laid out.
void ReadBody(TVxGame& game, TVxReadStream& stream) {
    game.Month = stream.ReadInt32();
    game.Money = stream.ReadInt32();
    game.Year = stream.ReadInt32();
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

[[noreturn]] void ThrowErrno(const std::string& path) {
    throw std::system_error(errno, std::generic_category(), path);
}

// A file written beside `target` under a name of its own and renamed over
// it only once its bytes are on the disk, so that a crash or a full disk
// while saving never leaves a cut or empty save file behind.  It is created
// exclusively, so a stale file or a link of that name is never written
// through; an uncommitted file is removed.
class TTemporaryFile {
public:
    explicit TTemporaryFile(const std::string& target) : FTarget(target) {
        for (int attempt = 0; FDescriptor < 0; ++attempt) {
            FPath =
                target + "." + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
            FDescriptor = ::open(FPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (FDescriptor < 0 && (errno != EEXIST || attempt >= 99))
                ThrowErrno(target);
        }
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() {
        if (FDescriptor >= 0)
            ::close(FDescriptor);
        if (!FCommitted)
            ::unlink(FPath.c_str());
    }

    void Write(std::string_view text) {
        Write(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    }

    void Write(std::span<const uint8_t> bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(FDescriptor, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written == 0)
                errno = EIO; // nothing written and no reason given
            if (written <= 0)
                ThrowErrno(FTarget);
            bytes = bytes.subspan(static_cast<size_t>(written));
        }
    }

    void Commit() {
        if (::fsync(FDescriptor) != 0)
            ThrowErrno(FTarget);
        const int descriptor = std::exchange(FDescriptor, -1);
        if (::close(descriptor) != 0)
            ThrowErrno(FTarget);
        if (::rename(FPath.c_str(), FTarget.c_str()) != 0)
            ThrowErrno(FTarget);
        FCommitted = true;
        SyncFolder();
    }

private:
    // Makes the rename itself durable; the save has succeeded either way.
    void SyncFolder() const {
        const std::filesystem::path folder = std::filesystem::path(FTarget).parent_path();
        const int descriptor =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor >= 0) {
            ::fsync(descriptor);
            ::close(descriptor);
        }
    }

    std::string FTarget;
    std::string FPath;
    int FDescriptor = -1;
    bool FCommitted = false;
};

// The largest history file read: far beyond any game's.
constexpr std::streamsize MaxHistoryFileSize = 64 << 20;

// The history stored beside `saveFile`; none when there is none, or it
// cannot be read, or it is damaged.
std::optional<TVxGameHistory> ReadHistoryBeside(const std::string& saveFile) {
    const std::string path = VxHistoryPath(saveFile);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<size_t>(MaxHistoryFileSize) + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad() || in.gcount() > MaxHistoryFileSize)
        return std::nullopt;
    text.resize(static_cast<size_t>(in.gcount()));
    try {
        return VxReadHistory(text);
    } catch (const EVxHistoryError&) {
        return std::nullopt;
    }
}

} // namespace

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
    // Both files are complete beside their targets before either replaces
    // its own, the save first: a failed save changes neither, and a history
    // left from before the save (a failure between the two renames) no
    // longer ends at the save's month and is not read back.
    std::optional<TTemporaryFile> history;
    if (!FHistory.Empty()) {
        history.emplace(VxHistoryPath(fileName));
        history->Write(VxHistoryText(FHistory));
    }
    TTemporaryFile save(fileName);
    save.Write(stream.Bytes());
    save.Commit();
    if (history)
        history->Commit();
}

void TVxGame::LoadFromFile(const std::string& fileName) {
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

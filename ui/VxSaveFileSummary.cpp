#include "ui/VxSaveFileSummary.h"

#include "game/VxGameSaveData.h"
#include "game/VxStream.h"
#include "ui/VxSaveSlots.h"

#include <QFile>

#include <algorithm>
#include <array>

std::optional<TVxSaveFileSummary> ReadSaveFileSummary(const QString& path) {
    // Never open a pipe or a device: reading it could block the menu.
    if (!TVxSaveSlots::FileExists(path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The header, then Month, Money and Year.
    std::array<uint8_t, TVxGameSaveData::Size + 3 * 4> bytes{};
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.read(reinterpret_cast<char*>(bytes.data()), size) != size)
        return std::nullopt;

    const auto header = TVxGameSaveData::Default().Bytes();
    if (!std::equal(header.begin(), header.end(), bytes.begin()))
        return std::nullopt;
    TVxReadStream fields(std::span<const uint8_t>(bytes).subspan(header.size()));
    TVxSaveFileSummary summary;
    summary.Month = fields.ReadInt32();
    summary.Money = fields.ReadInt32();
    summary.Year = fields.ReadInt32();
    if (summary.Month < 0 || summary.Month > 11 || summary.Year < 0)
        return std::nullopt;
    return summary;
}

#include "ui/saves/VxSaveFileSummary.h"

#include "ui/saves/VxSaveSlots.h"

#include <QFile>

#include <array>

std::optional<TVxSaveFileSummary> ReadSaveFileSummary(const QString& path) {
    // Never open a pipe or a device: reading it could block the menu.
    if (!TVxSaveSlots::FileExists(path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::array<uint8_t, SaveFileSummarySize> bytes{};
    const qint64 size = file.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    if (size < 0)
        return std::nullopt;
    return VxReadSaveFileSummary(std::span<const uint8_t>(bytes).first(static_cast<size_t>(size)));
}

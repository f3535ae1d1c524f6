#include "app/VxSeedText.h"

#include "game/VxSeed.h"

std::optional<uint64_t> VxParseSeedText(const QString& text) {
    return VxParseSeed(text.normalized(QString::NormalizationForm_KC).trimmed().toStdString());
}

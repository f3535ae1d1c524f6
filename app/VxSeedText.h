#pragma once

// A seed as a player types it into a box: a Japanese input method types
// full-width digits ("７"), and a pasted number may bring blanks around it.
// The text is brought to its compatibility form (NFKC: "７" is "7", an
// ideographic space a space) and trimmed; what remains must be a seed as
// the command line takes one (game/VxSeed.h).

#include <QString>

#include <cstdint>
#include <optional>

std::optional<uint64_t> VxParseSeedText(const QString& text);

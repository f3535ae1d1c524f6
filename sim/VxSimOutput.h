#pragma once

// The lines of `run`: one per month, as CSV (with a header line) or as JSON
// Lines.

#include "sim/VxSimMonth.h"

#include <optional>
#include <string>
#include <string_view>

enum class TVxSimFormat { Csv, Jsonl };

// "csv" or "jsonl"; nothing for any other name.
std::optional<TVxSimFormat> VxSimParseFormat(std::string_view name);

// The line before the first month, without its line end; empty for formats
// that have none.
std::string VxSimHeaderLine(TVxSimFormat format);

// One month, without its line end.  CSV: year,month,cash,value,held,tax,
// events, the events separated by spaces ("bankruptcy:17 game_over").
// JSON: {"year":..,"month":..,"cash":..,"value":..,"held":..,"tax":..,
// "events":[{"type":"bankruptcy","id":17},{"type":"game_over"}]}.
std::string VxSimMonthLine(const TVxSimMonth& month, TVxSimFormat format);

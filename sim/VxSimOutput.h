#pragma once

// The lines of `run`: one per month, as CSV (with a header line) or as JSON
// Lines; and the writing of every command's output, which fails the command
// when the output is lost.

#include "sim/VxSimMonth.h"

#include <optional>
#include <ostream>
#include <stdexcept>
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

// The output could not be written (a full disk, a closed pipe...): the
// message says why.
class EVxSimOutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes `text` to `out`, standard output, and with `flush` flushes it.
// Throws EVxSimOutputError, with the system's reason, as soon as the stream
// fails, so that a command whose output went nowhere does not report
// success.
void VxSimWrite(std::ostream& out, std::string_view text, bool flush = false);

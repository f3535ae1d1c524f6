#include "sim/VxSimOutput.h"

#include "sim/VxSimFields.h"
#include "sim/VxSimJson.h"

#include <cerrno>
#include <cstring>

namespace {

std::string CsvLine(const TVxSimMonth& month) {
    std::string line = std::to_string(month.Year) + ',' + std::to_string(month.Month) + ',' +
                       std::to_string(month.Cash) + ',' + std::to_string(month.Value) + ',' +
                       std::to_string(month.Held) + ',' + std::to_string(month.Tax) + ',';
    for (size_t i = 0; i < month.Events.size(); ++i) {
        if (i > 0)
            line += ' ';
        line += VxSimEventName(month.Events[i].Kind);
        if (month.Events[i].Kind == TVxSimEventKind::Bankruptcy)
            line += ':' + std::to_string(month.Events[i].CompanyID);
    }
    return line;
}

std::string JsonLine(const TVxSimMonth& month) {
    TVxSimJsonWriter json;
    TVxSimFields(json)
        .Field("year", month.Year)
        .Field("month", month.Month)
        .Field("cash", month.Cash)
        .Field("value", month.Value)
        .Field("held", month.Held)
        .Field("tax", month.Tax)
        .Array("events", [&](TVxSimJsonWriter& events) {
            for (const TVxSimEvent& event : month.Events) {
                TVxSimFields fields(events);
                fields.Field("type", VxSimEventName(event.Kind));
                if (event.Kind == TVxSimEventKind::Bankruptcy)
                    fields.Field("id", event.CompanyID);
            }
        });
    return std::string(json.Text());
}

} // namespace

std::optional<TVxSimFormat> VxSimParseFormat(std::string_view name) {
    if (name == "csv")
        return TVxSimFormat::Csv;
    if (name == "jsonl")
        return TVxSimFormat::Jsonl;
    return std::nullopt;
}

std::string VxSimHeaderLine(TVxSimFormat format) {
    return format == TVxSimFormat::Csv ? "year,month,cash,value,held,tax,events" : "";
}

std::string VxSimMonthLine(const TVxSimMonth& month, TVxSimFormat format) {
    return format == TVxSimFormat::Csv ? CsvLine(month) : JsonLine(month);
}

void VxSimWrite(std::ostream& out, std::string_view text, bool flush) {
    // The stream keeps no reason, but the write that failed has just set
    // errno: clear it first, so that a reason given is that write's.
    errno = 0;
    out << text;
    if (flush)
        out.flush();
    if (out)
        return;
    const int error = errno;
    throw EVxSimOutputError(std::string("standard output: cannot be written") +
                            (error != 0 ? std::string(": ") + std::strerror(error) : ""));
}

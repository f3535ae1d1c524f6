#include "sim/VxSimRequest.h"

#include "game/VxConsts.h"
#include "sim/VxSimJson.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <array>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

using TValue = rapidjson::Value;

struct TCommandInfo {
    std::string_view Name;
    TVxSimCommand Command;
    std::array<std::string_view, 2> Fields; // besides "cmd"; empty names are unused
};

constexpr std::array<TCommandInfo, 7> Commands{{
    {"state", TVxSimCommand::State, {}},
    {"offers", TVxSimCommand::Offers, {"id", "side"}},
    {"buy", TVxSimCommand::Buy, {"id", "lots"}},
    {"sell", TVxSimCommand::Sell, {"id", "lots"}},
    {"next", TVxSimCommand::Next, {}},
    {"save", TVxSimCommand::Save, {"path"}},
    {"quit", TVxSimCommand::Quit, {}},
}};

std::string_view Name(const TValue& value) {
    return {value.GetString(), value.GetStringLength()};
}

std::string Quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

// A name from the request, cut short: a message need not repeat a whole line.
std::string Shortened(std::string_view name) {
    return name.size() > 40 ? std::string(name.substr(0, 40)) + "..." : std::string(name);
}

[[noreturn]] void Refuse(std::string code, const std::string& message) {
    throw EVxSimRequestError(std::move(code), message);
}

// True when a string or a member name anywhere in `root` is not UTF-8.  The
// parser checks the bytes of the line and joins escaped surrogate pairs,
// but RapidJSON 1.1.0 takes an escaped low surrogate ("\udc00") alone and
// writes it out as bytes that are no UTF-8.  Walked without recursion, as
// deep as the line nests.
bool AnyStringNotUtf8(const TValue& root) {
    const auto bad = [](const TValue& text) {
        return !VxSimIsUtf8(Name(text));
    };
    std::vector<const TValue*> pending{&root};
    while (!pending.empty()) {
        const TValue& value = *pending.back();
        pending.pop_back();
        if (value.IsString() && bad(value))
            return true;
        if (value.IsArray())
            for (const TValue& element : value.GetArray())
                pending.push_back(&element);
        if (value.IsObject())
            for (const auto& member : value.GetObject()) {
                if (bad(member.name))
                    return true;
                pending.push_back(&member.value);
            }
    }
    return false;
}

rapidjson::Document Parse(std::string_view line) {
    if (line.size() > VxSimMaxRequestLength)
        Refuse("line_too_long",
               "a request line has at most " + std::to_string(VxSimMaxRequestLength) + " bytes");
    // The parser would take a NUL byte for the end of the line and never
    // look at what follows.
    if (const size_t nul = line.find('\0'); nul != std::string_view::npos)
        Refuse("not_json", "not JSON: a NUL byte (at byte " + std::to_string(nul) + ")");
    rapidjson::Document document;
    // Iterative: the parser's own stack, not the program's, holds the
    // nesting.  Strings must be UTF-8.
    constexpr unsigned Flags =
        rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag;
    document.Parse<Flags>(line.data(), line.size());
    if (!document.HasParseError()) {
        if (AnyStringNotUtf8(document))
            Refuse("not_utf8", "a string of the request holds a lone UTF-16 surrogate");
        return document;
    }
    const rapidjson::ParseErrorCode error = document.GetParseError();
    const std::string where = " (at byte " + std::to_string(document.GetErrorOffset()) + ")";
    if (error == rapidjson::kParseErrorStringInvalidEncoding)
        Refuse("not_utf8", "a string of the request is not UTF-8" + where);
    if (error == rapidjson::kParseErrorStringUnicodeSurrogateInvalid)
        Refuse("not_utf8", "a string of the request holds a lone UTF-16 surrogate" + where);
    if (error == rapidjson::kParseErrorNumberTooBig)
        Refuse("out_of_range", "a number of the request is too big" + where);
    Refuse("not_json", std::string("not JSON: ") + rapidjson::GetParseError_En(error) + where);
}

const TCommandInfo& CommandOf(const TValue& request) {
    const auto cmd = request.FindMember("cmd");
    if (cmd == request.MemberEnd())
        Refuse("missing_field", "the request has no \"cmd\"");
    if (!cmd->value.IsString())
        Refuse("wrong_type", "\"cmd\" must be a string");
    for (const TCommandInfo& info : Commands)
        if (info.Name == Name(cmd->value))
            return info;
    Refuse("unknown_cmd", "unknown cmd " + Quoted(Shortened(Name(cmd->value))) +
                              " (known: state, offers, buy, sell, next, save, quit)");
}

// Every member is "cmd" or a field of the command, and none comes twice.
void CheckMembers(const TValue& request, const TCommandInfo& command) {
    for (auto member = request.MemberBegin(); member != request.MemberEnd(); ++member) {
        const std::string_view name = Name(member->name);
        for (auto earlier = request.MemberBegin(); earlier != member; ++earlier)
            if (Name(earlier->name) == name)
                Refuse("duplicate_field", Quoted(name) + " is given twice");
        bool known = name == "cmd";
        for (const std::string_view field : command.Fields)
            known = known || (!field.empty() && field == name);
        if (!known)
            Refuse("unknown_field",
                   Quoted(command.Name) + " takes no field " + Quoted(Shortened(name)));
    }
    for (const std::string_view field : command.Fields)
        if (!field.empty() && !request.HasMember(rapidjson::StringRef(field.data(), field.size())))
            Refuse("missing_field", Quoted(command.Name) + " needs " + Quoted(field));
}

const TValue& Field(const TValue& request, std::string_view name) {
    return request.FindMember(rapidjson::StringRef(name.data(), name.size()))->value;
}

// `number` within low..high; none is a number too big to be read.
int32_t InRange(std::string_view name, std::optional<int64_t> number, int64_t low, int64_t high,
                const char* rangeCode) {
    const std::string range =
        Quoted(name) + " must be from " + std::to_string(low) + " to " + std::to_string(high);
    if (!number)
        Refuse(rangeCode, range);
    if (*number < low || *number > high)
        Refuse(rangeCode, range + ", not " + std::to_string(*number));
    return static_cast<int32_t>(*number);
}

// A whole number; none when it is too big to be read.  JSON numbers with a
// fraction or an exponent are not whole numbers here, even 3.0.
std::optional<int64_t> WholeNumber(const TValue& request, std::string_view name) {
    const TValue& value = Field(request, name);
    if (!value.IsNumber())
        Refuse("wrong_type", Quoted(name) + " must be a whole number");
    if (value.IsInt64())
        return value.GetInt64();
    const double number = value.GetDouble();
    const bool huge =
        std::isfinite(number) && std::trunc(number) == number && std::fabs(number) >= 9.2e18;
    if (huge || value.IsUint64())
        return std::nullopt;
    Refuse("wrong_type", Quoted(name) + " must be a whole number, without fraction or exponent");
}

std::string_view Text(const TValue& request, std::string_view name) {
    const TValue& value = Field(request, name);
    if (!value.IsString())
        Refuse("wrong_type", Quoted(name) + " must be a string");
    return Name(value);
}

} // namespace

TVxSimRequest VxSimReadRequest(std::string_view line) {
    const rapidjson::Document document = Parse(line);
    if (!document.IsObject())
        Refuse("not_object", "a request is a JSON object, such as {\"cmd\":\"state\"}");
    const TCommandInfo& command = CommandOf(document);
    CheckMembers(document, command);

    TVxSimRequest request;
    request.Command = command.Command;
    switch (command.Command) {
    case TVxSimCommand::Offers:
        request.Id = VxSimCompanyId(WholeNumber(document, "id"));
        request.Side = VxSimSide(Text(document, "side"));
        break;
    case TVxSimCommand::Buy:
    case TVxSimCommand::Sell:
        request.Id = VxSimCompanyId(WholeNumber(document, "id"));
        request.Lots = VxSimLots(WholeNumber(document, "lots"));
        break;
    case TVxSimCommand::Save:
        request.Path = Text(document, "path");
        VxSimCheckPath(request.Path);
        break;
    case TVxSimCommand::State:
    case TVxSimCommand::Next:
    case TVxSimCommand::Quit:
        break;
    }
    return request;
}

int32_t VxSimCompanyId(std::optional<int64_t> id) {
    return InRange("id", id, 0, CompanyCount - 1, "unknown_company");
}

int32_t VxSimLots(std::optional<int64_t> lots) {
    return InRange("lots", lots, std::numeric_limits<int32_t>::min(),
                   std::numeric_limits<int32_t>::max(), "out_of_range");
}

TVxSimSide VxSimSide(std::string_view side) {
    if (side == "buy")
        return TVxSimSide::Buy;
    if (side == "sell")
        return TVxSimSide::Sell;
    Refuse("bad_value", "\"side\" must be \"buy\" or \"sell\"");
}

void VxSimCheckPath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos)
        Refuse("bad_value", "\"path\" must be a file name, not empty and without NUL");
}

std::string_view VxSimSideName(TVxSimSide side) {
    return side == TVxSimSide::Buy ? "buy" : "sell";
}

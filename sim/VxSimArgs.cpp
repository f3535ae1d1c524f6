#include "sim/VxSimArgs.h"

#include "game/VxSeed.h"

#include <algorithm>
#include <charconv>

namespace {

// `text` as a whole decimal number, digits only with an optional leading
// minus; nothing when it is not one or out of int64_t's range.
std::optional<int64_t> ParseInteger(std::string_view text) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

TVxSimArgs::TVxSimArgs(const std::vector<std::string>& args,
                       const std::vector<std::string_view>& known) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--") || arg == "--") {
            if (arg.starts_with("-") && arg.size() > 1)
                throw EVxSimUsage("unknown option " + std::string(arg));
            FPlain.emplace_back(arg);
            continue;
        }
        std::string_view name = arg.substr(2);
        std::string value;
        if (const size_t equals = name.find('='); equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            throw EVxSimUsage("option --" + std::string(name) + " needs a value");
        }
        if (std::find(known.begin(), known.end(), name) == known.end())
            throw EVxSimUsage("unknown option --" + std::string(name));
        if (!FOptions.emplace(std::string(name), value).second)
            throw EVxSimUsage("option --" + std::string(name) + " given twice");
    }
}

std::optional<std::string> TVxSimArgs::Text(std::string_view name) const {
    const auto found = FOptions.find(name);
    if (found == FOptions.end())
        return std::nullopt;
    if (found->second.empty())
        throw EVxSimUsage("option --" + std::string(name) + " needs a value");
    return found->second;
}

std::string TVxSimArgs::RequiredText(std::string_view name) const {
    const std::optional<std::string> text = Text(name);
    if (!text)
        throw EVxSimUsage("option --" + std::string(name) + " is required");
    return *text;
}

std::optional<int64_t> TVxSimArgs::Integer(std::string_view name, int64_t low, int64_t high) const {
    const std::optional<std::string> text = Text(name);
    if (!text)
        return std::nullopt;
    const std::optional<int64_t> value = ParseInteger(*text);
    if (!value || *value < low || *value > high)
        throw EVxSimUsage("option --" + std::string(name) + " must be a whole number from " +
                          std::to_string(low) + " to " + std::to_string(high) + ", not \"" + *text +
                          "\"");
    return value;
}

int64_t TVxSimArgs::RequiredInteger(std::string_view name, int64_t low, int64_t high) const {
    const std::optional<int64_t> value = Integer(name, low, high);
    if (!value)
        throw EVxSimUsage("option --" + std::string(name) + " is required");
    return *value;
}

std::optional<uint64_t> TVxSimArgs::Unsigned(std::string_view name) const {
    const std::optional<std::string> text = Text(name);
    if (!text)
        return std::nullopt;
    const std::optional<uint64_t> value = VxParseSeed(*text);
    if (!value)
        throw EVxSimUsage("option --" + std::string(name) + " must be a whole number from 0 to " +
                          std::to_string(VxLargestSeed) + ", not \"" + *text + "\"");
    return value;
}

uint64_t TVxSimArgs::RequiredUnsigned(std::string_view name) const {
    const std::optional<uint64_t> value = Unsigned(name);
    if (!value)
        throw EVxSimUsage("option --" + std::string(name) + " is required");
    return *value;
}

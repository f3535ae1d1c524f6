#pragma once

// The options of one subcommand: "--name value" or "--name=value", each at
// most once, plus plain arguments.  Every mistake throws EVxSimUsage with a
// message that names it.

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class EVxSimUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TVxSimArgs {
public:
    // `known` are the option names the subcommand accepts, without "--".
    TVxSimArgs(const std::vector<std::string>& args, const std::vector<std::string_view>& known);

    std::optional<std::string> Text(std::string_view name) const;
    std::string RequiredText(std::string_view name) const;
    // A whole decimal number in low..high; nothing when the option is absent.
    std::optional<int64_t> Integer(std::string_view name, int64_t low, int64_t high) const;
    int64_t RequiredInteger(std::string_view name, int64_t low, int64_t high) const;
    // Any 64-bit unsigned number, written as a seed is (VxParseSeed).
    std::optional<uint64_t> Unsigned(std::string_view name) const;
    uint64_t RequiredUnsigned(std::string_view name) const;

    const std::vector<std::string>& Plain() const { return FPlain; }

private:
    std::map<std::string, std::string, std::less<>> FOptions;
    std::vector<std::string> FPlain;
};

#pragma once

// One request line of `ridolt-sim serve`, read and checked before anything
// reaches the game.  A line is one JSON object with a "cmd" and the fields
// of that command, no others:
//
//     {"cmd":"state"}                    {"cmd":"next"}
//     {"cmd":"offers","id":417,"side":"buy"}
//     {"cmd":"buy","id":417,"lots":3}    {"cmd":"sell","id":417,"lots":1}
//     {"cmd":"save","path":"game.sav"}   {"cmd":"quit"}
//
// Anything else is refused with a stable error code (the protocol
// reference in docs/ lists them) and a message for people.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

enum class TVxSimCommand { State, Offers, Buy, Sell, Next, Save, Quit };
enum class TVxSimSide { Buy, Sell };

struct TVxSimRequest {
    TVxSimCommand Command = TVxSimCommand::State;
    int32_t Id = -1;                   // a company, 0..CompanyCount - 1 (offers, buy, sell)
    TVxSimSide Side = TVxSimSide::Buy; // offers
    int32_t Lots = 0;                  // any 32-bit count; the game refuses what it does not offer
    std::string Path;                  // save
};

// A request refused, with the code a program can act on and a message.
class EVxSimRequestError : public std::runtime_error {
public:
    EVxSimRequestError(std::string code, const std::string& message)
        : std::runtime_error(message), FCode(std::move(code)) {}
    const std::string& Code() const { return FCode; }

private:
    std::string FCode;
};

// The longest request line read whole; a longer one is refused unread.
inline constexpr size_t VxSimMaxRequestLength = 64 * 1024;

// The request of one line (without its line end).  Throws
// EVxSimRequestError.  Never recurses into the line's nesting, so a line
// nested a hundred thousand deep is refused like any other.
TVxSimRequest VxSimReadRequest(std::string_view line);

// The checks the reader makes of a request's fields, for a program that
// takes them from elsewhere (the Python module) and must refuse them alike:
// a company ID (unknown_company), a lot count (out_of_range), a side and a
// save path (bad_value).  A number too big to be read at all is none.
int32_t VxSimCompanyId(std::optional<int64_t> id);
int32_t VxSimLots(std::optional<int64_t> lots);
TVxSimSide VxSimSide(std::string_view side);
void VxSimCheckPath(const std::string& path);

// "buy" or "sell", as written in requests.
std::string_view VxSimSideName(TVxSimSide side);

#pragma once

// Mixed whole/fraction arithmetic of the game is done in x87 extended
// precision (a 64-bit significand).  A platform without it would round some
// amounts differently, so refuse to build there.

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "the game's arithmetic needs 80-bit extended long double");

// Nearest whole number, exact halves to the even neighbour.  The game never
// changes the rounding mode, so rint rounds like nearbyint, without the cost
// of saving and restoring the floating-point environment.
inline int64_t VxRound(long double x) {
    return static_cast<int64_t>(std::rint(x));
}
// Toward zero.
inline int64_t VxTrunc(long double x) {
    return static_cast<int64_t>(std::trunc(x));
}
// Toward plus infinity.
inline int64_t VxCeil(long double x) {
    return static_cast<int64_t>(std::ceil(x));
}

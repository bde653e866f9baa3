// Rounding of pay figures: exact halves always go to the even neighbour.
#pragma once

#include <optional>

namespace kes::calc {

// Scales by 10^decimals, rounds to the nearest whole number with halves to
// even, scales back. Takes the value as it is: a 32-bit value is widened
// without any correction, so 0.125 gives 0.12 and 0.375 gives 0.38.
double round_half_even(double value, int decimals);

// A double stored as a 32-bit float; nullopt when it is not finite or lies
// beyond the float range (such a result cannot be stored).
std::optional<float> narrow(double value);

}  // namespace kes::calc

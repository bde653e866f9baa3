// The four texts a result field can receive. All use "." as decimal point,
// no grouping, "-" before negatives and no leading blank; a negative zero is
// written like zero.
#pragma once

#include <string>

namespace kes::calc {

// General form with at most 7 significant digits: 5600/174 stored as a float
// gives "32.18391", 5600 gives "5600", 0.5 gives "0.5"; exponent form from
// 1E+07 and below 1E-04.
std::string short_form(float value);

// Rounded to 2 decimals (halves to even), stored as a float again, then the
// short form.
std::string rounded_short_form(float value);

// Rounded to 2 decimals in double precision, then the general form with at
// most 15 significant digits; exponent form from 1E+07 and below 1E-04.
std::string rounded_long_form(double value);

// The overtime rates: at least one digit before the point, at most two after
// it, and the point always written ("31.03", "30.5", "30.").
std::string rate_form(float value);

}  // namespace kes::calc

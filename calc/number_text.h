// Reading numbers out of field texts and writing numbers back as text.
//
// Two readings exist because the pay computation must refuse a text that is
// not wholly a number, while a field's numeric view must never fail.
// Both use "." as the decimal point whatever the process locale is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kes::calc {

// Blanks skipped around and, for the leading-number reading, inside a number:
// space, tab, carriage return and line feed.
bool is_blank(char c);

// Strict reading: after leading and trailing blanks are taken off, the text
// must be an optional sign followed by digits with at most one ".", and at
// least one digit ("5.", ".5", "-3" read; "", ".", "1.2.", "1,000" do not),
// optionally followed by an exponent: "E" or "e", an optional sign and digits,
// as the result texts of large and tiny amounts carry ("1.5E+07" reads; "1E",
// "1D5" do not). A number too large for a double fails; one too small reads
// as 0. Returns nullopt when the text is not such a number.
std::optional<double> read_strict(std::string_view text);

// Leading-number reading (Val rules): skips leading blanks, then reads an
// optional sign, digits with at most one ".", and an optional exponent
// ("E" or "D" in either case, an optional sign, digits). Blanks inside the
// number are ignored; reading stops at the first character that cannot
// continue it. "&H" and "&O" read a hexadecimal or octal whole number.
// No number at all, or one beyond the range of a double, gives 0; it never
// fails. "12abc" gives 12, " 3 4" gives 34, "-2.5E2" gives -250.
double read_val(std::string_view text);

// General text form: at most `digits` significant digits (1 to 17), no
// trailing zeros after the point, no point for whole numbers, "0" before the
// point below 1, "-" for negatives, no blanks, no grouping. Magnitudes of
// 10^exponent_from and above, or below 1E-04, take the exponent form: the
// mantissa without trailing zeros, "E", a sign and at least two digits
// (1E+07, 1.5E-05). Zero of either sign is "0". Not-a-number and infinities
// are written "NaN", "Inf" and "-Inf"; no computation stores them.
std::string general_text(double value, int digits, int exponent_from);

// The text a numeric field shows when its value is set from code: the
// general form with 15 significant digits, in the exponent form only where the
// plain form would need more than 15 digits (1E+15, 1.5E-15; but 0.00001).
std::string value_text(double value);

}  // namespace kes::calc

#include "calc/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace kes::calc {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Value of c as a digit of `base` (8 or 16), or -1.
int digit_value(char c, int base) {
  int d = -1;
  if (is_digit(c)) {
    d = c - '0';
  } else {
    const char u = upper(c);
    if (u >= 'A' && u <= 'F') d = u - 'A' + 10;
  }
  return d < base ? d : -1;
}

// Whole number after "&H" or "&O"; blanks between its digits are ignored like
// those inside a decimal number.
double read_radix(std::string_view text, std::size_t i, int base) {
  double value = 0;
  while (i < text.size()) {
    if (is_blank(text[i])) {
      ++i;
      continue;
    }
    const int d = digit_value(text[i], base);
    if (d < 0) break;
    value = value * base + d;
    ++i;
  }
  return std::isfinite(value) ? value : 0.0;
}

// Keeps -0 out of the readings: a field reading "-0" is simply zero.
double plain_zero(double v) { return v == 0 ? 0.0 : v; }

}  // namespace

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::optional<double> read_strict(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && is_blank(text[begin])) ++begin;
  while (end > begin && is_blank(text[end - 1])) --end;
  bool negative = false;
  if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
    negative = text[begin] == '-';
    ++begin;
  }
  const std::string_view body = text.substr(begin, end - begin);
  // The exponent is there so the texts the program writes itself (1.5E+07) read back.
  std::string_view mantissa = body;
  std::string_view exponent;
  const std::size_t e = body.find_first_of("Ee");
  if (e != std::string_view::npos) {
    mantissa = body.substr(0, e);
    exponent = body.substr(e + 1);
  }

  int digits = 0;
  int points = 0;
  int whole_digits = 0;    // before the point, from the first non-zero digit on
  int fraction_zeros = 0;  // after the point, before the first non-zero digit
  bool nonzero = false;
  for (const char c : mantissa) {
    if (is_digit(c)) {
      ++digits;
      if (c != '0') nonzero = true;
      if (points == 0) {
        whole_digits += nonzero ? 1 : 0;
      } else if (!nonzero) {
        ++fraction_zeros;
      }
    } else if (c == '.') {
      ++points;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || points > 1) return std::nullopt;

  long power = 0;
  if (e != std::string_view::npos) {
    std::size_t i = 0;
    const bool power_negative = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) ++i;
    if (i == exponent.size()) return std::nullopt;
    for (; i < exponent.size(); ++i) {
      if (!is_digit(exponent[i])) return std::nullopt;
      // Far beyond any double's range already; saturate instead of overflowing.
      if (power < 100000) power = power * 10 + (exponent[i] - '0');
    }
    if (power_negative) power = -power;
  }
  // Power of ten of the first non-zero digit: tells an overflow from an underflow.
  const long lead = (whole_digits > 0 ? whole_digits - 1 : -(fraction_zeros + 1)) + power;

  double value = 0;
  const auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value,
                                         std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (lead > 0) return std::nullopt;  // too large for a double
    return 0.0;                         // too small: reads as zero
  }
  if (ec != std::errc() || ptr != body.data() + body.size()) return std::nullopt;
  return plain_zero(negative ? -value : value);
}

double read_val(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto skip_blanks = [&] {
    while (i < n && is_blank(text[i])) ++i;
  };
  skip_blanks();
  if (i + 1 < n && text[i] == '&') {
    const char prefix = upper(text[i + 1]);
    if (prefix == 'H') return read_radix(text, i + 2, 16);
    if (prefix == 'O') return read_radix(text, i + 2, 8);
    return 0;
  }

  std::string number;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  bool any_digit = false;
  bool point = false;
  for (;; ++i) {
    skip_blanks();
    if (i >= n) break;
    const char c = text[i];
    if (is_digit(c)) {
      any_digit = true;
      number += c;
    } else if (c == '.' && !point) {
      point = true;
      number += c;
    } else {
      break;
    }
  }
  if (!any_digit) return 0;

  // The exponent counts only when at least one digit follows its letter.
  skip_blanks();
  if (i < n && (upper(text[i]) == 'E' || upper(text[i]) == 'D')) {
    ++i;
    skip_blanks();
    bool exp_negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      exp_negative = text[i] == '-';
      ++i;
    }
    long exponent = 0;
    bool exp_digit = false;
    for (;; ++i) {
      skip_blanks();
      if (i >= n || !is_digit(text[i])) break;
      exp_digit = true;
      // Far beyond any double's range already; saturate instead of overflowing.
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
    }
    if (exp_digit) {
      number += 'e';
      if (exp_negative) number += '-';
      number += std::to_string(exponent);
    }
  }

  double value = 0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec != std::errc() || ptr != number.data() + number.size()) return 0;
  return plain_zero(value);
}

namespace {

// A finite, non-zero value as its significant digits (no trailing zeros) and
// the power of ten of the first one.
struct Digits {
  bool negative = false;
  std::string mantissa;
  int exponent = 0;
};

Digits significant_digits(double value, int digits) {
  // "%.*e" rounds the exact binary value to the wanted significant digits.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
  Digits d;
  const char* p = buf;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  for (; *p != 'e'; ++p) {
    if (is_digit(*p)) d.mantissa += *p;
  }
  d.exponent = std::atoi(p + 1);
  while (d.mantissa.size() > 1 && d.mantissa.back() == '0') d.mantissa.pop_back();
  return d;
}

std::string exponent_text(const Digits& d) {
  std::string result = d.negative ? "-" : "";
  result += d.mantissa[0];
  if (d.mantissa.size() > 1) {
    result += '.';
    result.append(d.mantissa, 1, std::string::npos);
  }
  char exp_text[16];
  std::snprintf(exp_text, sizeof exp_text, "E%c%02d", d.exponent < 0 ? '-' : '+',
                d.exponent < 0 ? -d.exponent : d.exponent);
  return result + exp_text;
}

std::string plain_text(const Digits& d) {
  std::string result = d.negative ? "-" : "";
  if (d.exponent < 0) {
    result += "0.";
    result.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    return result + d.mantissa;
  }
  const auto whole = static_cast<std::size_t>(d.exponent) + 1;
  if (d.mantissa.size() <= whole) {
    result += d.mantissa;
    result.append(whole - d.mantissa.size(), '0');
    return result;
  }
  result.append(d.mantissa, 0, whole);
  result += '.';
  result.append(d.mantissa, whole, std::string::npos);
  return result;
}

// The texts of the values no computation stores, or "" for an ordinary value.
std::string special_text(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
  if (value == 0) return "0";
  return "";
}

}  // namespace

std::string general_text(double value, int digits, int exponent_from) {
  if (std::string special = special_text(value); !special.empty()) return special;
  if (digits < 1) digits = 1;
  if (digits > 17) digits = 17;
  const Digits d = significant_digits(value, digits);
  const bool exponent_form = d.exponent >= exponent_from || d.exponent < -4;
  return exponent_form ? exponent_text(d) : plain_text(d);
}

std::string value_text(double value) {
  constexpr int kDigits = 15;
  if (std::string special = special_text(value); !special.empty()) return special;
  const Digits d = significant_digits(value, kDigits);
  // Digits the plain form writes: the whole part, or the zeros and significant
  // digits after the point (the zero before the point is not counted).
  const int plain_digits = d.exponent >= 0
                               ? std::max<int>(d.exponent + 1, d.mantissa.size())
                               : -d.exponent - 1 + static_cast<int>(d.mantissa.size());
  return plain_digits > kDigits ? exponent_text(d) : plain_text(d);
}

}  // namespace kes::calc

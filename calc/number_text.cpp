#include "calc/number_text.h"

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
  int digits = 0;
  int points = 0;
  bool whole_part_nonzero = false;
  for (const char c : body) {
    if (is_digit(c)) {
      ++digits;
      if (points == 0 && c != '0') whole_part_nonzero = true;
    } else if (c == '.') {
      ++points;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || points > 1) return std::nullopt;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value,
                                         std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range) {
    // A whole part of 1 or more can only overflow; anything else underflowed.
    if (whole_part_nonzero) return std::nullopt;
    return 0.0;
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

std::string general_text(double value, int digits, int exponent_from) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
  if (value == 0) return "0";
  if (digits < 1) digits = 1;
  if (digits > 17) digits = 17;

  // "%.*e" rounds the exact binary value to the wanted significant digits.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
  const char* p = buf;
  std::string result;
  if (*p == '-') {
    result += '-';
    ++p;
  }
  std::string mantissa;
  for (; *p != 'e'; ++p) {
    if (is_digit(*p)) mantissa += *p;
  }
  const int exponent = std::atoi(p + 1);
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  if (exponent >= exponent_from || exponent < -4) {
    result += mantissa[0];
    if (mantissa.size() > 1) {
      result += '.';
      result.append(mantissa, 1, std::string::npos);
    }
    char exp_text[16];
    std::snprintf(exp_text, sizeof exp_text, "E%c%02d", exponent < 0 ? '-' : '+',
                  exponent < 0 ? -exponent : exponent);
    return result + exp_text;
  }
  if (exponent < 0) {
    result += "0.";
    result.append(static_cast<std::size_t>(-exponent - 1), '0');
    return result + mantissa;
  }
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  if (mantissa.size() <= whole) {
    result += mantissa;
    result.append(whole - mantissa.size(), '0');
    return result;
  }
  result.append(mantissa, 0, whole);
  result += '.';
  result.append(mantissa, whole, std::string::npos);
  return result;
}

std::string value_text(double value) { return general_text(value, 15, 15); }

}  // namespace kes::calc

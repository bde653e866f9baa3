#include "calc/text_forms.h"

#include <cstdio>

#include "calc/number_text.h"
#include "calc/rounding.h"

namespace kes::calc {

namespace {
constexpr int kExponentFrom = 7;
}

std::string short_form(float value) { return general_text(value, 7, kExponentFrom); }

std::string rounded_short_form(float value) {
  const auto stored = narrow(round_half_even(value, 2));
  return short_form(stored ? *stored : value);
}

std::string rounded_long_form(double value) {
  return general_text(round_half_even(value, 2), 15, kExponentFrom);
}

std::string rate_form(float value) {
  const double rounded = round_half_even(value, 2);
  if (rounded == 0) return "0.";
  // A float never needs more than 39 digits before the point.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", rounded);
  std::string text = buf;
  while (text.back() == '0') text.pop_back();
  return text;
}

}  // namespace kes::calc

// The leading-number reading never fails and gives a finite number; the
// texts written back for it read as the same number again.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "calc/text_forms.h"

namespace {

void check_close(double read, double expected, double relative) {
  if (std::fabs(read - expected) > std::fabs(expected) * relative) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double v = kes::calc::read_val(text);
  if (!std::isfinite(v)) std::abort();
  check_close(kes::calc::read_val(kes::calc::value_text(v)), v, 1e-14);

  if (std::fabs(v) > FLT_MAX) return 0;
  const auto f = static_cast<float>(v);
  const std::string shown = kes::calc::short_form(f);
  check_close(kes::calc::read_val(shown), f, 1e-6);
  // Without an exponent a result text must also read strictly (the take-home
  // difference is computed from two of them).
  if (shown.find('E') == std::string::npos) {
    const auto strict = kes::calc::read_strict(shown);
    if (!strict) std::abort();
    check_close(*strict, f, 1e-6);
  }
  kes::calc::rate_form(f);
  kes::calc::rounded_short_form(f);
  kes::calc::rounded_long_form(v);
  return 0;
}

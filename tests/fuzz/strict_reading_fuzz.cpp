// Strict reading must never accept a text that the leading-number reading
// reads as another number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calc/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto strict = kes::calc::read_strict(text);
  if (!strict) return 0;
  if (!std::isfinite(*strict)) std::abort();
  if (kes::calc::read_val(text) != *strict) std::abort();
  return 0;
}

#include "calc/rounding.h"

#include <cfloat>
#include <cmath>

namespace kes::calc {

double round_half_even(double value, int decimals) {
  double scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const double scaled = value * scale;
  if (!std::isfinite(scaled)) return scaled;
  // Decided by hand rather than by the floating-point environment's mode.
  double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
  return whole / scale;
}

std::optional<float> narrow(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  if (std::fabs(value) > FLT_MAX) {
    // Values less than half a step above FLT_MAX still round to it.
    const double step = static_cast<double>(FLT_MAX) - std::nextafter(FLT_MAX, 0.0f);
    if (std::fabs(value) >= static_cast<double>(FLT_MAX) + step / 2) return std::nullopt;
    return value > 0 ? FLT_MAX : -FLT_MAX;
  }
  return static_cast<float>(value);
}

}  // namespace kes::calc

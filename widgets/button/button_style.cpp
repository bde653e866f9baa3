#include "widgets/button/button_style.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/color.h"

namespace kes::button {

StyleColours StyleDefaults(std::int32_t style) {
  using namespace kes::forms;
  const OleColor face = kColorButtonFace;
  const OleColor text = kColorButtonText;
  switch (style) {
    case 0:
    case 1: return {face, text, true};
    case 2: return {0xE7EBEC, text, false};
    case 3:
    case 9: return {face, text, false};
    case 4: return {ShiftColour(0xD4D4D4, 0.06), text, false};
    case 5: return {0xAA6D00, 0xFFFFFF, true};
    case 6: return {0xE1D6D5, text, true};
    case 7:
    case 10: return {0xFFD1AD, text, false};
    case 8:
    case 11:
    case 12: return {face, text, false};
    case 13: return {0xFCE1CA, text, false};
    case 14: return {0xD0D0D0, text, false};
    case 15: return {0xE6CAA7, text, true};
    default: return StyleDefaults(1);
  }
}

forms::OleColor ShiftColour(forms::OleColor colour, double f) {
  const std::int32_t t = gfx::translate_color(colour);
  const std::uint32_t plain = t < 0 ? 0u : static_cast<std::uint32_t>(t);
  const double add = f * 255.0;
  auto shift = [&](std::uint32_t channel) -> std::uint32_t {
    // The default rounding mode sends exact halves to the even neighbour.
    double v = std::nearbyint(static_cast<double>(channel) + add);
    v = f > 0 ? std::min(v, 255.0) : std::max(v, 0.0);
    return static_cast<std::uint32_t>(std::clamp(v, 0.0, 255.0));
  };
  const std::uint32_t r = shift(plain & 0xFF), g = shift((plain >> 8) & 0xFF), b = shift((plain >> 16) & 0xFF);
  return r | (g << 8) | (b << 16);
}

}  // namespace kes::button

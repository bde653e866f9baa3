#include "widgets/fields/text_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kes::fields {

namespace {

constexpr long kShortMin = std::numeric_limits<std::int16_t>::min();
constexpr long kShortMax = std::numeric_limits<std::int16_t>::max();

// The layout keeps its offset in a 16-bit integer; huge fonts saturate instead of overflowing.
std::int16_t Short(double v) {
  if (!(v >= static_cast<double>(kShortMin))) return static_cast<std::int16_t>(kShortMin);
  if (v > static_cast<double>(kShortMax)) return static_cast<std::int16_t>(kShortMax);
  return static_cast<std::int16_t>(v);
}

}  // namespace

TextLayout LayOutText(int width, double points) {
  TextLayout layout;
  layout.width = std::max(width, kTextMinWidth);
  layout.border_width = layout.width;
  layout.edit_width = layout.width - kTextEditMargin;
  layout.height = kTextHeight;
  layout.edit_top = kTextEditTop;
  if (points > 8) {
    std::int16_t n = Short(std::nearbyint(points - 8));
    layout.edit_top = Short(static_cast<double>(layout.edit_top) - 15.0 * n);
  }
  return layout;
}

}  // namespace kes::fields

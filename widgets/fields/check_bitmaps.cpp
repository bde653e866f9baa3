#include "widgets/fields/check_bitmaps.h"

#include <array>

namespace kes::fields {

gfx::Surface CheckGlyphSurface(const CheckGlyph& glyph) {
  gfx::Surface s(kGlyphSize, kGlyphSize);
  for (int y = 0; y < kGlyphSize; ++y) {
    for (int x = 0; x < kGlyphSize; ++x) s.set_pixel(x, y, gfx::Color::from_bgr(glyph.At(x, y)));
  }
  return s;
}

std::shared_ptr<const gfx::Surface> CheckGlyphBitmap(int index) {
  static const std::array<std::shared_ptr<const gfx::Surface>, 12> bitmaps = [] {
    std::array<std::shared_ptr<const gfx::Surface>, 12> all;
    for (std::size_t i = 0; i < all.size(); ++i) {
      all[i] = std::make_shared<const gfx::Surface>(CheckGlyphSurface(CheckGlyphs()[i]));
    }
    return all;
  }();
  if (index < 0 || index >= 12) index = 0;
  return bitmaps[static_cast<std::size_t>(index)];
}

}  // namespace kes::fields

// The twelve 13 x 13 glyphs of the check box, generated in code.
#pragma once

#include <array>
#include <cstdint>

namespace kes::fields {

// Side of one glyph in pixels.
inline constexpr int kGlyphSize = 13;

// One glyph: row-major pixels, each a 0x00BBGGRR colour.
struct CheckGlyph {
  std::array<std::uint32_t, kGlyphSize * kGlyphSize> pixels{};

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * kGlyphSize + x)]; }
  bool operator==(const CheckGlyph&) const = default;
};

// The sheet in the order the box selects from: 4 x value + look
// (values 0 unchecked, 1 checked, 2 grayed; looks 0 normal, 1 hot, 2 pressed, 3 disabled).
using CheckGlyphSheet = std::array<CheckGlyph, 12>;

// Builds the sheet once; the result never changes, so callers may keep a reference.
const CheckGlyphSheet& CheckGlyphs();

}  // namespace kes::fields

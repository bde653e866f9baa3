#include "widgets/fields/check_glyphs.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/gfx/color.h"

namespace kes::fields {
namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) { return gfx::Color::from_rgb(r, g, b).bgr(); }

constexpr std::uint32_t kFrame = Rgb(26, 76, 125);
constexpr std::uint32_t kFrameOff = Rgb(205, 205, 188);
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
constexpr std::uint32_t kPale = Rgb(255, 255, 243);
constexpr std::uint32_t kDeep = Rgb(255, 193, 28);
constexpr std::uint32_t kPressed = Rgb(173, 174, 158);
constexpr std::uint32_t kTick = Rgb(0, 140, 0);

struct GlyphCase {
  int index;
  std::uint32_t frame;
  std::optional<std::uint32_t> top_left;  // first pixel inside the frame; unset for a grey gradient
  std::uint32_t bottom_right;  // last pixel inside the frame
  std::optional<std::uint32_t> centre;
};

// Each look's frame and shading, and what the value adds in the middle.
const GlyphCase kCases[] = {
    {1, kFrame, kPale, kDeep, Rgb(224, 224, 224)},
    {2, kFrame, kPressed, kWhite, std::nullopt},
    {3, kFrameOff, kWhite, kWhite, kWhite},
    {4, kFrame, std::nullopt, kWhite, kTick},
    {5, kFrame, kPale, kDeep, kTick},
    {6, kFrame, kPressed, kWhite, kTick},
    {7, kFrameOff, kWhite, kWhite, Rgb(195, 195, 175)},
    {8, kFrame, std::nullopt, kWhite, Rgb(160, 208, 160)},
    {10, kFrame, kPale, kDeep, Rgb(32, 160, 32)},
    {11, kFrameOff, kWhite, kWhite, Rgb(207, 207, 191)},
};

TEST(CheckGlyphs, LooksAndMarksUseTheirColours) {
  const CheckGlyphSheet& sheet = CheckGlyphs();
  for (const GlyphCase& c : kCases) {
    SCOPED_TRACE(c.index);
    const CheckGlyph& g = sheet[static_cast<std::size_t>(c.index)];
    for (int i = 0; i < kGlyphSize; ++i) {
      EXPECT_EQ(g.At(i, 0), c.frame);
      EXPECT_EQ(g.At(i, 12), c.frame);
      EXPECT_EQ(g.At(0, i), c.frame);
      EXPECT_EQ(g.At(12, i), c.frame);
    }
    if (c.top_left) {
      EXPECT_EQ(g.At(1, 1), *c.top_left);
    }
    EXPECT_EQ(g.At(11, 11), c.bottom_right);
    if (c.centre) {
      EXPECT_EQ(g.At(6, 6), *c.centre);
    }
  }
}

TEST(CheckGlyphs, NormalLookShadesFromLightGreyToWhite) {
  const CheckGlyph& g = CheckGlyphs()[0];
  std::uint32_t top_left = g.At(1, 1);
  EXPECT_NE(top_left, kWhite);
  EXPECT_EQ(top_left & 0xFF, (top_left >> 8) & 0xFF) << "a grey, not a tint";
  // Lighter along the diagonal, never darker.
  for (int i = 2; i <= 11; ++i) EXPECT_GE(g.At(i, i) & 0xFF, g.At(i - 1, i - 1) & 0xFF);
  EXPECT_EQ(CheckGlyphs()[4].At(1, 1), top_left) << "the checked box shades the same";
}

TEST(CheckGlyphs, UncheckedGlyphsCarryNoMarkAndGrayedHotIsGrayedNormal) {
  const CheckGlyphSheet& sheet = CheckGlyphs();
  for (int look = 0; look < 4; ++look) {
    const CheckGlyph& g = sheet[static_cast<std::size_t>(look)];
    for (std::uint32_t px : g.pixels) EXPECT_NE(px, kTick) << "glyph " << look;
  }
  EXPECT_EQ(sheet[9], sheet[8]);
  EXPECT_NE(sheet[10], sheet[8]);
}

TEST(CheckGlyphs, TickIsOneConnectedStrokeInsideTheFrame) {
  const CheckGlyph& g = CheckGlyphs()[4];
  int ink = 0;
  for (int y = 0; y < kGlyphSize; ++y) {
    for (int x = 0; x < kGlyphSize; ++x) {
      if (g.At(x, y) != kTick) continue;
      ++ink;
      EXPECT_TRUE(x >= 2 && x <= 10 && y >= 2 && y <= 10) << x << "," << y;
    }
  }
  EXPECT_GE(ink, 15);
  // The lowest point of a tick is left of centre.
  int lowest_x = -1;
  for (int y = kGlyphSize - 1; y >= 0 && lowest_x < 0; --y) {
    for (int x = 0; x < kGlyphSize; ++x) {
      if (g.At(x, y) == kTick) {
        lowest_x = x;
        break;
      }
    }
  }
  EXPECT_LT(lowest_x, 6);
}

}  // namespace
}  // namespace kes::fields

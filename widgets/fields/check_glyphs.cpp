#include "widgets/fields/check_glyphs.h"

namespace kes::fields {
namespace {

// Colours are written as red, green, blue and stored as 0x00BBGGRR.
constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
}

constexpr std::uint32_t kFrame = Rgb(26, 76, 125);
constexpr std::uint32_t kFrameDisabled = Rgb(205, 205, 188);
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
constexpr std::uint32_t kLightGrey = Rgb(220, 220, 215);
constexpr std::uint32_t kPressedGrey = Rgb(173, 174, 158);
constexpr std::uint32_t kRingPale = Rgb(255, 255, 243);
constexpr std::uint32_t kRingDeep = Rgb(255, 193, 28);
constexpr std::uint32_t kHotCentre = Rgb(224, 224, 224);
constexpr std::uint32_t kTick = Rgb(0, 140, 0);
constexpr std::uint32_t kTickDisabled = Rgb(195, 195, 175);
constexpr std::uint32_t kSquare = Rgb(160, 208, 160);
constexpr std::uint32_t kSquarePressed = Rgb(32, 160, 32);
constexpr std::uint32_t kSquareDisabled = Rgb(207, 207, 191);

enum Look { kNormal, kHot, kPressed, kDisabled };

int Channel(std::uint32_t c, int shift) { return static_cast<int>(c >> shift & 0xFF); }

// Mixes from `a` at t = 0 to `b` at t = den, rounding to the nearest channel value.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int t, int den) {
  auto mix = [&](int shift) {
    int ca = Channel(a, shift);
    int cb = Channel(b, shift);
    return (ca * (den - t) + cb * t + den / 2) / den;
  };
  return Rgb(mix(0), mix(8), mix(16));
}

void Fill(CheckGlyph& g, int x0, int y0, int x1, int y1, std::uint32_t c) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) g.pixels[static_cast<std::size_t>(y * kGlyphSize + x)] = c;
  }
}

// Inside the frame the shading runs along the diagonal, 0 at the top left, 20 at the bottom right.
void Diagonal(CheckGlyph& g, std::uint32_t from, std::uint32_t to) {
  for (int y = 1; y <= 11; ++y) {
    for (int x = 1; x <= 11; ++x) Fill(g, x, y, x, y, Mix(from, to, (x - 1) + (y - 1), 20));
  }
}

// Two-pixel yellow ring around a flat grey centre: the look under the pointer.
void HotRing(CheckGlyph& g) {
  Diagonal(g, kRingPale, kRingDeep);
  Fill(g, 3, 3, 9, 9, kHotCentre);
}

void Background(CheckGlyph& g, Look look) {
  std::uint32_t frame = look == kDisabled ? kFrameDisabled : kFrame;
  Fill(g, 0, 0, 12, 12, frame);
  switch (look) {
    case kNormal: Diagonal(g, kLightGrey, kWhite); break;
    case kHot: HotRing(g); break;
    case kPressed: Diagonal(g, kPressedGrey, kWhite); break;
    case kDisabled: Fill(g, 1, 1, 11, 11, kWhite); break;
  }
}

// A three-pixel-thick tick: down from column 3 to the bottom at column 5, then up to column 9.
void Tick(CheckGlyph& g, std::uint32_t c) {
  for (int x = 3; x <= 9; ++x) {
    int top = x <= 5 ? x + 2 : 12 - x;
    Fill(g, x, top, x, top + 2, c);
  }
}

CheckGlyphSheet Build() {
  CheckGlyphSheet sheet{};
  for (int look = kNormal; look <= kDisabled; ++look) {
    for (int value = 0; value < 3; ++value) Background(sheet[static_cast<std::size_t>(4 * value + look)], static_cast<Look>(look));
    Tick(sheet[4 + static_cast<std::size_t>(look)], look == kDisabled ? kTickDisabled : kTick);
  }
  // The grayed box keeps its plain square under the pointer; only pressing darkens it.
  Fill(sheet[8], 3, 3, 9, 9, kSquare);
  sheet[9] = sheet[8];
  HotRing(sheet[10]);
  Fill(sheet[10], 3, 3, 9, 9, kSquarePressed);
  Fill(sheet[11], 3, 3, 9, 9, kSquareDisabled);
  return sheet;
}

}  // namespace

const CheckGlyphSheet& CheckGlyphs() {
  static const CheckGlyphSheet sheet = Build();
  return sheet;
}

}  // namespace kes::fields

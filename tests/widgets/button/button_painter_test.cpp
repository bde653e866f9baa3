// Pixels of the two looks the program's windows use, and the other looks telling states apart.
#include "widgets/button/button_painter.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/gfx/canvas.h"
#include "platform/gfx/color.h"

namespace kes::button {
namespace {

using gfx::Color;

constexpr int kW = 60;
constexpr int kH = 24;
constexpr forms::OleColor kContainer = 0x00FF00;  // stands out against every look

struct Paint {
  PaintInputs in;
  gfx::Surface s{kW, kH};

  explicit Paint(PaintInputs i) : in(std::move(i)) {
    gfx::Canvas c(s);
    PaintButton(c, kW, kH, in, gfx::Font(gfx::FontSpec{"宋体", 9, 400, 134}));
  }
  std::uint32_t At(int x, int y) const { return s.pixel(x, y).bgr(); }
};

PaintInputs Look(std::int32_t style, DrawState state, const char* caption = "") {
  PaintInputs in;
  in.style = style;
  in.state = state;
  in.caption = caption;
  in.container_back = kContainer;
  if (style == 5) {
    in.back_color = 0x404040;
    in.fore_color = 0xFFFFFF;
  }
  return in;
}

// Pixels where two pictures differ.
std::set<std::pair<int, int>> Diff(const gfx::Surface& a, const gfx::Surface& b) {
  std::set<std::pair<int, int>> out;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) out.insert({x, y});
  return out;
}

bool OnFrame(std::pair<int, int> p, gfx::Rect r) {
  const auto [x, y] = p;
  const bool in_box = x >= r.left() && x < r.right() && y >= r.top() && y < r.bottom();
  return in_box && (x == r.left() || x == r.right() - 1 || y == r.top() || y == r.bottom() - 1);
}

// The bounds of the pixels in a colour.
gfx::Rect Bounds(const gfx::Surface& s, Color c) {
  gfx::Rect r;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.pixel(x, y) == c) r = r.united({x, y, 1, 1});
  return r;
}

TEST(Look5, RaisedFaceWithAStepShadow) {
  const Paint p(Look(5, DrawState::Normal));
  struct Px {
    int x, y;
    std::uint32_t bgr;
  };
  const Px expect[] = {
      {0, 0, 0x8C8C8C},           {kW - 5, kH - 5, 0x8C8C8C}, {1, 1, 0x404040},           {kW - 6, kH - 6, 0x404040},
      {kW - 4, 10, 0x808080},     {kW - 3, 10, 0xA0A0A0},     {kW - 2, 10, 0xC0C0C0},     {kW - 1, 10, kContainer},
      {20, kH - 4, 0x808080},     {20, kH - 3, 0xA0A0A0},     {20, kH - 2, 0xC0C0C0},     {20, kH - 1, kContainer},
      {kW - 4, 5, 0xA0A0A0},      {kW - 4, 6, 0x808080}, {3, kH - 2, kContainer},    {5, kH - 2, 0xC0C0C0},      {kW - 1, kH - 1, kContainer},
  };
  for (const Px& e : expect) EXPECT_EQ(p.At(e.x, e.y), e.bgr) << e.x << "," << e.y;
  // Hot draws exactly as normal.
  EXPECT_TRUE(p.s.same_pixels(Paint(Look(5, DrawState::Hot)).s));
}

TEST(Look5, PressedFaceSitsOnTheShadow) {
  const Paint p(Look(5, DrawState::Down));
  EXPECT_EQ(p.At(0, 0), kContainer);
  EXPECT_EQ(p.At(2, 2), kContainer);
  EXPECT_EQ(p.At(3, 3), 0x8C8C8Cu);
  EXPECT_EQ(p.At(4, 4), 0x404040u);
  EXPECT_EQ(p.At(kW - 1, kH - 1), 0x8C8C8Cu);
  EXPECT_EQ(p.At(kW - 2, kH - 2), 0x404040u);
}

TEST(Look5, DisabledFaceIsLighter) {
  PaintInputs in = Look(5, DrawState::Normal);
  in.enabled = false;
  const Paint p(in);
  EXPECT_EQ(p.At(1, 1), 0x5A5A5Au);  // 64 becomes 90
  EXPECT_EQ(p.At(0, 0), 0xA6A6A6u);  // 90 + 76.5 = 166.5 -> 166
  EXPECT_EQ(p.At(kW - 3, 10), 0xA0A0A0u);
}

TEST(Look5, FocusRectangleOnlyWhenActiveShownAndFocused) {
  for (const DrawState state : {DrawState::Normal, DrawState::Down}) {
    PaintInputs in = Look(5, state);
    const Paint plain(in);
    in.form_active = in.show_focus_rect = in.has_focus = true;
    const Paint focused(in);
    const gfx::Rect where = state == DrawState::Down ? gfx::Rect::from_edges(6, 6, kW - 3, kH - 3)
                                                     : gfx::Rect::from_edges(3, 3, kW - 6, kH - 6);
    const auto diff = Diff(plain.s, focused.s);
    EXPECT_GT(diff.size(), 20u);
    for (const auto& px : diff) EXPECT_TRUE(OnFrame(px, where)) << px.first << "," << px.second;

    // The default button shows it too; without any of the three conditions nothing shows.
    PaintInputs as_default = in;
    as_default.has_focus = false;
    as_default.is_default = true;
    EXPECT_TRUE(Paint(as_default).s.same_pixels(focused.s));
    for (bool PaintInputs::*flag : {&PaintInputs::form_active, &PaintInputs::show_focus_rect, &PaintInputs::has_focus}) {
      PaintInputs off = in;
      off.*flag = false;
      EXPECT_TRUE(Paint(off).s.same_pixels(plain.s));
    }
  }
}

TEST(Look5, CaptionMovesRightAndDownWhenPressed) {
  const Paint up(Look(5, DrawState::Normal, "OK"));
  const Paint down(Look(5, DrawState::Down, "OK"));
  const gfx::Rect a = Bounds(up.s, gfx::kWhite), b = Bounds(down.s, gfx::kWhite);
  ASSERT_FALSE(a.is_empty());
  EXPECT_EQ(b.x - a.x, 3);
  EXPECT_EQ(b.y - a.y, 4);
  EXPECT_EQ(a.size(), b.size());
}

TEST(Look8, FlatAtRestFramedWhenHotOrDown) {
  const std::uint32_t face = static_cast<std::uint32_t>(gfx::translate_color(forms::kColorButtonFace));
  const Paint normal(Look(8, DrawState::Normal));
  for (const auto& [x, y] : {std::pair{0, 0}, {kW - 1, kH - 1}, {1, 1}, {30, 12}}) EXPECT_EQ(normal.At(x, y), face);

  const int split = 14;  // round(24 / 1.7) = round(14.1)
  const Paint hot(Look(8, DrawState::Hot));
  EXPECT_EQ(hot.At(0, 0), 0xCA9E61u);
  EXPECT_EQ(hot.At(kW - 1, 10), 0xCA9E61u);
  EXPECT_EQ(hot.At(2, 1), 0xFFFFFFu);
  EXPECT_EQ(hot.At(kW - 2, 10), 0xFFFFFFu);
  for (const auto& [x, y] : {std::pair{1, 1}, {1, kH - 2}, {kW - 2, 1}, {kW - 2, kH - 2}}) EXPECT_EQ(hot.At(x, y), 0xFFEAAEu);
  EXPECT_EQ(hot.At(10, split), 0xF8EBD0u);
  EXPECT_EQ(hot.At(10, kH - 3), 0xF8EBD0u);
  EXPECT_NE(hot.At(10, 2), 0xF8EBD0u);

  const Paint down(Look(8, DrawState::Down));
  EXPECT_EQ(down.At(0, 0), 0xCA9E61u);
  EXPECT_EQ(down.At(1, 1), 0xFFEAAEu);
  // Row i of the 22 gradient rows: F1DEB0 + (F9F1DB - F1DEB0) * i / 21 per channel.
  EXPECT_EQ(down.At(10, 2), gfx::Color::from_rgb(0xB0 + (0xDB - 0xB0) * 1 / 21, 0xDE + (0xF1 - 0xDE) * 1 / 21,
                                                 0xF1 + (0xF9 - 0xF1) * 1 / 21).bgr());

  PaintInputs off = Look(8, DrawState::Hot);
  off.enabled = false;
  EXPECT_TRUE(Paint(off).s.same_pixels(normal.s));

  // The toolbar look has no focus rectangle in any state.
  for (const DrawState state : {DrawState::Normal, DrawState::Hot, DrawState::Down}) {
    PaintInputs focused = Look(8, state);
    focused.form_active = focused.show_focus_rect = focused.has_focus = true;
    EXPECT_TRUE(Paint(focused).s.same_pixels(Paint(Look(8, state)).s)) << static_cast<int>(state);
  }
}

TEST(Shapes, RoundedLooksCutTheirCorners) {
  EXPECT_FALSE(ButtonShape(5, kW, kH).has_value());
  EXPECT_FALSE(ButtonShape(0, kW, kH).has_value());
  for (const std::int32_t style : {2, 3, 4, 6, 8, 10, 14}) {
    const auto shape = ButtonShape(style, kW, kH);
    ASSERT_TRUE(shape.has_value()) << style;
    EXPECT_FALSE(shape->contains({0, 0})) << style;
    EXPECT_FALSE(shape->contains({kW - 1, kH - 1})) << style;
    EXPECT_TRUE(shape->contains({kW / 2, 0})) << style;
    EXPECT_TRUE(shape->contains({kW / 2, kH - 1})) << style;
    EXPECT_EQ(shape->bounds(), (gfx::Rect{0, 0, kW, kH})) << style;
  }
}

TEST(Looks, EveryLookTellsItsStatesApart) {
  for (std::int32_t style = 0; style < 16; ++style) {
    PaintInputs in = Look(style, DrawState::Normal);
    in.back_color = forms::kColorButtonFace;
    const Paint normal(in);
    in.state = DrawState::Hot;
    const Paint hot(in);
    in.state = DrawState::Down;
    const Paint down(in);
    if (style != 5) {
      EXPECT_FALSE(normal.s.same_pixels(hot.s)) << "look " << style;
    }
    EXPECT_FALSE(hot.s.same_pixels(down.s)) << "look " << style;
    EXPECT_FALSE(normal.s.same_pixels(down.s)) << "look " << style;
  }
}

TEST(Picture, HoverPictureMaskAndGreyWhenDisabled) {
  constexpr std::uint32_t kMask = 0xE0E0E0, kRed = 0x0000FF, kBlue = 0xFF0000;
  // An 8 x 8 square on the mask colour, in two colours for the two pictures.
  auto square = [&](std::uint32_t colour) {
    gfx::Surface s(12, 12);
    gfx::Canvas c(s);
    c.fill_rect({0, 0, 12, 12}, gfx::Color::from_bgr(kMask));
    c.fill_rect({2, 2, 8, 8}, gfx::Color::from_bgr(colour));
    return s;
  };
  const gfx::Surface normal_pic = square(kRed), hover_pic = square(kBlue);
  PaintInputs in = Look(1, DrawState::Normal);
  in.picture = &normal_pic;
  in.picture_hover = &hover_pic;
  in.picture_align = 4;  // centred, where the caption leaves it alone
  const int x = (kW - 12) / 2, y = (kH - 12) / 2;
  const Paint plain(in);
  EXPECT_EQ(plain.At(x + 5, y + 5), kRed);
  EXPECT_EQ(plain.At(x, y), kMask);
  in.use_mask_color = true;
  const Paint masked(in);
  EXPECT_EQ(masked.At(x, y), static_cast<std::uint32_t>(gfx::translate_color(forms::kColorButtonFace)));
  in.state = DrawState::Hot;
  EXPECT_EQ(Paint(in).At(x + 5, y + 5), kBlue);
  in.state = DrawState::Down;
  EXPECT_EQ(Paint(in).At(x + 6, y + 6), kRed);  // moved with the face
  EXPECT_EQ(Paint(in).At(x + 2, y + 2), masked.At(x + 1, y + 1));
  in.state = DrawState::Normal;
  in.enabled = false;
  const Color grey = Paint(in).s.pixel(x + 5, y + 5);
  EXPECT_TRUE(grey.r == grey.g && grey.g == grey.b) << std::hex << grey.bgr();
}

TEST(Caption, PlacedByAlignmentAndDrawnGreyWhenDisabled) {
  const gfx::Size text{20, 12};
  EXPECT_EQ(CaptionOrigin(kAlignLeft, kW, kH, text), (gfx::Point{4, 6}));
  EXPECT_EQ(CaptionOrigin(kAlignCenter, kW, kH, text), (gfx::Point{20, 6}));
  EXPECT_EQ(CaptionOrigin(kAlignRight, kW, kH, text), (gfx::Point{36, 6}));
  // Wider than the button: starts left of the face.
  EXPECT_LT(CaptionOrigin(kAlignCenter, kW, kH, {90, 12}).x, 0);

  PaintInputs in = Look(1, DrawState::Normal, "Cancel");
  in.enabled = false;
  const Paint grey(in);
  EXPECT_FALSE(Bounds(grey.s, gfx::resolve_color(forms::kColorGrayText)).is_empty());
}

}  // namespace
}  // namespace kes::button

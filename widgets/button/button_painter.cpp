#include "widgets/button/button_painter.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/color.h"
#include "widgets/button/button_style.h"

namespace kes::button {
namespace {

using gfx::Canvas;
using gfx::Color;
using gfx::Rect;

Color Bgr(std::uint32_t v) { return Color::from_bgr(v); }
Color Resolve(forms::OleColor c) { return gfx::resolve_color(c); }
Color Shifted(forms::OleColor c, double f) { return Bgr(ShiftColour(c, f)); }
Rect Edges(int l, int t, int r, int b) { return Rect::from_edges(l, t, r, b); }

// The four pixels one in from each corner.
void InnerCorners(Canvas& c, int w, int h, Color colour) {
  c.set_pixel({1, 1}, colour);
  c.set_pixel({1, h - 2}, colour);
  c.set_pixel({w - 2, 1}, colour);
  c.set_pixel({w - 2, h - 2}, colour);
}

// A raised (or, with the colours swapped, sunken) one-pixel bevel just inside r.
void Bevel(Canvas& c, Rect r, Color top_left, Color bottom_right) {
  if (r.is_empty()) return;
  c.line({r.left(), r.bottom() - 1}, {r.left(), r.top()}, top_left);
  c.line({r.left(), r.top()}, {r.right() - 1, r.top()}, top_left);
  c.line({r.right() - 1, r.top()}, {r.right() - 1, r.bottom() - 1}, bottom_right);
  c.line({r.right() - 1, r.bottom() - 1}, {r.left() - 1, r.bottom() - 1}, bottom_right);
}

bool IsDown(const PaintInputs& in) { return in.state == DrawState::Down; }

// ---- The two looks the program's own windows use ----

// Flat face with a stepped shadow at the lower right; pressed, the face sits on the shadow.
void PaintLook5(Canvas& c, int w, int h, const PaintInputs& in) {
  const forms::OleColor face = in.enabled ? in.back_color : ShiftColour(in.back_color, 0.1);
  const Color f = Resolve(face);
  const Color border = Shifted(face, 0.3);
  c.fill_rect({0, 0, w, h}, Resolve(in.container_back));
  if (!IsDown(in)) {
    c.frame_rect(Edges(6, 6, w - 3, h - 3), Bgr(0x808080));
    c.frame_rect(Edges(5, 5, w - 2, h - 2), Bgr(0xA0A0A0));
    c.frame_rect(Edges(4, 4, w - 1, h - 1), Bgr(0xC0C0C0));
    c.fill_rect(Edges(0, 0, w - 5, h - 5), f);
    c.frame_rect(Edges(0, 0, w - 4, h - 4), border);
  } else {
    c.fill_rect(Edges(3, 3, w, h), f);
    c.frame_rect(Edges(3, 3, w, h), border);
  }
  if (in.form_active && in.show_focus_rect && (in.has_focus || in.is_default))
    c.focus_rect(IsDown(in) ? Edges(6, 6, w - 3, h - 3) : Edges(3, 3, w - 6, h - 6));
}

// Toolbar button: flat until hovered, then a light gradient in a blue frame.
void PaintLook8(Canvas& c, int w, int h, const PaintInputs& in) {
  const Color f = Resolve(in.back_color);
  if (!in.enabled) {
    c.fill_rect({0, 0, w, h}, f);
    InnerCorners(c, w, h, f);
    return;
  }
  if (in.state == DrawState::Normal) {
    c.fill_rect({0, 0, w, h}, f);
    return;
  }
  if (in.state == DrawState::Hot) {
    c.vertical_gradient({1, 1, w - 2, h - 2}, Bgr(0xFDF8F1), Bgr(0xF8EBD0));
    const int split = static_cast<int>(std::nearbyint(h / 1.7));
    c.fill_rect(Edges(1, split, w - 1, h - 1), Bgr(0xF8EBD0));
  } else {
    c.vertical_gradient({1, 1, w - 2, h - 2}, Bgr(0xF1DEB0), Bgr(0xF9F1DB));
  }
  c.frame_rect({0, 0, w, h}, Bgr(0xCA9E61));
  c.frame_rect(Edges(1, 1, w - 1, h - 1), gfx::kWhite);
  InnerCorners(c, w, h, Shifted(0xCA9E61, 0.3));
}

// ---- Bevelled looks ----

// Classic raised button; pressed, a dark frame around a flat shadowed face.
void PaintLook0(Canvas& c, int w, int h, const PaintInputs& in) {
  const bool hot = in.enabled && in.state == DrawState::Hot;
  c.fill_rect({0, 0, w, h}, hot ? Shifted(in.back_color, 0.05) : Resolve(in.back_color));
  const Color white = Resolve(forms::kColorButtonHighlight), dark = Resolve(forms::kColorButtonDarkShadow);
  const Color shadow = Resolve(forms::kColorButtonShadow);
  if (in.enabled && IsDown(in)) {
    c.frame_rect({0, 0, w, h}, dark);
    c.frame_rect({1, 1, w - 2, h - 2}, shadow);
    return;
  }
  Bevel(c, {0, 0, w, h}, white, dark);
  Bevel(c, {1, 1, w - 2, h - 2}, Shifted(in.back_color, 0.05), shadow);
}

// Flat toolbar button: a thin frame at rest, raised when hovered, sunken when pressed.
void PaintLook1(Canvas& c, int w, int h, const PaintInputs& in) {
  c.fill_rect({0, 0, w, h}, Resolve(in.back_color));
  const Color white = Resolve(forms::kColorButtonHighlight), shadow = Resolve(forms::kColorButtonShadow);
  if (!in.enabled || in.state == DrawState::Normal)
    c.frame_rect({0, 0, w, h}, shadow);
  else if (in.state == DrawState::Hot)
    Bevel(c, {0, 0, w, h}, white, shadow);
  else
    Bevel(c, {0, 0, w, h}, shadow, white);
}

// Thick bevel in a black frame; pressed, the bevel gives way to a single shadow line.
void PaintLook9(Canvas& c, int w, int h, const PaintInputs& in) {
  const bool hot = in.enabled && in.state == DrawState::Hot;
  c.fill_rect({0, 0, w, h}, hot ? Shifted(in.back_color, 0.06) : Resolve(in.back_color));
  const Color white = Resolve(forms::kColorButtonHighlight), shadow = Resolve(forms::kColorButtonShadow);
  c.frame_rect({0, 0, w, h}, gfx::kBlack);
  if (in.enabled && IsDown(in)) {
    c.line({1, h - 2}, {1, 1}, shadow);
    c.line({1, 1}, {w - 1, 1}, shadow);
    return;
  }
  Bevel(c, {1, 1, w - 2, h - 2}, white, shadow);
  Bevel(c, {2, 2, w - 4, h - 4}, white, shadow);
}

// ---- Gradient looks, described as data ----

// A colour either fixed or derived from the face colour.
struct Tone {
  bool from_face;
  std::uint32_t bgr;
  double shift;
  Color Of(forms::OleColor face) const { return from_face ? Shifted(face, shift) : Bgr(bgr); }
};
constexpr Tone Face(double f) { return {true, 0, f}; }
constexpr Tone Fixed(std::uint32_t bgr) { return {false, bgr, 0}; }

struct Face3 {
  Tone top, bottom;             // gradient of the upper half (of the whole face unless glass)
  Tone lower_top, lower_bottom; // the lower half, for a glass face
  bool glass;
  bool has_border;
  Tone border;
  bool has_inner;
  Tone inner;                   // a second frame just inside the border
};

struct GradientLook {
  int ellipse;  // corner ellipse of the border, 0 for square corners
  Face3 states[3];
};

constexpr Tone kNone = Fixed(0);

// Flat one-colour face helpers for the table.
constexpr Face3 Flat(Tone t, bool border, Tone b, bool inner = false, Tone i = kNone) {
  return {t, t, t, t, false, border, b, inner, i};
}
constexpr Face3 Grad(Tone t, Tone b, Tone border, bool inner = false, Tone i = kNone) {
  return {t, b, t, b, false, true, border, inner, i};
}
constexpr Face3 Glass(Tone t, Tone b, Tone lt, Tone lb, Tone border, bool inner = false, Tone i = kNone) {
  return {t, b, lt, lb, true, true, border, inner, i};
}

const GradientLook* GradientLookFor(std::int32_t style) {
  static const GradientLook k2{3, {Grad(Face(0.08), Face(-0.03), Fixed(0x743C00)),
                                   Grad(Face(0.08), Face(-0.03), Fixed(0x743C00), true, Fixed(0x3CC7FF)),
                                   Grad(Face(-0.08), Face(0.02), Fixed(0x743C00))}};
  static const GradientLook k3{4, {Glass(Face(0.12), Face(0.04), Face(-0.02), Face(0.06), Fixed(0x808080)),
                                   Glass(Face(0.14), Face(0.06), Face(0.0), Face(0.08), Fixed(0xB0783C)),
                                   Glass(Face(-0.06), Face(-0.1), Face(-0.14), Face(-0.08), Fixed(0x606060))}};
  static const GradientLook k4{3, {Grad(Face(0), Face(0), Fixed(0x7A7A7A), true, Fixed(0xFFFFFF)),
                                   Grad(Face(0.04), Face(-0.04), Fixed(0xA06A3C), true, Fixed(0xFFFFFF)),
                                   Grad(Face(-0.1), Face(-0.1), Fixed(0x7A7A7A))}};
  static const GradientLook k6{3, {Grad(Face(0.05), Face(-0.05), Fixed(0x8C7B79)),
                                   Grad(Face(0.1), Face(0), Fixed(0x6A4A47), true, Fixed(0xFFFFFF)),
                                   Grad(Face(-0.1), Face(-0.02), Fixed(0x6A4A47))}};
  static const GradientLook k7{0, {Grad(Face(0.1), Face(-0.05), Face(-0.25)),
                                   Grad(Fixed(0xCCF4FF), Fixed(0x8CD5FF), Fixed(0x800000)),
                                   Grad(Fixed(0x4E91FE), Fixed(0x8ED3FF), Fixed(0x800000))}};
  static const GradientLook k10{4, {Glass(Face(0.12), Face(0.05), Face(-0.05), Face(0.05), Face(-0.35)),
                                    Glass(Face(0.18), Face(0.1), Face(0), Face(0.1), Face(-0.45)),
                                    Glass(Face(-0.1), Face(-0.05), Face(-0.15), Face(-0.05), Face(-0.45))}};
  static const GradientLook k11{0, {Flat(Face(0), false, kNone),
                                    Glass(Fixed(0xE1F7FF), Fixed(0xB8ECFF), Fixed(0x9BE7FF), Fixed(0xC8F3FF),
                                          Fixed(0x6FC4DD)),
                                    Glass(Fixed(0x7BC5F8), Fixed(0x67B0F6), Fixed(0x3C94F2), Fixed(0x72C2FB),
                                          Fixed(0x3B8CC2))}};
  static const GradientLook k12{0, {Flat(Face(0), false, kNone), Flat(Fixed(0xEED2C1), true, Fixed(0x6A240A)),
                                    Flat(Fixed(0xE2B598), true, Fixed(0x6A240A))}};
  static const GradientLook k13{0, {Glass(Fixed(0xF2F2F2), Fixed(0xEBEBEB), Fixed(0xDDDDDD), Fixed(0xCFCFCF),
                                          Fixed(0x707070), true, Fixed(0xFFFFFF)),
                                    Glass(Face(0.06), Face(0.02), Face(-0.04), Face(-0.08), Fixed(0xB17F3C), true,
                                          Fixed(0xFFFFFF)),
                                    Glass(Face(-0.06), Face(-0.1), Face(-0.16), Face(-0.2), Fixed(0x8B612C))}};
  static const GradientLook k15{0, {Glass(Face(0.12), Face(0.06), Face(0), Face(0.06), Face(-0.3), true, Face(0.2)),
                                    Glass(Fixed(0xDCFBFF), Fixed(0xA3E9FF), Fixed(0x6BD7FF), Fixed(0x9DE9FF),
                                          Fixed(0x4FA1DB), true, Fixed(0xFFFFFF)),
                                    Glass(Fixed(0x6CB8F4), Fixed(0x4FA2F1), Fixed(0x2C8AEF), Fixed(0x55B1F7),
                                          Fixed(0x2C6EC2))}};
  switch (style) {
    case 2: return &k2;
    case 3: return &k3;
    case 4: return &k4;
    case 6: return &k6;
    case 7: return &k7;
    case 10: return &k10;
    case 11: return &k11;
    case 12: return &k12;
    case 13: return &k13;
    case 15: return &k15;
    default: return nullptr;
  }
}

void Outline(Canvas& c, Rect r, int ellipse, Color colour) {
  if (ellipse <= 0) {
    c.frame_rect(r, colour);
    return;
  }
  c.save();
  c.set_pen(colour);
  c.set_brush(std::nullopt);
  c.round_rect(r, ellipse, ellipse);
  c.restore();
}

void PaintGradientLook(Canvas& c, int w, int h, const PaintInputs& in, const GradientLook& look) {
  // A disabled button rests in its normal look.
  const Face3& s = look.states[in.enabled ? static_cast<int>(in.state) : 0];
  const forms::OleColor face = in.back_color;
  c.fill_rect({0, 0, w, h}, Resolve(in.container_back));
  const Rect inside{1, 1, w - 2, h - 2};
  if (!s.glass) {
    c.vertical_gradient(inside, s.top.Of(face), s.bottom.Of(face));
  } else {
    const int upper = inside.height / 2;
    c.vertical_gradient({inside.x, inside.y, inside.width, upper}, s.top.Of(face), s.bottom.Of(face));
    c.vertical_gradient({inside.x, inside.y + upper, inside.width, inside.height - upper}, s.lower_top.Of(face),
                        s.lower_bottom.Of(face));
  }
  const Color border = s.has_border ? s.border.Of(face) : s.top.Of(face);
  Outline(c, {0, 0, w, h}, look.ellipse, border);
  if (s.has_inner) Outline(c, inside, look.ellipse, s.inner.Of(face));
}

// ---- Look 14: a pill with smooth corners ----

Color Mix(Color a, Color b, double t) {
  auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return Color::from_rgb(ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b));
}

void PaintLook14(Canvas& c, int w, int h, const PaintInputs& in) {
  const forms::OleColor face = in.back_color;
  const int st = in.enabled ? static_cast<int>(in.state) : 0;
  static constexpr std::uint32_t kBorder[3] = {0x808080, 0xE2A66A, 0xCC9B6A};
  static constexpr double kTop[3] = {0.12, 0.16, -0.1};
  static constexpr double kBottom[3] = {-0.04, 0.0, -0.02};
  const Color border = Bgr(kBorder[st]);
  const Color top = Shifted(face, kTop[st]), bottom = Shifted(face, kBottom[st]);
  c.fill_rect({0, 0, w, h}, Resolve(in.container_back));
  c.vertical_gradient({0, 0, w, h}, top, bottom);
  c.vertical_gradient(Edges(4, 4, w - 4, h - 4), Mix(top, bottom, 4.0 / h), Mix(top, bottom, 1.0 - 4.0 / h));
  // The border follows the rounded window shape; the pixels just inside its curve take
  // part of its colour, which smooths the corners.
  const gfx::Region shape = ButtonArea(14, w, h);
  auto inside = [&](int x, int y) { return shape.contains({x, y}); };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!inside(x, y)) continue;
      const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      if (edge) {
        c.set_pixel({x, y}, border);
      } else if (!inside(x - 1, y - 1) || !inside(x + 1, y - 1) || !inside(x - 1, y + 1) || !inside(x + 1, y + 1)) {
        c.set_pixel({x, y}, Mix(c.pixel({x, y}), border, 0.45));
      }
    }
  }
}

// ---- Caption and picture ----

struct CaptionOffset {
  int dx, dy;
};

CaptionOffset OffsetFor(std::int32_t style, DrawState state) {
  const bool down = state == DrawState::Down;
  switch (style) {
    case 5: return down ? CaptionOffset{1, 2} : CaptionOffset{-2, -2};
    case 14: return {0, -1};
    default: return down ? CaptionOffset{1, 1} : CaptionOffset{0, 0};
  }
}

gfx::Size PictureExtent(const gfx::Surface& pic, std::int32_t size_class, int w, int h) {
  gfx::Size s = pic.size();
  switch (size_class) {
    case 1: s = {16, 16}; break;
    case 2: s = {24, 24}; break;
    case 3: s = {32, 32}; break;
    default: break;
  }
  return {std::min(s.width, w - 8), std::min(s.height, h - 4)};
}

}  // namespace

std::optional<gfx::Region> ButtonShape(std::int32_t style, int w, int h) {
  switch (style) {
    case 2:
    case 4:
    case 6:
    case 8: return gfx::Region::rounded_rect(0, 0, w + 1, h + 1, 3, 3);
    case 3:
    case 10: return gfx::Region::rounded_rect(0, 0, w + 1, h + 1, 4, 4);
    case 14: return gfx::Region::rounded_rect(0, 0, w + 1, h + 1, 18, 18);
    default: return std::nullopt;
  }
}

gfx::Region ButtonArea(std::int32_t style, int w, int h) {
  const auto shape = ButtonShape(style, w, h);
  return shape ? *shape : gfx::Region(Rect{0, 0, w, h});
}

gfx::Point CaptionOrigin(std::int32_t caption_align, int w, int h, gfx::Size text) {
  int x = w / 2 - text.width / 2;
  if (caption_align == kAlignLeft) x = 4;
  if (caption_align == kAlignRight) x = w - text.width - 4;
  return {x, h / 2 - text.height / 2};
}

void PaintButton(Canvas& c, int w, int h, const PaintInputs& in, const gfx::Font& font) {
  if (w <= 0 || h <= 0) return;
  switch (in.style) {
    case 0: PaintLook0(c, w, h, in); break;
    case 1: PaintLook1(c, w, h, in); break;
    case 5: PaintLook5(c, w, h, in); break;
    case 8: PaintLook8(c, w, h, in); break;
    case 9: PaintLook9(c, w, h, in); break;
    case 14: PaintLook14(c, w, h, in); break;
    default:
      if (const GradientLook* look = GradientLookFor(in.style)) PaintGradientLook(c, w, h, in, *look);
      break;
  }
  // Look 5 places its own and the toolbar look 8 shows none; the others show theirs inside
  // the border, following a pressed face.
  if (in.style != 5 && in.style != 8 && in.form_active && in.show_focus_rect && (in.has_focus || in.is_default)) {
    const int d = IsDown(in) ? 1 : 0;
    c.focus_rect(Edges(3 + d, 3 + d, w - 3 + d, h - 3 + d));
  }

  c.save();
  c.set_font(font);
  const unsigned flags = gfx::kTextSingleLine | gfx::kTextLeft | gfx::kTextTop;
  const Rect measured = c.measure_text(in.caption, {0, 0, w, h}, flags);
  const gfx::Size text{measured.width, measured.height};

  // The picture takes its place first and leaves the caption the rest of the face.
  Rect area{0, 0, w, h};
  const gfx::Surface* pic = in.picture;
  if (in.state == DrawState::Hot && in.picture_hover && !in.picture_hover->is_empty()) pic = in.picture_hover;
  const CaptionOffset off = OffsetFor(in.style, in.state);
  if (pic && !pic->is_empty()) {
    const gfx::Size ps = PictureExtent(*pic, in.picture_size, w, h);
    const int gap = 4;
    int px = (w - ps.width) / 2, py = (h - ps.height) / 2;
    switch (in.picture_align) {
      case 0: px = gap; area = Edges(px + ps.width, 0, w, h); break;
      case 1: {
        const int group = ps.width + gap + text.width;
        px = (w - group) / 2;
        area = Edges(px + ps.width + gap, 0, px + group, h);
        break;
      }
      case 2: px = w - gap - ps.width; area = Edges(0, 0, px, h); break;
      case 3: {
        const int group = text.width + gap + ps.width;
        px = (w - group) / 2 + text.width + gap;
        area = Edges(px - gap - text.width, 0, px - gap, h);
        break;
      }
      case 5: py = gap; area = Edges(0, py + ps.height, w, h); break;
      case 6: {
        const int group = ps.height + gap + text.height;
        py = (h - group) / 2;
        area = Edges(0, py + ps.height + gap, w, py + group);
        break;
      }
      case 7: py = h - gap - ps.height; area = Edges(0, 0, w, py); break;
      case 8: {
        const int group = text.height + gap + ps.height;
        py = (h - group) / 2 + text.height + gap;
        area = Edges(0, py - gap - text.height, w, py - gap);
        break;
      }
      default: break;  // 4: centred behind the caption
    }
    if (in.state == DrawState::Down) {
      const int shift = in.style == 5 ? 2 : 1;
      px += shift;
      py += shift;
    }
    gfx::BlitOptions options;
    if (in.use_mask_color) options.transparent_key = Resolve(in.mask_color);
    options.disabled = !in.enabled;
    c.draw_bitmap(*pic, pic->rect(), {px, py, ps.width, ps.height}, options);
  }

  gfx::Point at = CaptionOrigin(in.caption_align, area.width, area.height, text);
  at = at.translated(area.x + off.dx, area.y + off.dy);
  c.set_text_color(Resolve(in.enabled ? in.fore_color : forms::kColorGrayText));
  c.set_text_background(std::nullopt);
  c.draw_text(in.caption, {at.x, at.y, text.width, text.height}, flags);
  c.restore();
}

}  // namespace kes::button

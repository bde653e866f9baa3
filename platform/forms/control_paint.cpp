#include "platform/forms/control_paint.h"

#include "platform/gfx/color.h"

namespace kes::forms {
namespace {
gfx::Color sys(gfx::SystemColor c) { return gfx::system_color(c); }
}  // namespace

void DrawSunkenBorder(gfx::Canvas& c, gfx::Rect r) {
    if (r.width < 4 || r.height < 4) return;
    const int l = r.x, t = r.y, rr = r.right() - 1, b = r.bottom() - 1;
    // Outer ring: shadow on top and left, highlight on bottom and right.
    c.line({l, b}, {l, t}, sys(gfx::SystemColor::ButtonShadow));
    c.line({l, t}, {rr + 1, t}, sys(gfx::SystemColor::ButtonShadow));
    c.line({l, b}, {rr + 1, b}, sys(gfx::SystemColor::ButtonHighlight));
    c.line({rr, t + 1}, {rr, b}, sys(gfx::SystemColor::ButtonHighlight));
    // Inner ring: dark shadow on top and left, face colour on bottom and right.
    c.line({l + 1, b - 1}, {l + 1, t + 1}, sys(gfx::SystemColor::DarkShadow));
    c.line({l + 1, t + 1}, {rr, t + 1}, sys(gfx::SystemColor::DarkShadow));
    c.line({l + 1, b - 1}, {rr, b - 1}, sys(gfx::SystemColor::Light));
    c.line({rr - 1, t + 2}, {rr - 1, b - 1}, sys(gfx::SystemColor::Light));
}

void DrawEtchedFrame(gfx::Canvas& c, gfx::Rect r) {
    if (r.width < 3 || r.height < 3) return;
    const gfx::Color dark = sys(gfx::SystemColor::ButtonShadow), light = sys(gfx::SystemColor::ButtonHighlight);
    c.outline_rect(r.x, r.y, r.width - 2, r.height - 2, dark);
    c.outline_rect(r.x + 1, r.y + 1, r.width - 2, r.height - 2, light);
    // The light ring covered the dark one's inner edge; draw the dark lines back on top and left.
    c.line({r.x, r.y}, {r.right() - 2, r.y}, dark);
    c.line({r.x, r.y}, {r.x, r.bottom() - 2}, dark);
}

void DrawRaisedBox(gfx::Canvas& c, gfx::Rect r) {
    if (r.width < 2 || r.height < 2) return;
    c.fill_rect(r, sys(gfx::SystemColor::ButtonFace));
    const int l = r.x, t = r.y, rr = r.right() - 1, b = r.bottom() - 1;
    c.line({l, b}, {l, t}, sys(gfx::SystemColor::Light));
    c.line({l, t}, {rr, t}, sys(gfx::SystemColor::Light));
    c.line({l, b}, {rr + 1, b}, sys(gfx::SystemColor::DarkShadow));
    c.line({rr, t}, {rr, b}, sys(gfx::SystemColor::DarkShadow));
    if (r.width >= 4 && r.height >= 4) {
        c.line({l + 1, b - 1}, {l + 1, t + 1}, sys(gfx::SystemColor::ButtonHighlight));
        c.line({l + 1, t + 1}, {rr - 1, t + 1}, sys(gfx::SystemColor::ButtonHighlight));
        c.line({l + 1, b - 1}, {rr, b - 1}, sys(gfx::SystemColor::ButtonShadow));
        c.line({rr - 1, t + 1}, {rr - 1, b - 1}, sys(gfx::SystemColor::ButtonShadow));
    }
}

void DrawScrollArrow(gfx::Canvas& c, gfx::Rect r, bool up, bool pressed, bool enabled) {
    if (pressed) {
        c.fill_rect(r, sys(gfx::SystemColor::ButtonFace));
        c.frame_rect(r, sys(gfx::SystemColor::ButtonShadow));
    } else {
        DrawRaisedBox(c, r);
    }
    // A solid triangle four rows high, centred (one pixel lower and right while pressed).
    const int off = pressed ? 1 : 0;
    const int cx = r.x + r.width / 2 - (r.width % 2 == 0 ? 1 : 0) + off;
    const int cy = r.y + (r.height - 4) / 2 + off;
    const gfx::Color ink = enabled ? sys(gfx::SystemColor::ButtonText) : sys(gfx::SystemColor::GrayText);
    for (int i = 0; i < 4; ++i) {
        const int row = up ? cy + i : cy + 3 - i;
        c.line({cx - i, row}, {cx + i + 1, row}, ink);
    }
}

void DrawScrollTrack(gfx::Canvas& c, gfx::Rect r) {
    const gfx::Color face = sys(gfx::SystemColor::ButtonFace), light = sys(gfx::SystemColor::ButtonHighlight);
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x) c.set_pixel({x, y}, ((x + y) & 1) ? face : light);
}

}  // namespace kes::forms

#include "platform/gfx/utf8.h"

namespace kes::forms {

char32_t AccessKeyOf(std::string_view caption) {
    std::u32string s = gfx::decode_utf8(caption);
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != U'&') continue;
        if (s[i + 1] == U'&') {
            ++i;  // a literal ampersand
            continue;
        }
        char32_t c = s[i + 1];
        return (c >= U'a' && c <= U'z') ? c - U'a' + U'A' : c;
    }
    return 0;
}

void DrawDisabledText(gfx::Canvas& c, std::string_view utf8, gfx::Rect r, unsigned flags) {
    gfx::CanvasStateSaver saver(c);
    c.set_text_background(std::nullopt);
    c.set_text_color(gfx::system_color(gfx::SystemColor::ButtonHighlight));
    c.draw_text(utf8, r.translated(1, 1), flags);
    c.set_text_color(gfx::system_color(gfx::SystemColor::ButtonShadow));
    c.draw_text(utf8, r, flags);
}

}  // namespace kes::forms

#include "platform/forms/group_box.h"

#include "platform/forms/control_paint.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/color.h"
#include "platform/gfx/text_layout.h"
#include "platform/ui/desktop.h"

namespace kes::forms {
namespace {

// The caption starts this far from the left edge, with a blank's worth of the back colour
// on each side of it cutting the frame line.
constexpr int kCaptionLeft = 8;
constexpr int kCaptionPad = 2;

ui::WindowDesc frame_window() {
    ui::WindowDesc d;
    d.background = kColorButtonFace;
    return d;
}

}  // namespace

GroupBox::GroupBox(const ControlSite& site) : Control(site, frame_window()) {
    font_ = gfx::Font(GetAmbient().font);
}

void GroupBox::InitProperties() {
    caption_ = Name();
    SetFont(GetAmbient().font);
}

void GroupBox::ReadProperties(const PropertyBag& bag) {
    caption_ = bag.read_string("Caption", "");
    SetBackColor(bag.read_color("BackColor", kColorButtonFace));
    fore_color_ = bag.read_color("ForeColor", kColorButtonText);
    SetFont(bag.read_font("Font", GetAmbient().font));
    border_style_ = bag.read_int16("BorderStyle", 1) == 0 ? 0 : 1;
    Control::SetEnabled(bag.read_bool("Enabled", true));
}

void GroupBox::WriteProperties(PropertyBag& bag) const {
    bag.write_string("Caption", caption_, "");
    bag.write_color("BackColor", back_color_, kColorButtonFace);
    bag.write_color("ForeColor", fore_color_, kColorButtonText);
    bag.write_font("Font", font_.request(), GetAmbient().font);
    bag.write_int16("BorderStyle", std::int16_t(border_style_), 1);
    bag.write_bool("Enabled", Enabled(), true);
}

Ambient GroupBox::AmbientForChildren() const {
    Ambient a = GetAmbient();
    a.back_color = back_color_;
    a.fore_color = fore_color_;
    return a;
}

void GroupBox::SetCaption(std::string_view caption) {
    caption_ = std::string(caption);
    Invalidate();
}

void GroupBox::SetBackColor(OleColor c) {
    back_color_ = c;
    if (hwnd()) desktop().SetBackground(hwnd(), c);
    Invalidate();
}

void GroupBox::SetForeColor(OleColor c) {
    fore_color_ = c;
    Invalidate();
}

void GroupBox::SetFont(const FontSpec& f) {
    font_ = gfx::Font(f);
    Invalidate();
}

void GroupBox::SetBorderStyle(int v) {
    border_style_ = v == 0 ? 0 : 1;
    Invalidate();
}

std::u32string GroupBox::AccessKeys() const {
    char32_t k = AccessKeyOf(caption_);
    return k ? std::u32string(1, k) : std::u32string();
}

void GroupBox::OnPaint(gfx::Canvas& canvas, gfx::Rect) {
    const gfx::Rect all = ClientRect();
    canvas.fill_rect(all, gfx::resolve_color(back_color_));
    const int lh = font_.metrics().height;
    if (border_style_ == 1) DrawEtchedFrame(canvas, {0, lh / 2, all.width, all.height - lh / 2});
    if (caption_.empty()) return;
    canvas.set_font(font_);
    gfx::Rect text{kCaptionLeft, 0, std::max(0, all.width - kCaptionLeft * 2), lh};
    gfx::Rect used = canvas.measure_text(caption_, text, gfx::kTextSingleLine);
    canvas.fill_rect({used.x - kCaptionPad, 0, used.width + 2 * kCaptionPad, lh}, gfx::resolve_color(back_color_));
    if (desktop().IsEnabled(hwnd())) {  // its own state, not its holders'
        canvas.set_text_color(gfx::resolve_color(fore_color_));
        canvas.draw_text(caption_, text, gfx::kTextSingleLine);
    } else {
        DrawDisabledText(canvas, caption_, text, gfx::kTextSingleLine);
    }
}

}  // namespace kes::forms

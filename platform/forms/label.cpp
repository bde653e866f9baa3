#include "platform/forms/label.h"

#include "platform/forms/control_paint.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/color.h"
#include "platform/gfx/text_layout.h"
#include "platform/ui/desktop.h"

namespace kes::forms {
namespace {

ui::WindowDesc label_window() {
    ui::WindowDesc d;
    d.background = kColorButtonFace;
    return d;
}

}  // namespace

Label::Label(const ControlSite& site) : Control(site, label_window()) {
    font_ = gfx::Font(GetAmbient().font);
}

void Label::InitProperties() {
    caption_ = Name();
    SetFont(GetAmbient().font);
}

void Label::ReadProperties(const PropertyBag& bag) {
    caption_ = bag.read_string("Caption", "");
    back_style_ = bag.read_int16("BackStyle", 1) == 0 ? 0 : 1;
    back_color_ = bag.read_color("BackColor", kColorButtonFace);
    fore_color_ = bag.read_color("ForeColor", kColorButtonText);
    font_ = gfx::Font(bag.read_font("Font", GetAmbient().font));
    auto_size_ = bag.read_bool("AutoSize", false);
    word_wrap_ = bag.read_bool("WordWrap", false);
    alignment_ = bag.read_int16("Alignment", 0);
    if (alignment_ < 0 || alignment_ > 2) alignment_ = 0;
    use_mnemonic_ = bag.read_bool("UseMnemonic", true);
    Control::SetEnabled(bag.read_bool("Enabled", true));
    if (hwnd()) {
        desktop().SetTransparent(hwnd(), back_style_ == 0);
        desktop().SetBackground(hwnd(), back_color_);
    }
    Changed();
}

void Label::WriteProperties(PropertyBag& bag) const {
    bag.write_string("Caption", caption_, "");
    bag.write_int16("BackStyle", std::int16_t(back_style_), 1);
    bag.write_color("BackColor", back_color_, kColorButtonFace);
    bag.write_color("ForeColor", fore_color_, kColorButtonText);
    bag.write_font("Font", font_.request(), GetAmbient().font);
    bag.write_bool("AutoSize", auto_size_, false);
    bag.write_bool("WordWrap", word_wrap_, false);
    bag.write_int16("Alignment", std::int16_t(alignment_), 0);
    bag.write_bool("UseMnemonic", use_mnemonic_, true);
    bag.write_bool("Enabled", Enabled(), true);
}

void Label::SetCaption(std::string_view caption) {
    if (caption_ == caption) return;
    caption_ = std::string(caption);
    Changed();
    Raise(kChange);
}

void Label::SetBackStyle(int v) {
    back_style_ = v == 0 ? 0 : 1;
    if (hwnd()) desktop().SetTransparent(hwnd(), back_style_ == 0);
    Invalidate();
}

void Label::SetBackColor(OleColor c) {
    back_color_ = c;
    if (hwnd()) desktop().SetBackground(hwnd(), c);
    Invalidate();
}

void Label::SetForeColor(OleColor c) {
    fore_color_ = c;
    Invalidate();
}

void Label::SetFont(const FontSpec& f) {
    font_ = gfx::Font(f);
    Changed();
}

void Label::SetAutoSize(bool v) {
    auto_size_ = v;
    Changed();
}

void Label::SetWordWrap(bool v) {
    word_wrap_ = v;
    Changed();
}

void Label::SetAlignment(int v) {
    alignment_ = (v >= 0 && v <= 2) ? v : 0;
    Invalidate();
}

void Label::SetEnabled(bool v) {
    Control::SetEnabled(v);
    Invalidate();
}

std::u32string Label::AccessKeys() const {
    if (!use_mnemonic_) return {};
    char32_t k = AccessKeyOf(caption_);
    return k ? std::u32string(1, k) : std::u32string();
}

unsigned Label::TextFlags() const {
    unsigned f = gfx::kTextWordBreak;
    if (alignment_ == 1) f |= gfx::kTextRight;
    if (alignment_ == 2) f |= gfx::kTextCenter;
    if (!use_mnemonic_) f |= gfx::kTextNoPrefix;
    return f;
}

void Label::Fit() {
    if (!auto_size_ || !hwnd()) return;
    gfx::Rect r;
    if (word_wrap_) {
        gfx::TextLayout l = gfx::layout_text(font_, caption_, {0, 0, std::max(1, ClientSize().width), 1 << 20},
                                             TextFlags() | gfx::kTextNoClip);
        r = {0, 0, ClientSize().width, l.bounds.height};
    } else {
        // One line per explicit break; the width of the widest.
        gfx::TextLayout l = gfx::layout_text(font_, caption_, {0, 0, 1 << 20, 1 << 20},
                                             (TextFlags() & ~unsigned(gfx::kTextWordBreak)) | gfx::kTextNoClip);
        r = {0, 0, l.bounds.width, l.bounds.height};
    }
    if (r.height <= 0) r.height = font_.metrics().height;
    Move(Left(), Top(), pixels_to_twips(r.width), pixels_to_twips(r.height));
}

void Label::Changed() {
    Fit();
    Invalidate();
}

void Label::OnPaint(gfx::Canvas& canvas, gfx::Rect) {
    const gfx::Rect all = ClientRect();
    if (back_style_ == 1) canvas.fill_rect(all, gfx::resolve_color(back_color_));
    canvas.set_font(font_);
    const unsigned flags = TextFlags() | (auto_size_ && !word_wrap_ ? gfx::kTextNoClip : 0u);
    const unsigned wrap = auto_size_ && !word_wrap_ ? flags & ~unsigned(gfx::kTextWordBreak) : flags;
    if (desktop().IsEnabled(hwnd())) {  // its own state, not its holders'
        canvas.set_text_color(gfx::resolve_color(fore_color_));
        canvas.draw_text(caption_, all, wrap);
    } else {
        DrawDisabledText(canvas, caption_, all, wrap);
    }
}

void Label::OnMouseDown(const ui::MouseEvent& e) {
    NotePress(e);
    RaiseMouse(kMouseDown, e);
}

void Label::OnMouseMove(const ui::MouseEvent& e) { RaiseMouse(kMouseMove, e); }

void Label::OnMouseUp(const ui::MouseEvent& e) {
    RaiseMouse(kMouseUp, e);
    if (ReleaseClicks(e)) Raise(kClick);
}

void Label::OnDoubleClick(const ui::MouseEvent& e) {
    if (e.button == ui::kLeftButton) Raise(kDblClick);
}

}  // namespace kes::forms

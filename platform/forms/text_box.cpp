#include "platform/forms/text_box.h"

#include <algorithm>

#include "platform/forms/control_paint.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/color.h"
#include "platform/gfx/text_layout.h"
#include "platform/gfx/utf8.h"
#include "platform/ui/desktop.h"

namespace kes::forms {
namespace {

constexpr std::uintptr_t kRepeatTimer = 1;
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 50;
constexpr int kWheelLines = 3;

ui::WindowDesc box_window() {
    ui::WindowDesc d;
    d.background = 0x80000005u;
    return d;
}

}  // namespace

TextBox::TextBox(const ControlSite& site) : Control(site, box_window()) {
    font_ = gfx::Font(GetAmbient().font);
}

void TextBox::InitProperties() { SetFont(GetAmbient().font); }

void TextBox::ReadProperties(const PropertyBag& bag) {
    Control::SetEnabled(bag.read_bool("Enabled", true));
    font_ = gfx::Font(bag.read_font("Font", GetAmbient().font));
    SetBackColor(bag.read_color("BackColor", 0x80000005u));
    fore_color_ = bag.read_color("ForeColor", 0x80000008u);
    border_style_ = bag.read_int16("BorderStyle", 1) == 0 ? 0 : 1;
    scroll_bars_ = bag.read_int16("ScrollBars", 2) == 2 ? 2 : 0;
    text_ = bag.read_string("Text", "");
    top_line_ = 0;
    Relayout();
}

void TextBox::WriteProperties(PropertyBag& bag) const {
    bag.write_string("Text", text_, "");
    bag.write_font("Font", font_.request(), GetAmbient().font);
    bag.write_color("BackColor", back_color_, 0x80000005u);
    bag.write_color("ForeColor", fore_color_, 0x80000008u);
    bag.write_int16("BorderStyle", std::int16_t(border_style_), 1);
    bag.write_int16("ScrollBars", std::int16_t(scroll_bars_), 2);
    bag.write_bool("Enabled", Enabled(), true);
}

void TextBox::SetText(std::string_view utf8) {
    if (text_ == utf8) return;
    text_ = std::string(utf8);
    top_line_ = 0;
    Relayout();
    Raise(kChange);
}

void TextBox::SetFont(const FontSpec& f) {
    font_ = gfx::Font(f);
    Relayout();
}

void TextBox::SetBackColor(OleColor c) {
    back_color_ = c;
    if (hwnd()) desktop().SetBackground(hwnd(), c);
    Invalidate();
}

void TextBox::SetForeColor(OleColor c) {
    fore_color_ = c;
    Invalidate();
}

void TextBox::SetBorderStyle(int v) {
    border_style_ = v == 0 ? 0 : 1;
    Relayout();
}

void TextBox::SetScrollBars(int v) {
    scroll_bars_ = v == 2 ? 2 : 0;
    Relayout();
}

// ---- geometry ----

int TextBox::LineHeight() const { return std::max(1, font_.metrics().height); }

gfx::Rect TextBox::ScrollBarRect() const {
    if (!HasScrollBar()) return {};
    gfx::Rect inner = ClientRect();
    if (border_style_ == 1) inner = inner.inflated(-2, -2);
    const int w = std::min(inner.width, desktop().GetSystemMetrics(ui::SM_CXVSCROLL));
    return {inner.right() - w, inner.y, w, inner.height};
}

gfx::Rect TextBox::UpArrowRect() const {
    gfx::Rect bar = ScrollBarRect();
    if (bar.is_empty()) return {};
    return {bar.x, bar.y, bar.width, std::min(bar.width, bar.height / 2)};
}

gfx::Rect TextBox::DownArrowRect() const {
    gfx::Rect bar = ScrollBarRect();
    if (bar.is_empty()) return {};
    const int h = std::min(bar.width, bar.height / 2);
    return {bar.x, bar.bottom() - h, bar.width, h};
}

gfx::Rect TextBox::ThumbRect() const {
    gfx::Rect bar = ScrollBarRect();
    const int max_top = MaxTopLine();
    if (bar.is_empty() || max_top == 0) return {};
    const gfx::Rect up = UpArrowRect(), down = DownArrowRect();
    const int track_top = up.bottom(), track_len = down.y - up.bottom();
    const int total = LineCount();
    int len = std::max(8, track_len * VisibleLines() / std::max(1, total));
    if (len >= track_len) return {};
    const int y = track_top + (track_len - len) * top_line_ / max_top;
    return {bar.x, y, bar.width, len};
}

gfx::Rect TextBox::TextArea() const {
    gfx::Rect inner = ClientRect();
    if (border_style_ == 1) inner = inner.inflated(-2, -2);
    if (HasScrollBar()) inner.width -= ScrollBarRect().width;
    // A small margin, as multi-line fields keep off their border.
    return {inner.x + 2, inner.y + 1, std::max(0, inner.width - 4), std::max(0, inner.height - 1)};
}

int TextBox::VisibleLines() const { return std::max(1, TextArea().height / LineHeight()); }

int TextBox::MaxTopLine() const { return std::max(0, LineCount() - VisibleLines()); }

void TextBox::SetTopLine(int line) {
    const int t = std::clamp(line, 0, MaxTopLine());
    if (t == top_line_) return;
    top_line_ = t;
    Invalidate();
}

void TextBox::ScrollBy(int lines) { SetTopLine(top_line_ + lines); }

void TextBox::Relayout() {
    lines_.clear();
    const gfx::Rect area = TextArea();
    gfx::TextLayout layout = gfx::layout_text(font_, text_, {0, 0, std::max(1, area.width), 1 << 20},
                                              gfx::kTextWordBreak | gfx::kTextNoPrefix | gfx::kTextNoClip);
    for (const auto& l : layout.lines) lines_.push_back(gfx::encode_utf8(l.text));
    // A text ending in a line break ends there; no empty line after it.
    if (!lines_.empty() && lines_.back().empty() && !text_.empty() && (text_.back() == '\n' || text_.back() == '\r'))
        lines_.pop_back();
    top_line_ = std::clamp(top_line_, 0, MaxTopLine());
    Invalidate();
}

// ---- painting ----

void TextBox::OnPaint(gfx::Canvas& canvas, gfx::Rect) {
    const gfx::Rect all = ClientRect();
    // Drawn by its own state: inside a disabled container or under a modal dialog it keeps its look.
    const bool enabled = desktop().IsEnabled(hwnd());
    canvas.fill_rect(all, gfx::resolve_color(back_color_));
    if (border_style_ == 1) DrawSunkenBorder(canvas, all);

    const gfx::Rect area = TextArea();
    {
        gfx::CanvasStateSaver saver(canvas);
        canvas.clip_rect(area);
        canvas.set_font(font_);
        canvas.set_text_color(gfx::resolve_color(enabled ? fore_color_ : kColorGrayText));
        const int h = LineHeight();
        for (int i = top_line_; i < LineCount(); ++i) {
            const int y = area.y + (i - top_line_) * h;
            if (y >= area.bottom()) break;
            canvas.draw_text(lines_[std::size_t(i)], gfx::Point{area.x, y});
        }
    }
    if (HasScrollBar()) {
        const gfx::Rect bar = ScrollBarRect(), up = UpArrowRect(), down = DownArrowRect();
        const bool can = enabled && MaxTopLine() > 0;
        DrawScrollTrack(canvas, {bar.x, up.bottom(), bar.width, down.y - up.bottom()});
        DrawScrollArrow(canvas, up, true, held_ == Held::Up, can && top_line_ > 0);
        DrawScrollArrow(canvas, down, false, held_ == Held::Down, can && top_line_ < MaxTopLine());
        const gfx::Rect thumb = ThumbRect();
        if (can && !thumb.is_empty()) DrawRaisedBox(canvas, thumb);
    }
}

// ---- input ----

void TextBox::OnMouseDown(const ui::MouseEvent& e) {
    if (e.button != ui::kLeftButton) return;
    if (!HasFocus()) SetFocus();
    // A focus handler that ran the loop (a message dialog) until the button was up leaves
    // nothing held: no capture, no repeating scroll.
    if (!(desktop().GetMouseButtons() & ui::kLeftButton)) return;
    if (!ScrollBarRect().contains(e.pos) || MaxTopLine() == 0) return;
    const gfx::Rect thumb = ThumbRect();
    if (UpArrowRect().contains(e.pos)) {
        held_ = Held::Up;
        ScrollBy(-1);
    } else if (DownArrowRect().contains(e.pos)) {
        held_ = Held::Down;
        ScrollBy(1);
    } else if (thumb.contains(e.pos)) {
        held_ = Held::Thumb;
        drag_offset_ = e.pos.y - thumb.y;
    } else if (e.pos.y < thumb.y) {
        held_ = Held::PageUp;
        ScrollBy(-VisibleLines());
    } else {
        held_ = Held::PageDown;
        ScrollBy(VisibleLines());
    }
    desktop().SetCapture(hwnd());
    if (held_ != Held::Thumb) desktop().SetTimer(hwnd(), kRepeatTimer, kFirstRepeatMs);
    Invalidate();
}

void TextBox::OnMouseMove(const ui::MouseEvent& e) {
    if (held_ != Held::Thumb) return;
    const gfx::Rect up = UpArrowRect(), down = DownArrowRect(), thumb = ThumbRect();
    const int track_len = down.y - up.bottom() - thumb.height;
    if (track_len <= 0) return;
    const int y = std::clamp(e.pos.y - drag_offset_ - up.bottom(), 0, track_len);
    // Nearest line for the thumb's place.
    SetTopLine((y * MaxTopLine() * 2 + track_len) / (2 * track_len));
}

void TextBox::OnMouseUp(const ui::MouseEvent& e) {
    if (e.button != ui::kLeftButton || held_ == Held::None) return;
    held_ = Held::None;
    desktop().KillTimer(hwnd(), kRepeatTimer);
    if (desktop().GetCapture() == hwnd()) desktop().ReleaseCapture();
    Invalidate();
}

void TextBox::OnTimer(std::uintptr_t id) {
    if (id != kRepeatTimer) return;
    desktop().SetTimer(hwnd(), kRepeatTimer, kRepeatMs);
    const gfx::Point p = desktop().ScreenToClient(hwnd(), desktop().GetCursorPos());
    const gfx::Rect thumb = ThumbRect();
    switch (held_) {
        case Held::Up: if (UpArrowRect().contains(p)) ScrollBy(-1); break;
        case Held::Down: if (DownArrowRect().contains(p)) ScrollBy(1); break;
        // Paging stops once the thumb reaches the pointer.
        case Held::PageUp: if (p.y < thumb.y) ScrollBy(-VisibleLines()); break;
        case Held::PageDown: if (p.y >= thumb.bottom()) ScrollBy(VisibleLines()); break;
        default: desktop().KillTimer(hwnd(), kRepeatTimer); break;
    }
}

bool TextBox::OnMouseWheel(const ui::MouseEvent& e) {
    if (MaxTopLine() == 0) return false;
    // Fine-grained wheels send parts of a notch; they add up to whole notches.
    wheel_rest_ += e.wheel_delta;
    const int notches = wheel_rest_ / ui::WHEEL_DELTA;
    wheel_rest_ -= notches * ui::WHEEL_DELTA;
    ScrollBy(-notches * kWheelLines);
    return true;
}

bool TextBox::OnKeyDown(const ui::KeyEvent& e) {
    KeyArgs args{std::int16_t(e.key), std::int16_t(e.shift)};
    Raise(kKeyDown, args);
    switch (ui::KeyCode(args.key_code)) {
        case ui::VK_UP: ScrollBy(-1); return true;
        case ui::VK_DOWN: ScrollBy(1); return true;
        case ui::VK_PRIOR: ScrollBy(-VisibleLines()); return true;
        case ui::VK_NEXT: ScrollBy(VisibleLines()); return true;
        case ui::VK_HOME: SetTopLine(0); return true;
        case ui::VK_END: SetTopLine(MaxTopLine()); return true;
        default: return false;
    }
}

void TextBox::OnResize() { Relayout(); }

}  // namespace kes::forms

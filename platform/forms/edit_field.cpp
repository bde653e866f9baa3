#include "platform/forms/edit_field.h"

#include <algorithm>

#include "platform/forms/control_paint.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/color.h"
#include "platform/gfx/utf8.h"
#include "platform/ui/desktop.h"

namespace kes::forms {
namespace {

constexpr std::uintptr_t kBlinkTimer = 1;

ui::WindowDesc edit_window() {
    ui::WindowDesc d;
    d.background = 0x80000005u;
    d.cursor = ui::Cursor::Stock(ui::CursorKind::IBeam);
    return d;
}

}  // namespace

EditField::EditField(const ControlSite& site) : Control(site, edit_window()) {
    font_ = gfx::Font(GetAmbient().font);
}

void EditField::InitProperties() {
    font_ = gfx::Font(GetAmbient().font);
    Invalidate();
}

void EditField::ReadProperties(const PropertyBag& bag) {
    locked_ = bag.read_bool("Locked", false);
    Control::SetEnabled(bag.read_bool("Enabled", true));
    SetFont(bag.read_font("Font", GetAmbient().font));
    SetBackColor(bag.read_color("BackColor", 0x80000005u));
    SetForeColor(bag.read_color("ForeColor", 0x80000008u));
    SetBorderStyle(bag.read_int16("BorderStyle", 1));
    SetMaxLength(bag.read_int32("MaxLength", 0));
    SetAlignment(bag.read_int16("Alignment", 0));
    SetText(bag.read_string("Text", ""));
}

void EditField::WriteProperties(PropertyBag& bag) const {
    bag.write_string("Text", Text(), "");
    bag.write_bool("Locked", locked_, false);
    bag.write_bool("Enabled", Enabled(), true);
    bag.write_font("Font", font_.request(), GetAmbient().font);
    bag.write_color("BackColor", back_color_, 0x80000005u);
    bag.write_color("ForeColor", fore_color_, 0x80000008u);
    bag.write_int16("BorderStyle", std::int16_t(border_style_), 1);
    bag.write_int32("MaxLength", max_length_, 0);
    bag.write_int16("Alignment", std::int16_t(alignment_), 0);
}

// ---- properties ----

void EditField::SetText(std::string_view utf8) {
    if (model_.Text() == utf8) return;
    model_.SetText(utf8);
    scroll_x_ = 0;
    TextChanged();
}

void EditField::SetAlignment(int v) {
    alignment_ = (v >= 0 && v <= 2) ? v : 0;
    Invalidate();
}

void EditField::SetBorderStyle(int v) {
    border_style_ = v == 0 ? 0 : 1;
    ScrollCaretIntoView();
    Invalidate();
}

void EditField::SetFont(const FontSpec& f) {
    font_ = gfx::Font(f);
    ScrollCaretIntoView();
    Invalidate();
}

void EditField::SetBackColor(OleColor c) {
    back_color_ = c;
    if (hwnd()) desktop().SetBackground(hwnd(), c);
    Invalidate();
}

void EditField::SetForeColor(OleColor c) {
    fore_color_ = c;
    Invalidate();
}

void EditField::SetEnabled(bool v) {
    Control::SetEnabled(v);
    Invalidate();
}

void EditField::SetSelStart(int v) {
    model_.SetCaret(std::size_t(std::max(0, v)));
    CaretMoved();
}

void EditField::SetSelLength(int v) {
    model_.Select(model_.SelStart(), std::size_t(std::max(0, v)));
    CaretMoved();
}

void EditField::SetSelText(std::string_view utf8) {
    Edit([&] { return model_.ReplaceSelection(utf8); });
}

void EditField::SelectAll() {
    model_.SelectAll();
    CaretMoved();
}

void EditField::Copy() const {
    if (model_.HasSelection()) desktop().SetClipboardText(model_.SelectedText());
}

void EditField::Cut() {
    if (!model_.HasSelection()) return;
    Copy();
    if (!locked_) Edit([&] { return model_.ReplaceSelection(std::u32string_view{}); });
}

void EditField::Paste() {
    if (locked_) return;
    std::u32string text = gfx::decode_utf8(desktop().GetClipboardText());
    // An empty clipboard pastes nothing; it does not delete the selection.
    if (text.empty()) return;
    // One line: a pasted text ends at its first line break.
    std::size_t nl = text.find_first_of(U"\r\n");
    if (nl != std::u32string::npos) text.resize(nl);
    if (max_length_ > 0) {
        std::size_t room = std::size_t(max_length_) - std::min<std::size_t>(std::size_t(max_length_),
                                                                             model_.Length() - model_.SelLength());
        if (text.size() > room) text.resize(room);
    }
    Edit([&] { return model_.ReplaceSelection(text); });
}

// ---- editing ----

template <class F>
void EditField::Edit(F&& edit) {
    if (edit()) {
        TextChanged();
    } else {
        CaretMoved();
    }
}

void EditField::TextChanged() {
    ScrollCaretIntoView();
    RestartBlink();
    Invalidate();
    Raise(kChange);
}

void EditField::CaretMoved() {
    ScrollCaretIntoView();
    RestartBlink();
    Invalidate();
}

void EditField::RestartBlink() {
    caret_on_ = true;
    if (hwnd() && HasFocus()) {
        if (blink_ms_ > 0)
            desktop().SetTimer(hwnd(), kBlinkTimer, blink_ms_);
        else
            desktop().KillTimer(hwnd(), kBlinkTimer);
        gfx::Rect c = CaretRect();
        desktop().SetTextInput(hwnd(), true, c);
    }
}

gfx::Rect EditField::TextArea() const {
    gfx::Rect r = ClientRect();
    if (border_style_ == 1) r = r.inflated(-2, -2);
    // One pixel of margin on each side keeps the caret off the edge.
    return {r.x + 1, r.y + (border_style_ == 1 ? 1 : 0), std::max(0, r.width - 2), std::max(0, r.height - 1)};
}

int EditField::XOf(std::size_t pos) const {
    const auto& chars = model_.Chars();
    return font_.text_width(gfx::encode_utf8(std::u32string_view(chars).substr(0, std::min(pos, chars.size()))));
}

int EditField::TextOriginX() const {
    gfx::Rect a = TextArea();
    const int w = XOf(model_.Length());
    if (w < a.width) {
        if (alignment_ == 1) return a.x + a.width - w - 1;
        if (alignment_ == 2) return a.x + (a.width - w) / 2;
    }
    return a.x - scroll_x_;
}

std::size_t EditField::PositionAt(int x) const {
    const int rel = x - TextOriginX();
    const auto& chars = model_.Chars();
    int prev = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const int next = XOf(i + 1);
        if (rel < (prev + next) / 2 + ((prev + next) % 2)) return i;
        prev = next;
    }
    return chars.size();
}

void EditField::ScrollCaretIntoView() {
    gfx::Rect a = TextArea();
    const int total = XOf(model_.Length());
    if (total < a.width || alignment_ != 0) {
        if (total < a.width) {
            scroll_x_ = 0;
            return;
        }
    }
    const int cx = XOf(model_.Caret());
    if (cx - scroll_x_ > a.width - 1) scroll_x_ = cx - a.width + 1 + a.width / 3;
    if (cx - scroll_x_ < 0) scroll_x_ = std::max(0, cx - a.width / 3);
    // Never scroll further than the text needs.
    scroll_x_ = std::clamp(scroll_x_, 0, std::max(0, total - a.width + 1));
}

gfx::Rect EditField::CaretRect() const {
    gfx::Rect a = TextArea();
    const int x = TextOriginX() + XOf(model_.Caret());
    return {x, a.y, 1, std::min(font_.metrics().height, a.height)};
}

void EditField::OnPaint(gfx::Canvas& canvas, gfx::Rect) {
    const gfx::Rect all = ClientRect();
    // Drawn by its own state: inside a disabled container or under a modal dialog it keeps its look.
    const bool enabled = desktop().IsEnabled(hwnd());
    canvas.fill_rect(all, gfx::resolve_color(enabled ? back_color_ : kColorButtonFace));
    if (border_style_ == 1) DrawSunkenBorder(canvas, all);

    const gfx::Rect area = TextArea();
    gfx::CanvasStateSaver saver(canvas);
    canvas.clip_rect(area);
    canvas.set_font(font_);
    const gfx::Color text = gfx::resolve_color(enabled ? fore_color_ : kColorGrayText);
    const int x0 = TextOriginX();
    const std::string all_text = model_.Text();
    canvas.set_text_color(text);
    canvas.draw_text(all_text, gfx::Point{x0, area.y});

    const bool focused = HasFocus();
    if (focused && model_.HasSelection()) {
        const int sx = x0 + XOf(model_.SelStart());
        const int ex = x0 + XOf(model_.SelStart() + model_.SelLength());
        gfx::Rect sel{sx, area.y, ex - sx, std::min(font_.metrics().height, area.height)};
        canvas.fill_rect(sel, gfx::resolve_color(kColorHighlight));
        gfx::CanvasStateSaver inner(canvas);
        canvas.clip_rect(sel);
        canvas.set_text_color(gfx::resolve_color(kColorHighlightText));
        canvas.draw_text(all_text, gfx::Point{x0, area.y});
    }
    if (focused && caret_on_) canvas.fill_rect(CaretRect(), text);
}

void EditField::OnMouseDown(const ui::MouseEvent& e) {
    if (e.button == ui::kLeftButton) {
        if (!HasFocus()) SetFocus();
        // Focus handlers may refuse the focus or run the loop (a message dialog) until the
        // button is up: the press then neither moves the caret nor starts a drag.
        if (HasFocus() && (desktop().GetMouseButtons() & ui::kLeftButton)) {
            model_.SetCaret(PositionAt(e.pos.x), (e.shift & ui::kShiftMask) != 0);
            dragging_ = true;
            desktop().SetCapture(hwnd());
            CaretMoved();
        }
    }
    RaiseMouse(kMouseDown, e);
}

void EditField::OnMouseMove(const ui::MouseEvent& e) {
    if (dragging_ && (e.buttons & ui::kLeftButton)) {
        std::size_t p = PositionAt(e.pos.x);
        if (p != model_.Caret()) {
            model_.SetCaret(p, true);
            CaretMoved();
        }
    }
    RaiseMouse(kMouseMove, e);
}

void EditField::OnMouseUp(const ui::MouseEvent& e) {
    const bool was_dragging = dragging_ && e.button == ui::kLeftButton;
    if (was_dragging) {
        dragging_ = false;
        if (desktop().GetCapture() == hwnd()) desktop().ReleaseCapture();
    }
    RaiseMouse(kMouseUp, e);
    if (was_dragging && ClientRect().contains(e.pos)) Raise(kClick);
}

void EditField::OnDoubleClick(const ui::MouseEvent& e) {
    if (e.button == ui::kLeftButton) {
        model_.SelectWordAt(PositionAt(e.pos.x));
        dragging_ = false;
        CaretMoved();
        Raise(kDblClick);
    }
}

bool EditField::OnKeyDown(const ui::KeyEvent& e) {
    KeyArgs args{std::int16_t(e.key), std::int16_t(e.shift)};
    Raise(kKeyDown, args);
    if (args.key_code == 0) return true;
    const bool shift = e.shift & ui::kShiftMask, ctrl = e.shift & ui::kCtrlMask;
    if (e.shift & ui::kAltMask) return false;
    switch (ui::KeyCode(args.key_code)) {
        case ui::VK_LEFT: model_.MoveLeft(shift, ctrl); CaretMoved(); return true;
        case ui::VK_RIGHT: model_.MoveRight(shift, ctrl); CaretMoved(); return true;
        case ui::VK_HOME: model_.MoveHome(shift); CaretMoved(); return true;
        case ui::VK_END: model_.MoveEnd(shift); CaretMoved(); return true;
        case ui::VK_DELETE:
            if (shift) {
                Cut();
            } else if (!locked_) {
                Edit([&] { return model_.Delete(); });
            }
            return true;
        case ui::VK_INSERT:
            if (ctrl) Copy();
            else if (shift) Paste();
            return true;
        case 'A': if (ctrl) { SelectAll(); return true; } break;
        case 'C': if (ctrl) { Copy(); return true; } break;
        case 'X': if (ctrl) { Cut(); return true; } break;
        case 'V': if (ctrl) { Paste(); return true; } break;
        default: break;
    }
    return false;
}

bool EditField::OnKeyUp(const ui::KeyEvent& e) {
    KeyArgs args{std::int16_t(e.key), std::int16_t(e.shift)};
    Raise(kKeyUp, args);
    return false;
}

void EditField::OnChar(char32_t ch, ui::ShiftState shift) {
    if (shift & ui::kAltMask) return;
    // Ctrl+letter commands were handled as keys; only Backspace, Enter and Escape of the
    // control characters are typed.
    if (ch < 32 && ch != 8 && ch != 13 && ch != 27) return;
    if (ch == 127) return;
    KeyPressArgs args{std::int32_t(ch)};
    Raise(kKeyPress, args);
    if (args.key_ascii <= 0) return;  // swallowed
    ch = char32_t(args.key_ascii);
    if (locked_) return;
    if (ch == 8) {
        Edit([&] { return model_.Backspace(); });
        return;
    }
    if (ch < 32) return;  // Enter and Escape type nothing into one line
    // A full field takes nothing more.
    if (max_length_ > 0 && model_.Length() - model_.SelLength() >= std::size_t(max_length_)) return;
    const char32_t one[1] = {ch};
    Edit([&] { return model_.ReplaceSelection(std::u32string_view(one, 1)); });
}

void EditField::OnFocusIn() {
    RestartBlink();
    Invalidate();
}

void EditField::OnFocusOut() {
    if (hwnd()) {
        desktop().KillTimer(hwnd(), kBlinkTimer);
        desktop().SetTextInput(hwnd(), false);
    }
    dragging_ = false;
    Invalidate();
}

void EditField::OnTimer(std::uintptr_t id) {
    if (id != kBlinkTimer) return;
    if (!HasFocus()) {
        desktop().KillTimer(hwnd(), kBlinkTimer);
        return;
    }
    caret_on_ = !caret_on_;
    Invalidate(CaretRect());
}

void EditField::SetCaretBlinkTime(int ms) {
    blink_ms_ = std::max(0, ms);
    RestartBlink();
    Invalidate();
}

void EditField::OnResize() {
    ScrollCaretIntoView();
    Invalidate();
}

}  // namespace kes::forms

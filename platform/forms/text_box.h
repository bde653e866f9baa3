// A multi-line, read-only text box with a vertical scroll bar: shows a text wrapped at its
// width (lines end at CR LF, LF or CR), scrolls by the bar's arrows and track, by the wheel
// (three lines a notch) and by the keyboard (arrows, Page Up / Down, Home / End, Ctrl+Home /
// Ctrl+End) while it has the focus.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/values.h"
#include "platform/gfx/font.h"

namespace kes::forms {

class TextBox : public Control {
public:
    // Stored settings: "Text" (""), "Font" (ambient), "BackColor" (&H80000005), "ForeColor"
    // (&H80000008), "BorderStyle" (1: a sunken frame, 0: none), "ScrollBars" (2: vertical,
    // 0: none), "Enabled" (True).
    explicit TextBox(const ControlSite& site);

    std::string_view Kind() const override { return "TextBox"; }
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    const std::string& Text() const { return text_; }
    // Replaces the text and scrolls back to the top; raises Change when it differs.
    void SetText(std::string_view utf8);
    const FontSpec& Font() const { return font_.request(); }
    void SetFont(const FontSpec& f);
    OleColor BackColor() const { return back_color_; }
    void SetBackColor(OleColor c);
    OleColor ForeColor() const { return fore_color_; }
    void SetForeColor(OleColor c);
    int BorderStyle() const { return border_style_; }
    void SetBorderStyle(int v);
    bool HasScrollBar() const { return scroll_bars_ == 2; }
    void SetScrollBars(int v);

    // The wrapped lines and the first one shown.
    int LineCount() const { return int(lines_.size()); }
    int VisibleLines() const;
    int TopLine() const { return top_line_; }
    // Scrolls so that `line` is the first shown, kept within 0 .. LineCount - VisibleLines.
    void SetTopLine(int line);
    int MaxTopLine() const;
    const std::vector<std::string>& Lines() const { return lines_; }

    // Parts of the scroll bar, in the box's pixels (empty without a bar).
    gfx::Rect ScrollBarRect() const;
    gfx::Rect UpArrowRect() const;
    gfx::Rect DownArrowRect() const;
    gfx::Rect ThumbRect() const;

protected:
    void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty) override;
    void OnMouseDown(const ui::MouseEvent& e) override;
    void OnMouseMove(const ui::MouseEvent& e) override;
    void OnMouseUp(const ui::MouseEvent& e) override;
    void OnDoubleClick(const ui::MouseEvent& e) override { OnMouseDown(e); }
    bool OnMouseWheel(const ui::MouseEvent& e) override;
    bool OnKeyDown(const ui::KeyEvent& e) override;
    void OnResize() override;
    void OnTimer(std::uintptr_t id) override;

private:
    void Relayout();
    gfx::Rect TextArea() const;
    int LineHeight() const;
    void ScrollBy(int lines);

    std::string text_;
    std::vector<std::string> lines_;
    gfx::Font font_;
    OleColor back_color_ = 0x80000005u;
    OleColor fore_color_ = 0x80000008u;
    int border_style_ = 1;
    int scroll_bars_ = 2;
    int top_line_ = 0;
    // Mouse on the bar: which part is held, for auto-repeat and dragging the thumb.
    enum class Held { None, Up, Down, PageUp, PageDown, Thumb } held_ = Held::None;
    int drag_offset_ = 0;
    int wheel_rest_ = 0;  // wheel movement short of a notch
};

}  // namespace kes::forms

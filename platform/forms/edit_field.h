// The single-line edit field: caret, selection by mouse (click, drag, double click) and by
// keyboard (Shift with the arrows, Home and End), Backspace and Delete, Ctrl+A, cut, copy and
// paste through the clipboard (Ctrl+X / Ctrl+C / Ctrl+V, Shift+Delete / Ctrl+Insert /
// Shift+Insert), and a read-only mode (`Locked`) that still selects and copies.
//
// Events to the holder:
//   KeyPress (KeyPressArgs): before a typed character goes in (Backspace, code 8, too); the
//     holder may replace the character or swallow it (0): a swallowed key changes nothing
//     and raises no Change.
//   Change: after every change of the text, by typing, cutting, pasting or by code
//     (SetText with a different text; setting the same text raises nothing).
//   KeyDown / KeyUp (KeyArgs), MouseDown / MouseMove / MouseUp (MouseArgs), Click, DblClick,
//   and GotFocus / LostFocus through the form.
#pragma once

#include <string>
#include <string_view>

#include "platform/forms/control.h"
#include "platform/forms/edit_model.h"
#include "platform/forms/events.h"
#include "platform/forms/values.h"
#include "platform/gfx/font.h"

namespace kes::forms {

class EditField : public Control {
public:
    // Stored settings: "Text" (""), "Locked" (False), "Enabled" (True), "Font" (ambient),
    // "BackColor" (&H80000005), "ForeColor" (&H80000008), "BorderStyle" (1: a sunken
    // frame, 0: none), "MaxLength" (0: no limit), "Alignment" (0 left, 1 right, 2 centre).
    explicit EditField(const ControlSite& site);

    std::string_view Kind() const override { return "EditField"; }
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    std::string Text() const { return model_.Text(); }
    // Replaces the text (caret at the end); raises Change when it differs.
    void SetText(std::string_view utf8);
    bool Locked() const { return locked_; }
    void SetLocked(bool v) { locked_ = v; }
    int MaxLength() const { return max_length_; }
    void SetMaxLength(int v) { max_length_ = v < 0 ? 0 : v; }
    int Alignment() const { return alignment_; }
    void SetAlignment(int v);
    int BorderStyle() const { return border_style_; }
    void SetBorderStyle(int v);
    const FontSpec& Font() const { return font_.request(); }
    void SetFont(const FontSpec& f);
    OleColor BackColor() const { return back_color_; }
    void SetBackColor(OleColor c);
    OleColor ForeColor() const { return fore_color_; }
    void SetForeColor(OleColor c);
    void SetEnabled(bool v) override;

    // Selection, in characters.
    int SelStart() const { return int(model_.SelStart()); }
    int SelLength() const { return int(model_.SelLength()); }
    std::string SelText() const { return model_.SelectedText(); }
    void SetSelStart(int v);
    void SetSelLength(int v);
    // Replaces the selection as if typed in one piece (no KeyPress); raises Change.
    void SetSelText(std::string_view utf8);
    void SelectAll();
    void Cut();
    void Copy() const;
    void Paste();

    const EditModel& Model() const { return model_; }
    // Caret rectangle in the field's pixels (where the caret line is drawn).
    gfx::Rect CaretRect() const;
    // The caret shows (the field has the focus and the blink is in its on phase).
    bool CaretShown() const { return HasFocus() && caret_on_; }
    // Milliseconds between the caret's blinks; 0 keeps it on (pictures that must repeat).
    int CaretBlinkTime() const { return blink_ms_; }
    void SetCaretBlinkTime(int ms);

protected:
    void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty) override;
    void OnMouseDown(const ui::MouseEvent& e) override;
    void OnMouseMove(const ui::MouseEvent& e) override;
    void OnMouseUp(const ui::MouseEvent& e) override;
    void OnDoubleClick(const ui::MouseEvent& e) override;
    bool OnKeyDown(const ui::KeyEvent& e) override;
    bool OnKeyUp(const ui::KeyEvent& e) override;
    void OnChar(char32_t ch, ui::ShiftState shift) override;
    void OnFocusIn() override;
    void OnFocusOut() override;
    void OnTimer(std::uintptr_t id) override;
    void OnResize() override;

private:
    // Runs an edit; when it changed the text, scrolls the caret into view and raises Change.
    template <class F>
    void Edit(F&& edit);
    void TextChanged();
    void CaretMoved();
    void RestartBlink();
    void ScrollCaretIntoView();
    gfx::Rect TextArea() const;
    int TextOriginX() const;
    // The character position nearest to an x in the field's pixels.
    std::size_t PositionAt(int x) const;
    int XOf(std::size_t pos) const;  // pixels from the text's start to a position

    EditModel model_;
    gfx::Font font_;
    OleColor back_color_ = 0x80000005u;
    OleColor fore_color_ = 0x80000008u;
    bool locked_ = false;
    int max_length_ = 0;
    int alignment_ = 0;
    int border_style_ = 1;
    int scroll_x_ = 0;  // pixels of text scrolled out on the left
    bool dragging_ = false;
    bool caret_on_ = true;
    int blink_ms_ = 530;
};

}  // namespace kes::forms

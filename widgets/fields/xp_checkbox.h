// xpCheckbox: a check box drawn from the generated glyph sheet, a 13 x 13 glyph `p` at the
// left and the caption `lbl` to its right, with a 10-millisecond poll `Timer1` that notices
// when the pointer has left.
//
// Events to the holder (the array index first for control arrays):
//   Click (before the value changes), KeyDown / KeyUp (forms::KeyArgs), KeyPress
//   (forms::KeyPressArgs), MouseOut (once each time the pointer leaves, and once about
//   10 ms after creation when the pointer is elsewhere), MouseDown / MouseMove / MouseUp
//   (forms::MouseArgs, in the control's pixels).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/forms/control.h"
#include "platform/forms/event_table.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/timer_control.h"
#include "platform/forms/values.h"
#include "widgets/fields/check_model.h"

namespace kes::fields {

inline constexpr const char* kMouseOut = "MouseOut";

class XpCheckbox : public forms::Control {
 public:
  explicit XpCheckbox(const forms::ControlSite& site);
  ~XpCheckbox() override;
  XpCheckbox(const XpCheckbox&) = delete;
  XpCheckbox& operator=(const XpCheckbox&) = delete;

  std::string_view Kind() const override { return "xpCheckbox"; }
  void InitProperties() override;
  void ReadProperties(const forms::PropertyBag& bag) override;
  void WriteProperties(forms::PropertyBag& bag) const override;

  std::int32_t Value() const { return model_.Value(); }
  void SetValue(std::int32_t v);
  const std::string& Caption() const;
  void SetCaption(std::string_view caption);
  void SetEnabled(bool v) override;
  const forms::FontSpec& Font() const { return font_; }
  void SetFont(const forms::FontSpec& font);
  forms::OleColor BackColor() const { return model_.BackColor(); }
  void SetBackColor(forms::OleColor c);
  forms::OleColor ForeColor() const { return model_.ForeColor(); }
  void SetForeColor(forms::OleColor c);

  // What shows now: the glyph index and the caption's colour.
  int Glyph() const { return model_.Glyph(); }
  forms::OleColor CaptionColor() const { return model_.CaptionColor(); }
  bool Polling() const { return model_.Polling(); }
  const forms::PictureBox& GlyphBox() const { return *p_; }
  const forms::Label& CaptionLabel() const { return *lbl_; }

  // Places the glyph and the caption for the current height and caption size.
  void Layout();

 protected:
  void OnMouseDown(const ui::MouseEvent& e) override;
  void OnMouseMove(const ui::MouseEvent& e) override;
  void OnMouseUp(const ui::MouseEvent& e) override;
  // Every press counts, however quickly it follows the last.
  void OnDoubleClick(const ui::MouseEvent& e) override { OnMouseDown(e); }
  bool OnKeyDown(const ui::KeyEvent& e) override;
  bool OnKeyUp(const ui::KeyEvent& e) override;
  void OnChar(char32_t ch, ui::ShiftState shift) override;
  void OnResize() override;
  void OnMouseLeave() override { left_ = true; }

 private:
  void Click();
  // A press on the box, its glyph or its caption.
  void Down(forms::MouseArgs& args);
  // A move over the box, arriving on window `part` (the box, its glyph or its caption).
  void MoveOver(forms::MouseArgs& args, ui::Hwnd part);
  // Notes the platform's leave notification of a part and takes its double clicks as presses.
  void Watch(ui::Window& part);
  void Up(forms::MouseArgs& args);
  void Tick();
  // Puts the model's glyph and caption colour on screen.
  void Show();
  CheckEvents Events();

  CheckModel model_;
  forms::FontSpec font_;
  forms::EventTable inner_;  // receives the events of p, lbl and Timer1
  std::unique_ptr<forms::PictureBox> p_;
  std::unique_ptr<forms::Label> lbl_;  // shows disabled by its colour alone
  std::unique_ptr<forms::TimerControl> timer_;
  // The window last moved over told us the pointer left it and no move has come since. The
  // poll alone misses a pointer that leaves the whole window, whose last position stays put.
  bool left_ = false;
  bool laying_out_ = false;
};

}  // namespace kes::fields

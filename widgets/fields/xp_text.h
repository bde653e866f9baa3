// xpText: the numeric entry field. A one-pixel border around a borderless single-line edit
// field `TxtSpin`, always 330 twips high and at least 400 wide, with a numeric view of its
// text (`Value`).
//
// Events to the holder (the array index first for control arrays):
//   Change: the text changed, by typing or from code (`SetText`, `SetValue`). Assigning the
//     text the field already holds changes nothing and raises nothing. While the stored
//     settings load, the holder is not told: its window is still being made.
//   KeyPress (forms::KeyPressArgs): a typed character before it goes in; the holder may set
//     `key_ascii` to 0 to swallow it (no Change follows) or to another character to replace it.
//   GotFocus / LostFocus come from the form, as for every control.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/forms/control.h"
#include "platform/forms/edit_field.h"
#include "platform/forms/event_table.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/values.h"
#include "widgets/fields/text_border.h"
#include "widgets/fields/text_layout.h"

namespace kes::fields {

class XpText : public forms::Control {
 public:
  explicit XpText(const forms::ControlSite& site);
  ~XpText() override;
  XpText(const XpText&) = delete;
  XpText& operator=(const XpText&) = delete;

  std::string_view Kind() const override { return "xpText"; }
  void InitProperties() override;
  void ReadProperties(const forms::PropertyBag& bag) override;
  void WriteProperties(forms::PropertyBag& bag) const override;

  // Own enabled state, then the edit field's, then the border colour.
  void SetEnabled(bool v) override;
  bool Locked() const;
  void SetLocked(bool v);
  std::string Text() const;
  void SetText(std::string_view utf8);
  // The text read by the leading-number rules (never fails; no number reads 0).
  double Value() const;
  // Shows the number in its general form (up to 15 significant digits).
  void SetValue(double v);
  double LargeChange() const { return large_change_; }
  void SetLargeChange(double v);
  const forms::FontSpec& Font() const;
  void SetFont(const forms::FontSpec& font);

  // The focus goes to the edit field, caret and all.
  void SetFocus() override;

  TextBorder Border() const { return border_; }
  forms::EditField& Edit() { return *edit_; }
  const forms::EditField& Edit() const { return *edit_; }
  // Lays the control and its edit field out again from the current width and font.
  void Layout();

 protected:
  void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty) override;
  void OnResize() override;
  // A press on the margin around the edit field focuses the field, as a press inside it would.
  void OnMouseDown(const ui::MouseEvent& e) override;

 private:
  forms::EventTable inner_;  // receives TxtSpin's events
  std::unique_ptr<forms::EditField> edit_;
  TextBorder border_ = TextBorder::Designed;
  double large_change_ = 1;
  double stored_value_ = 0;
  std::int16_t decimal_ = 0;
  bool quiet_ = true;  // holds back Change while the control is made and loaded
  bool laying_out_ = false;
};

}  // namespace kes::fields

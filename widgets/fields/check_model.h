// The check box's state: value, looks, caption colour, layout and the pointer state machine.
// Plain data and rules only; the control wires it to its picture, label and timer.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/forms/events.h"

namespace kes::fields {

// The four looks of each value, in the order of the glyph sheet.
enum class CheckLook { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };

// Glyph index 4 x value + look, or -1 for a value that has no glyph (anything but 0, 1, 2).
int CheckGlyphIndex(std::int32_t value, CheckLook look);

// Caption colour of a disabled box.
inline constexpr std::uint32_t kCheckDisabledCaption = 0x0092A1A1;
// Default back colour of a newly placed box: the system button face.
inline constexpr std::uint32_t kCheckDefaultBack = 0x8000000F;
// Interval of the pointer-polling timer, in milliseconds.
inline constexpr int kCheckPollMs = 10;

// Where the glyph and the caption sit, in twips from the control's top left.
struct CheckLayout {
  int glyph_left = 0;
  int glyph_top = 0;
  int glyph_width = 195;
  int glyph_height = 195;
  int caption_left = 240;
  int caption_top = 0;
};

// Lays the box out for a control `height` twips high whose caption is `caption_height` twips high.
CheckLayout LayOutCheck(double height, double caption_height);

// Mouse arguments as the holder receives them (by reference, so a handler may change them):
// button bits 1 left, 2 right, 4 middle; x and y in pixels from the control's top left.
using CheckMouse = forms::MouseArgs;

// What the box raises to its holder while the model runs; unset slots are skipped.
struct CheckEvents {
  std::function<void()> click;
  std::function<void()> mouse_out;
  std::function<void(CheckMouse&)> mouse_down;
  std::function<void(CheckMouse&)> mouse_move;
  std::function<void(CheckMouse&)> mouse_up;
};

class CheckModel {
 public:
  CheckModel();

  // Value 0 unchecked, 1 checked, 2 grayed; other values are kept but show no new glyph.
  std::int32_t Value() const { return value_; }
  void SetValue(std::int32_t value);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  std::uint32_t ForeColor() const { return fore_; }
  void SetForeColor(std::uint32_t colour) { fore_ = colour; }
  std::uint32_t BackColor() const { return back_; }
  void SetBackColor(std::uint32_t colour) { back_ = colour; }

  // The colour the caption is drawn in now.
  std::uint32_t CaptionColor() const { return enabled_ ? fore_ : kCheckDisabledCaption; }

  // The glyph on screen now (0 to 11).
  int Glyph() const { return glyph_; }

  // Whether the polling timer runs; it runs from creation.
  bool Polling() const { return polling_; }

  // Size of the control's inner area in pixels, for the inside tests.
  void SetInnerSize(int width, int height) {
    width_ = width;
    height_ = height;
  }

  // A left click on the box, its glyph or its caption.
  void Click(const CheckEvents& events);
  void MouseDown(CheckMouse& args, const CheckEvents& events);
  void MouseMove(CheckMouse& args, const CheckEvents& events);
  void MouseUp(CheckMouse& args, const CheckEvents& events);
  // One tick of the polling timer, with the pointer at (x, y) in the control's pixels.
  void Tick(int x, int y, const CheckEvents& events);
  // The platform says the pointer left the box: the same as a tick that finds it outside.
  void PointerLeft(const CheckEvents& events) { Tick(-1, -1, events); }

 private:
  void Show(CheckLook look);
  void ShowResting() { Show(enabled_ ? CheckLook::Normal : CheckLook::Disabled); }
  bool Inside(double x, double y) const { return x >= 0 && y >= 0 && x <= width_ && y <= height_; }

  std::int32_t value_ = 0;
  bool enabled_ = true;
  std::uint32_t fore_ = 0;
  std::uint32_t back_ = 0;
  int glyph_ = 0;
  bool polling_ = true;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace kes::fields

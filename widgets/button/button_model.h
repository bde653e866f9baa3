#pragma once
// The button's behaviour: its properties, drawing state and flags, and how input,
// focus and activation move them. Everything it needs of its window goes through
// ButtonHost, and everything it tells its holder through ButtonEvents, so the whole
// state machine runs without a window.

#include <cstdint>
#include <string>

#include "platform/forms/values.h"
#include "widgets/button/button_properties.h"

namespace kes::button {

enum class DrawState : int { Normal = 0, Hot = 1, Down = 2 };

// The mouse button and key numbers the events carry.
inline constexpr std::int16_t kLeft = 1;
inline constexpr std::int16_t kShiftAlt = 4;
inline constexpr std::int16_t kKeyEnter = 13;
inline constexpr std::int16_t kKeyEscape = 27;
inline constexpr std::int16_t kKeySpace = 32;
inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyUp = 38;
inline constexpr std::int16_t kKeyRight = 39;
inline constexpr std::int16_t kKeyDown = 40;

// What the behaviour asks of the control's window.
class ButtonHost {
 public:
  virtual ~ButtonHost() = default;
  // Paints the current look now (the model has already settled the state).
  virtual void Paint() = 0;
  // Rebuilds the window shape of the current look.
  virtual void RebuildShape() = 0;
  // Raises the control to its minimum size.
  virtual void EnforceMinimumSize() = 0;
  // Inner width and height in pixels.
  virtual int InnerWidth() const = 0;
  virtual int InnerHeight() const = 0;
  virtual void EnableWindow(bool enabled) = 0;
  // Asks for one mouse-leave notification.
  virtual void TrackMouseLeave() = 0;
  // Whether the window under the point (x, y) of the control is this control.
  virtual bool PointerOverWindow(float x, float y) const = 0;
  virtual void ShowHandCursor() = 0;
  // Hands MousePointer and MouseIcon to the window.
  virtual void UpdatePointer() = 0;
  virtual void TakeFocus() = 0;
  virtual bool HasCapture() const = 0;
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  // Moves the focus to the next (or previous) control in tab order.
  virtual void MoveFocus(bool forward) = 0;
  // Lets pending events run.
  virtual void DoEvents() = 0;
};

// The events the button raises to its holder, in declaration order.
class ButtonEvents {
 public:
  virtual ~ButtonEvents() = default;
  virtual void Click() {}
  virtual void DblClick() {}
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void MouseMove(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void MouseUp(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void MouseDown(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void KeyDown(std::int16_t /*key_code*/, std::int16_t /*shift*/) {}
  virtual void KeyUp(std::int16_t /*key_code*/, std::int16_t /*shift*/) {}
  // Declared for holders that expect it; the button never raises it.
  virtual void KeyPress(std::int16_t /*key_ascii*/) {}
};

class ButtonModel {
 public:
  ButtonModel(ButtonHost& host, ButtonEvents& events, ButtonProperties props);

  const ButtonProperties& properties() const { return props_; }
  DrawState state() const { return state_; }
  char32_t access_key() const { return access_key_; }
  bool pointer_over() const { return pointer_over_; }
  bool left_down() const { return left_down_; }
  bool space_down() const { return space_down_; }
  bool has_focus() const { return has_focus_; }
  bool form_active() const { return form_active_; }
  bool is_default() const { return is_default_; }
  int inner_width() const { return inner_w_; }
  int inner_height() const { return inner_h_; }

  // Takes freshly read stored settings as they are, without any of the property writes' effects.
  void LoadProperties(ButtonProperties props);

  // Settles the state for a toggled-on button and paints.
  void Redraw();
  // The control was resized: minimum size, shape, redraw.
  void Resize();
  // After the stored settings were read: access key, enabled state, size.
  void Loaded();

  // ---- Property writes ----
  // False (and nothing changes) for a look outside 0..15.
  bool SetButtonStyle(std::int32_t style);
  void SetBackColor(forms::OleColor c);
  void SetForeColor(forms::OleColor c);
  void SetCaption(std::string caption);
  void SetCaptionAlign(std::int32_t align);
  void SetFont(const forms::FontSpec& font);
  void SetEnabled(bool enabled);
  void SetCheckBoxMode(bool on);
  void SetValue(bool value);
  void SetShowFocusRect(bool on);
  void SetHandPointer(bool on);
  void SetMousePointer(std::int16_t pointer);
  void SetMouseIcon(forms::PictureRef icon);
  void SetPicture(forms::PictureRef picture);
  void SetPictureHover(forms::PictureRef picture);
  void SetPictureAlign(std::int32_t align);
  void SetPictureSize(std::int32_t size);
  void SetUseMaskColor(bool on);
  void SetMaskColor(forms::OleColor c);

  // ---- Messages the hook delivers ----
  void OnHookMouseMove();
  void OnHookMouseLeave();
  // The owning form was activated (true) or deactivated.
  void OnFormActivate(bool active);

  // ---- Input of the control window ----
  void OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
  void OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  void OnDblClick();
  void OnKeyDown(std::int16_t key_code, std::int16_t shift);
  void OnKeyUp(std::int16_t key_code, std::int16_t shift);
  // The host's access, default or cancel key, with the key's character.
  void OnAccessKeyPress(std::int16_t key_ascii);
  void OnGotFocus();
  void OnLostFocus();
  // The container's ambient property `name` changed; is_default is its default-button flag.
  void OnAmbientChanged(const std::string& name, bool is_default);

 private:
  void FlipValue() { SetValue(!props_.value); }

  ButtonHost& host_;
  ButtonEvents& events_;
  ButtonProperties props_;
  DrawState state_ = DrawState::Normal;
  char32_t access_key_ = 0;
  bool pointer_over_ = false;
  bool left_down_ = false;
  bool space_down_ = false;
  bool has_focus_ = false;
  bool form_active_ = false;
  bool is_default_ = false;
  // Whether the capture was taken for a held Space, so its release gives it back.
  bool space_captured_ = false;
  int inner_w_ = 0;
  int inner_h_ = 0;
  // The last mouse-down, repeated by a double click.
  std::int16_t last_button_ = 0;
  std::int16_t last_shift_ = 0;
  float last_x_ = 0;
  float last_y_ = 0;
};

}  // namespace kes::button

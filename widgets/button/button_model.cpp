#include "widgets/button/button_model.h"

#include <utility>

#include "platform/forms/property_bag.h"
#include "widgets/button/access_key.h"
#include "widgets/button/button_style.h"

namespace kes::button {

ButtonModel::ButtonModel(ButtonHost& host, ButtonEvents& events, ButtonProperties props)
    : host_(host), events_(events), props_(std::move(props)) {
  access_key_ = AccessKey(props_.caption);
}

void ButtonModel::LoadProperties(ButtonProperties props) {
  props_ = std::move(props);
  access_key_ = AccessKey(props_.caption);
}

void ButtonModel::Redraw() {
  inner_w_ = host_.InnerWidth();
  inner_h_ = host_.InnerHeight();
  const std::int32_t s = props_.button_style;
  if (props_.check_box_mode && props_.value && s != 0 && s != 3 && s != 9) state_ = DrawState::Down;
  host_.Paint();
}

void ButtonModel::Resize() {
  host_.EnforceMinimumSize();
  host_.RebuildShape();
  Redraw();
}

void ButtonModel::Loaded() {
  host_.EnableWindow(props_.enabled);
  access_key_ = AccessKey(props_.caption);
  host_.UpdatePointer();
  Resize();
}

// ---- Property writes ----

bool ButtonModel::SetButtonStyle(std::int32_t style) {
  if (!IsValidStyle(style)) return false;
  props_.button_style = style;
  const StyleColours c = StyleDefaults(style);
  props_.back_color = c.back_color;
  props_.fore_color = c.fore_color;
  props_.show_focus_rect = c.show_focus_rect;
  host_.RebuildShape();
  Redraw();
  return true;
}

void ButtonModel::SetBackColor(forms::OleColor c) {
  props_.back_color = c;
  Redraw();
}

void ButtonModel::SetForeColor(forms::OleColor c) {
  props_.fore_color = c;
  Resize();
}

void ButtonModel::SetCaption(std::string caption) {
  props_.caption = std::move(caption);
  access_key_ = AccessKey(props_.caption);
  Redraw();
}

void ButtonModel::SetCaptionAlign(std::int32_t align) {
  props_.caption_align = align;
  Redraw();
}

void ButtonModel::SetFont(const forms::FontSpec& font) {
  props_.font = font;
  Redraw();
}

void ButtonModel::SetEnabled(bool enabled) {
  props_.enabled = enabled;
  host_.EnableWindow(enabled);
  Redraw();
}

void ButtonModel::SetCheckBoxMode(bool on) {
  props_.check_box_mode = on;
  if (!on) state_ = DrawState::Normal;
  Redraw();
}

void ButtonModel::SetValue(bool value) {
  if (props_.check_box_mode) {
    props_.value = value;
    if (!value) state_ = DrawState::Normal;
  } else {
    state_ = DrawState::Normal;
  }
  Redraw();
}

void ButtonModel::SetShowFocusRect(bool on) { props_.show_focus_rect = on; }

void ButtonModel::SetHandPointer(bool on) { props_.hand_pointer = on; }

void ButtonModel::SetMousePointer(std::int16_t pointer) {
  props_.mouse_pointer = pointer;
  host_.UpdatePointer();
}

void ButtonModel::SetMouseIcon(forms::PictureRef icon) {
  props_.mouse_icon = std::move(icon);
  props_.mouse_pointer = props_.mouse_icon.empty() ? kPointerDefault : kPointerCustom;
  host_.UpdatePointer();
}

void ButtonModel::SetPicture(forms::PictureRef picture) {
  props_.picture = std::move(picture);
  if (props_.picture.empty())
    Resize();
  else
    Redraw();
}

void ButtonModel::SetPictureHover(forms::PictureRef picture) {
  props_.picture_hover = std::move(picture);
  if (props_.picture.empty()) props_.picture = props_.picture_hover;
  if (props_.picture_hover.empty())
    Resize();
  else
    Redraw();
}

void ButtonModel::SetPictureAlign(std::int32_t align) {
  props_.picture_align = align;
  if (!props_.picture.empty()) Redraw();
}

void ButtonModel::SetPictureSize(std::int32_t size) {
  props_.picture_size = size;
  Redraw();
}

void ButtonModel::SetUseMaskColor(bool on) {
  props_.use_mask_color = on;
  if (!props_.picture.empty()) Redraw();
}

void ButtonModel::SetMaskColor(forms::OleColor c) {
  props_.mask_color = c;
  Redraw();
}

// ---- Messages the hook delivers ----

void ButtonModel::OnHookMouseMove() {
  if (pointer_over_) return;
  pointer_over_ = true;
  host_.TrackMouseLeave();
  if (!space_down_) state_ = DrawState::Hot;
  Redraw();
  events_.MouseEnter();
}

void ButtonModel::OnHookMouseLeave() {
  pointer_over_ = false;
  if (space_down_) return;
  if (props_.enabled) state_ = DrawState::Normal;
  Redraw();
  events_.MouseLeave();
}

void ButtonModel::OnFormActivate(bool active) {
  if (!active) {
    left_down_ = false;
    space_down_ = false;
    has_focus_ = false;
    if (space_captured_ && host_.HasCapture()) host_.ReleaseCapture();
    space_captured_ = false;
  }
  form_active_ = active;
  state_ = DrawState::Normal;
  Redraw();
}

// ---- Input of the control window ----

void ButtonModel::OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  last_button_ = button;
  last_shift_ = shift;
  last_x_ = x;
  last_y_ = y;
  if (props_.hand_pointer) host_.ShowHandCursor();
  if (button != kLeft) return;
  host_.TakeFocus();
  has_focus_ = true;
  left_down_ = true;
  if (pointer_over_) state_ = DrawState::Down;
  Redraw();
  events_.MouseDown(button, shift, x, y);
}

void ButtonModel::OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  if (!host_.PointerOverWindow(x, y)) {
    pointer_over_ = false;
    events_.MouseLeave();
  }
  host_.TrackMouseLeave();
  if (pointer_over_) {
    if (props_.hand_pointer) host_.ShowHandCursor();
    if (left_down_)
      state_ = DrawState::Down;
    else if (!space_down_)
      state_ = DrawState::Hot;
    Redraw();
  }
  events_.MouseMove(button, shift, x, y);
}

void ButtonModel::OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  if (props_.hand_pointer) host_.ShowHandCursor();
  if (button == kLeft) {
    left_down_ = false;
    if (x > 0 && x < static_cast<float>(inner_w_) && y > 0 && y < static_cast<float>(inner_h_)) {
      if (props_.check_box_mode) FlipValue();
      Redraw();
      events_.Click();
    }
  }
  events_.MouseUp(button, shift, x, y);
}

void ButtonModel::OnDblClick() {
  if (props_.hand_pointer) host_.ShowHandCursor();
  if (last_button_ != kLeft) return;
  host_.SetCapture();
  state_ = DrawState::Down;
  Redraw();
  OnMouseDown(last_button_, last_shift_, last_x_, last_y_);
  events_.DblClick();
}

void ButtonModel::OnKeyDown(std::int16_t key_code, std::int16_t shift) {
  switch (key_code) {
    case kKeyEnter:
      events_.Click();
      break;
    case kKeySpace:
      if (left_down_) break;
      // Alt+Space belongs to the window's system menu.
      if (shift == kShiftAlt) return;
      space_down_ = true;
      if (props_.check_box_mode) {
        FlipValue();
      } else {
        state_ = DrawState::Down;
        Redraw();
      }
      if (!host_.HasCapture()) {
        host_.SetCapture();
        space_captured_ = true;
      }
      break;
    case kKeyLeft:
    case kKeyUp:
      host_.MoveFocus(false);
      break;
    case kKeyRight:
    case kKeyDown:
      host_.MoveFocus(true);
      break;
    default:
      break;
  }
  events_.KeyDown(key_code, shift);
}

void ButtonModel::OnKeyUp(std::int16_t key_code, std::int16_t shift) {
  if (key_code != kKeySpace) return;
  // A release whose press this button never took (Alt+Space, or Space pressed
  // in another control) must not click it.
  if (space_down_ || left_down_) {
    if (!pointer_over_) {
      state_ = DrawState::Normal;
      Redraw();
      events_.Click();
    } else if (left_down_) {
      state_ = DrawState::Down;
      Redraw();
    } else {
      state_ = DrawState::Hot;
      Redraw();
      events_.Click();
    }
  }
  events_.KeyUp(key_code, shift);
  space_down_ = false;
  left_down_ = false;
  // The capture taken for Space would otherwise send every later click to this button.
  if (space_captured_ && host_.HasCapture()) host_.ReleaseCapture();
  space_captured_ = false;
}

void ButtonModel::OnAccessKeyPress(std::int16_t key_ascii) {
  if (!props_.enabled) return;
  if (space_down_) {
    space_down_ = false;
    left_down_ = false;
  }
  if (props_.check_box_mode) {
    if (key_ascii == kKeyEscape || key_ascii == kKeyEnter) return;
    FlipValue();
  }
  host_.DoEvents();
  events_.Click();
}

void ButtonModel::OnGotFocus() {
  has_focus_ = true;
  if (pointer_over_)
    state_ = DrawState::Hot;
  else if (!left_down_)
    state_ = DrawState::Normal;
  // Without this the focus rectangle would wait for the next unrelated repaint.
  Redraw();
}

void ButtonModel::OnLostFocus() {
  has_focus_ = false;
  left_down_ = false;
  space_down_ = false;
  if (space_captured_ && host_.HasCapture()) host_.ReleaseCapture();
  space_captured_ = false;
  state_ = form_active_ && pointer_over_ ? DrawState::Hot : DrawState::Normal;
  Redraw();
}

void ButtonModel::OnAmbientChanged(const std::string& name, bool is_default) {
  is_default_ = is_default;
  if (forms::equal_names(name, "DisplayAsDefault") || forms::equal_names(name, "BackColor")) Redraw();
}

}  // namespace kes::button

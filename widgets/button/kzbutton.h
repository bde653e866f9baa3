// kzbutton: the multi-style push button. It paints one of sixteen looks, follows the pointer
// through the message hook (enter, leave, activation of its form), can act as a toggle
// (CheckBoxMode) and raises its events to the holder:
//   Click, DblClick, MouseEnter, MouseLeave, MouseMove / MouseUp / MouseDown (forms::MouseArgs),
//   KeyDown / KeyUp (forms::KeyArgs); KeyPress is declared but never raised.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/forms/control.h"
#include "platform/forms/control_factory.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/values.h"
#include "platform/gfx/font.h"
#include "platform/gfx/surface.h"
#include "widgets/button/button_model.h"
#include "widgets/button/button_painter.h"
#include "widgets/hook/mouse_leave.h"
#include "widgets/hook/simple_subclasser.h"

namespace kes::button {

inline constexpr const char* kMouseEnter = "MouseEnter";
inline constexpr const char* kMouseLeave = "MouseLeave";

// The smallest width and height, in the container's twips.
inline constexpr double kMinimumTwips = 220;

class KzButton : public forms::Control, ButtonHost, ButtonEvents, hook::SimpleOwner {
 public:
  explicit KzButton(const forms::ControlSite& site);
  ~KzButton() override;
  KzButton(const KzButton&) = delete;
  KzButton& operator=(const KzButton&) = delete;

  std::string_view Kind() const override { return "kzbutton"; }
  void InitProperties() override;
  void ReadProperties(const forms::PropertyBag& bag) override;
  void WriteProperties(forms::PropertyBag& bag) const override;

  // ---- properties ----
  const ButtonModel& Model() const { return model_; }
  const ButtonProperties& Properties() const { return model_.properties(); }
  std::int32_t ButtonStyle() const { return Properties().button_style; }
  bool SetButtonStyle(std::int32_t style) { return model_.SetButtonStyle(style); }
  forms::OleColor BackColor() const { return Properties().back_color; }
  void SetBackColor(forms::OleColor c) { model_.SetBackColor(c); }
  forms::OleColor ForeColor() const { return Properties().fore_color; }
  void SetForeColor(forms::OleColor c) { model_.SetForeColor(c); }
  const std::string& Caption() const { return Properties().caption; }
  void SetCaption(std::string caption) { model_.SetCaption(std::move(caption)); }
  std::int32_t CaptionAlign() const { return Properties().caption_align; }
  void SetCaptionAlign(std::int32_t a) { model_.SetCaptionAlign(a); }
  const forms::FontSpec& Font() const { return Properties().font; }
  void SetFont(const forms::FontSpec& f);
  void SetEnabled(bool v) override { model_.SetEnabled(v); }
  bool CheckBoxMode() const { return Properties().check_box_mode; }
  void SetCheckBoxMode(bool on) { model_.SetCheckBoxMode(on); }
  bool Value() const { return Properties().value; }
  void SetValue(bool v) { model_.SetValue(v); }
  bool ShowFocusRect() const { return Properties().show_focus_rect; }
  void SetShowFocusRect(bool on) { model_.SetShowFocusRect(on); }
  bool HandPointer() const { return Properties().hand_pointer; }
  void SetHandPointer(bool on) {
    model_.SetHandPointer(on);
    hand_loaded_ = on;
  }
  std::int16_t MousePointer() const { return Properties().mouse_pointer; }
  void SetMousePointer(std::int16_t p) { model_.SetMousePointer(p); }
  void SetMouseIcon(forms::PictureRef icon) { model_.SetMouseIcon(std::move(icon)); }
  void SetPicture(forms::PictureRef p);
  void SetPictureHover(forms::PictureRef p);
  void SetPictureAlign(std::int32_t a) { model_.SetPictureAlign(a); }
  void SetPictureSize(std::int32_t s) { model_.SetPictureSize(s); }
  void SetUseMaskColor(bool on) { model_.SetUseMaskColor(on); }
  void SetMaskColor(forms::OleColor c) { model_.SetMaskColor(c); }
  ui::Hwnd hWnd() const { return hwnd(); }
  DrawState State() const { return model_.state(); }
  // Whether the hooks are in place (mouse-leave tracking was found).
  bool Hooked() const { return hooked_; }

  // Shows the information box about the control.
  void About() const;

  // ---- the form's view ----
  std::u32string AccessKeys() const override;
  void OnAccessKey(char32_t key) override;
  bool WantsKey(ui::KeyCode key) const override;
  void OnAmbientChanged(std::string_view property) override;

  // The hook's callback for the control's window and its form's.
  void zSubclass_Proc(bool bBefore, bool& bHandled, ui::LResult& lReturn, ui::Hwnd& lng_hWnd, ui::Message& uMsg,
                      ui::WParam& wParam, ui::LParam& lParam) override;

  // What the next paint would draw (tests and the gallery read it).
  PaintInputs CurrentPaintInputs() const;

 protected:
  void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty) override;
  void OnMouseDown(const ui::MouseEvent& e) override;
  void OnMouseMove(const ui::MouseEvent& e) override;
  void OnMouseUp(const ui::MouseEvent& e) override;
  void OnDoubleClick(const ui::MouseEvent& e) override;
  bool OnKeyDown(const ui::KeyEvent& e) override;
  bool OnKeyUp(const ui::KeyEvent& e) override;
  void OnFocusIn() override;
  void OnFocusOut() override;
  void OnResize() override;
  void OnDestroy() override;

 private:
  // ButtonHost
  void Paint() override;
  void RebuildShape() override;
  void EnforceMinimumSize() override;
  int InnerWidth() const override { return ScaleWidth(); }
  int InnerHeight() const override { return ScaleHeight(); }
  void EnableWindow(bool enabled) override;
  void TrackMouseLeave() override;
  bool PointerOverWindow(float x, float y) const override;
  void ShowHandCursor() override;
  void UpdatePointer() override;
  void TakeFocus() override;
  bool HasCapture() const override;
  void SetCapture() override;
  void ReleaseCapture() override;
  void MoveFocus(bool forward) override;
  void DoEvents() override;

  // ButtonEvents
  void Click() override;
  void DblClick() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;
  void MouseUp(std::int16_t button, std::int16_t shift, float x, float y) override;
  void MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
  void KeyDown(std::int16_t key_code, std::int16_t shift) override;
  void KeyUp(std::int16_t key_code, std::int16_t shift) override;

  // After the stored settings are in: window state, size, and at run time the hooks.
  void Start();
  void LoadPictures();
  void Unhook();

  ButtonModel model_;
  hook::SimpleSubclasser hook_;
  hook::LeaveTracking tracking_ = hook::LeaveTracking::Unavailable;
  bool hooked_ = false;
  bool hand_loaded_ = false;
  ui::Hwnd form_hwnd_ = 0;
  gfx::Font font_;
  std::shared_ptr<const gfx::Surface> picture_;
  std::shared_ptr<const gfx::Surface> picture_hover_;
  bool resizing_ = false;
};

// Registers the kind "kzbutton" with a factory.
void RegisterKzButton(forms::ControlFactory& factory);

}  // namespace kes::button

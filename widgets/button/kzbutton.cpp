#include "widgets/button/kzbutton.h"

#include <algorithm>

#include "platform/forms/control_factory.h"
#include "platform/forms/events.h"
#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/gfx/canvas.h"
#include "platform/services/message_box.h"
#include "platform/ui/desktop.h"

namespace kes::button {
namespace {

ui::WindowDesc ButtonWindow() {
  ui::WindowDesc d;
  d.double_clicks = true;
  return d;
}

// The pointer shapes MousePointer numbers.
ui::CursorKind PointerKind(std::int16_t pointer) {
  switch (pointer) {
    case 2: return ui::CursorKind::Cross;
    case 3: return ui::CursorKind::IBeam;
    case 5:
    case 15: return ui::CursorKind::SizeAll;
    case 6: return ui::CursorKind::SizeNESW;
    case 7: return ui::CursorKind::SizeNS;
    case 8: return ui::CursorKind::SizeNWSE;
    case 9: return ui::CursorKind::SizeWE;
    case 11:
    case 13: return ui::CursorKind::Wait;
    case 12: return ui::CursorKind::No;
    default: return ui::CursorKind::Arrow;
  }
}

}  // namespace

KzButton::KzButton(const forms::ControlSite& site)
    : Control(site, ButtonWindow()), model_(*this, *this, ButtonProperties{}), hook_(desktop(), *this) {}

KzButton::~KzButton() { Unhook(); }

// A form unloaded from this button's own event keeps the object a while; the hooks go now.
void KzButton::OnDestroy() { Unhook(); }

void KzButton::InitProperties() {
  model_.LoadProperties(NewButtonProperties(GetAmbient().font));
  Start();
}

void KzButton::ReadProperties(const forms::PropertyBag& bag) {
  model_.LoadProperties(button::ReadProperties(bag, GetAmbient().font));
  Start();
}

void KzButton::WriteProperties(forms::PropertyBag& bag) const { button::WriteProperties(Properties(), bag); }

void KzButton::Start() {
  font_ = gfx::Font(Properties().font);
  LoadPictures();
  form_hwnd_ = GetForm() ? GetForm()->hwnd() : desktop().GetTopLevel(hwnd());
  model_.Loaded();
  hand_loaded_ = Properties().hand_pointer;
  // A button made while its form is already active would otherwise wait for the next activation.
  if (form_hwnd_ && desktop().GetActiveWindow() == form_hwnd_) model_.OnFormActivate(true);
  if (hooked_) return;
  tracking_ = hook::DetectLeaveTracking();
  if (tracking_ == hook::LeaveTracking::Unavailable) return;
  // Every registration is in the after phase: the button only watches.
  hook_.sc_Subclass(hwnd());
  hook_.sc_AddMsg(hwnd(), static_cast<std::int32_t>(ui::WM_MOUSEMOVE), hook::MSG_AFTER);
  hook_.sc_AddMsg(hwnd(), static_cast<std::int32_t>(ui::WM_MOUSELEAVE), hook::MSG_AFTER);
  if (form_hwnd_ && form_hwnd_ != hwnd()) {
    // Forms here are never MDI children, so the form's own activation is what counts.
    hook_.sc_Subclass(form_hwnd_);
    hook_.sc_AddMsg(form_hwnd_, static_cast<std::int32_t>(ui::WM_ACTIVATE), hook::MSG_AFTER);
  }
  hooked_ = true;
}

void KzButton::Unhook() {
  if (!hooked_) return;
  if (form_hwnd_) hook_.sc_UnSubclass(form_hwnd_);
  hook_.sc_UnSubclass(hwnd());
  hook_.sc_UnSubclassAll();
  hooked_ = false;
}

void KzButton::LoadPictures() {
  picture_ = forms::LoadPicture(Properties().picture);
  picture_hover_ = forms::LoadPicture(Properties().picture_hover);
}

void KzButton::SetFont(const forms::FontSpec& f) {
  font_ = gfx::Font(f);
  model_.SetFont(f);
}

void KzButton::SetPicture(forms::PictureRef p) {
  model_.SetPicture(std::move(p));
  LoadPictures();
}

void KzButton::SetPictureHover(forms::PictureRef p) {
  model_.SetPictureHover(std::move(p));
  LoadPictures();
}

void KzButton::About() const {
  services::show_message_box(services::MessageIcon::Information, "About",
                             "KZButton\r\nA Multistyle Button Control\r\n\r\nKestrane project");
}

// ---- the form's view ----

std::u32string KzButton::AccessKeys() const {
  char32_t k = model_.access_key();
  if (k == 0) return {};
  if (k >= U'a' && k <= U'z') k -= U'a' - U'A';
  return std::u32string(1, k);
}

void KzButton::OnAccessKey(char32_t key) { model_.OnAccessKeyPress(static_cast<std::int16_t>(key)); }

bool KzButton::WantsKey(ui::KeyCode key) const {
  return key == ui::VK_RETURN || key == ui::VK_SPACE || key == ui::VK_LEFT || key == ui::VK_UP ||
         key == ui::VK_RIGHT || key == ui::VK_DOWN;
}

void KzButton::OnAmbientChanged(std::string_view property) {
  model_.OnAmbientChanged(std::string(property), GetAmbient().display_as_default);
}

void KzButton::zSubclass_Proc(bool, bool&, ui::LResult&, ui::Hwnd& lng_hWnd, ui::Message& uMsg, ui::WParam& wParam,
                              ui::LParam&) {
  if (lng_hWnd == hwnd()) {
    if (uMsg == ui::WM_MOUSEMOVE) model_.OnHookMouseMove();
    if (uMsg == ui::WM_MOUSELEAVE) model_.OnHookMouseLeave();
  } else if (lng_hWnd == form_hwnd_ && (uMsg == ui::WM_ACTIVATE || uMsg == ui::WM_NCACTIVATE)) {
    model_.OnFormActivate(ui::LoWord(wParam) != ui::WA_INACTIVE);
  }
}

// ---- painting ----

PaintInputs KzButton::CurrentPaintInputs() const {
  const ButtonProperties& p = Properties();
  PaintInputs in;
  in.style = p.button_style;
  in.state = model_.state();
  in.enabled = p.enabled;
  in.back_color = p.back_color;
  in.fore_color = p.fore_color;
  in.caption = p.caption;
  in.caption_align = p.caption_align;
  in.form_active = model_.form_active();
  in.show_focus_rect = p.show_focus_rect;
  in.has_focus = model_.has_focus();
  in.is_default = model_.is_default();
  in.picture = picture_.get();
  in.picture_hover = picture_hover_.get();
  in.picture_size = p.picture_size;
  in.picture_align = p.picture_align;
  in.use_mask_color = p.use_mask_color;
  in.mask_color = p.mask_color;
  in.container_back = GetAmbient().back_color;
  return in;
}

void KzButton::OnPaint(gfx::Canvas& canvas, gfx::Rect) {
  PaintButton(canvas, ScaleWidth(), ScaleHeight(), CurrentPaintInputs(), font_);
}

// ---- input ----

void KzButton::OnMouseDown(const ui::MouseEvent& e) {
  // A press keeps the pointer's messages until the release, wherever the pointer goes.
  if (!HasCapture()) SetCapture();
  model_.OnMouseDown(static_cast<std::int16_t>(e.button), static_cast<std::int16_t>(e.shift),
                     static_cast<float>(e.pos.x), static_cast<float>(e.pos.y));
}

void KzButton::OnMouseMove(const ui::MouseEvent& e) {
  model_.OnMouseMove(static_cast<std::int16_t>(e.buttons), static_cast<std::int16_t>(e.shift),
                     static_cast<float>(e.pos.x), static_cast<float>(e.pos.y));
}

void KzButton::OnMouseUp(const ui::MouseEvent& e) {
  if (e.buttons == 0 && HasCapture()) ReleaseCapture();
  model_.OnMouseUp(static_cast<std::int16_t>(e.button), static_cast<std::int16_t>(e.shift),
                   static_cast<float>(e.pos.x), static_cast<float>(e.pos.y));
}

void KzButton::OnDoubleClick(const ui::MouseEvent&) { model_.OnDblClick(); }

bool KzButton::OnKeyDown(const ui::KeyEvent& e) {
  model_.OnKeyDown(static_cast<std::int16_t>(e.key), static_cast<std::int16_t>(e.shift));
  return WantsKey(e.key) && e.shift != kShiftAlt;
}

bool KzButton::OnKeyUp(const ui::KeyEvent& e) {
  model_.OnKeyUp(static_cast<std::int16_t>(e.key), static_cast<std::int16_t>(e.shift));
  return e.key == ui::VK_SPACE;
}

void KzButton::OnFocusIn() { model_.OnGotFocus(); }
void KzButton::OnFocusOut() { model_.OnLostFocus(); }

void KzButton::OnResize() {
  if (resizing_) return;
  resizing_ = true;
  model_.Resize();
  resizing_ = false;
}

// ---- ButtonHost ----

void KzButton::Paint() { Invalidate(); }

void KzButton::RebuildShape() {
  desktop().SetWindowRgn(hwnd(), ButtonShape(Properties().button_style, ScaleWidth(), ScaleHeight()));
}

void KzButton::EnforceMinimumSize() {
  const double w = std::max(Width(), kMinimumTwips), h = std::max(Height(), kMinimumTwips);
  if (w != Width() || h != Height()) Move(Left(), Top(), w, h);
}

void KzButton::EnableWindow(bool enabled) { Control::SetEnabled(enabled); }

void KzButton::TrackMouseLeave() { hook::TrackMouseLeave(desktop(), tracking_, hwnd()); }

bool KzButton::PointerOverWindow(float x, float y) const {
  // The move's own point, so the answer agrees with the message whatever the backend's pointer says.
  ui::Desktop& d = desktop();
  const gfx::Point screen = d.ClientToScreen(hwnd(), {static_cast<int>(x), static_cast<int>(y)});
  return d.WindowFromPoint(screen) == hwnd();
}

void KzButton::ShowHandCursor() {
  if (hand_loaded_) desktop().SetCursor(ui::Cursor::Stock(ui::CursorKind::Hand));
}

void KzButton::UpdatePointer() {
  const ButtonProperties& p = Properties();
  ui::Cursor c = ui::Cursor::Stock(PointerKind(p.mouse_pointer));
  if (p.mouse_pointer == kPointerCustom) {
    if (auto icon = forms::LoadPicture(p.mouse_icon)) c = ui::Cursor::FromImage(*icon, {0, 0});
  }
  desktop().SetWindowCursor(hwnd(), c);
}

void KzButton::TakeFocus() { Control::SetFocus(); }
bool KzButton::HasCapture() const { return desktop().GetCapture() == hwnd(); }
void KzButton::SetCapture() { desktop().SetCapture(hwnd()); }
void KzButton::ReleaseCapture() { desktop().ReleaseCapture(); }

void KzButton::MoveFocus(bool forward) {
  if (GetForm()) GetForm()->SelectNext(forward);
}

void KzButton::DoEvents() { desktop().DoEvents(); }

// ---- ButtonEvents: raised to the holder ----

void KzButton::Click() { Raise(forms::kClick); }
void KzButton::DblClick() { Raise(forms::kDblClick); }
void KzButton::MouseEnter() { Raise(kMouseEnter); }
void KzButton::MouseLeave() { Raise(kMouseLeave); }

void KzButton::MouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  forms::MouseArgs a{button, shift, x, y};
  Raise(forms::kMouseMove, a);
}

void KzButton::MouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  forms::MouseArgs a{button, shift, x, y};
  Raise(forms::kMouseUp, a);
}

void KzButton::MouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  forms::MouseArgs a{button, shift, x, y};
  Raise(forms::kMouseDown, a);
}

void KzButton::KeyDown(std::int16_t key_code, std::int16_t shift) {
  forms::KeyArgs a{key_code, shift};
  Raise(forms::kKeyDown, a);
}

void KzButton::KeyUp(std::int16_t key_code, std::int16_t shift) {
  forms::KeyArgs a{key_code, shift};
  Raise(forms::kKeyUp, a);
}

void RegisterKzButton(forms::ControlFactory& factory) { factory.Register<KzButton>("kzbutton"); }

}  // namespace kes::button

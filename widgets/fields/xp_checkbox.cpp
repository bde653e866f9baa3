#include "widgets/fields/xp_checkbox.h"

#include <memory>
#include <utility>

#include "platform/forms/events.h"
#include "platform/gfx/color.h"
#include "platform/ui/desktop.h"
#include "platform/ui/message.h"
#include "widgets/fields/check_bitmaps.h"
#include "widgets/fields/check_settings.h"

namespace kes::fields {

namespace {

forms::MouseArgs ArgsOf(const ui::MouseEvent& e, bool move) {
  forms::MouseArgs a;
  a.button = static_cast<std::int16_t>(move ? e.buttons : e.button);
  a.shift = static_cast<std::int16_t>(e.shift);
  a.x = static_cast<float>(e.pos.x);
  a.y = static_cast<float>(e.pos.y);
  return a;
}

ui::WindowDesc ContainerLook() {
  ui::WindowDesc desc;
  desc.background = 0;  // black until the stored back colour is applied
  return desc;
}

}  // namespace

XpCheckbox::XpCheckbox(const forms::ControlSite& site) : forms::Control(site, ContainerLook()) {
  font_ = GetAmbient().font;
  p_ = std::make_unique<forms::PictureBox>(forms::ControlSite::Inside(*this, &inner_, "p", {0, 0, 195, 195}));
  p_->SetBorderStyle(0);
  lbl_ = std::make_unique<forms::Label>(forms::ControlSite::Inside(*this, &inner_, "lbl", {240, 0, 0, 0}));
  lbl_->SetBackStyle(0);
  lbl_->SetAutoSize(true);
  lbl_->SetFont(font_);
  timer_ = std::make_unique<forms::TimerControl>(forms::ControlSite::Inside(*this, &inner_, "Timer1", {}));
  timer_->SetInterval(kCheckPollMs);

  // The glyph and the caption take the pointer on a press and report a click only for the
  // release that ends it, so a press made elsewhere never toggles the box.
  inner_.On("p", forms::kClick, [this] { Click(); });
  inner_.On("p", forms::kMouseDown, [this](forms::MouseArgs& a) { Down(a); });
  inner_.On("p", forms::kMouseMove, [this](forms::MouseArgs& a) { MoveOver(a, p_->hwnd()); });
  inner_.On("p", forms::kMouseUp, [this](forms::MouseArgs& a) { Up(a); });
  inner_.On("lbl", forms::kClick, [this] { Click(); });
  inner_.On("lbl", forms::kMouseDown, [this](forms::MouseArgs& a) { Down(a); });
  // Any move over the caption counts as inside: it reports the caption's corner. A move the
  // caption gets only because it holds the pointer after a press is placed where it really is.
  inner_.On("lbl", forms::kMouseMove, [this](forms::MouseArgs& a) {
    const gfx::Rect r = lbl_->Bounds();
    const bool over = lbl_->ClientRect().contains(gfx::Point{static_cast<int>(a.x), static_cast<int>(a.y)});
    a.x = static_cast<float>(r.x) + (over ? 0 : a.x);
    a.y = static_cast<float>(r.y) + (over ? 0 : a.y);
    MoveOver(a, lbl_->hwnd());
  });
  inner_.On("lbl", forms::kMouseUp, [this](forms::MouseArgs& a) { Up(a); });
  inner_.On("Timer1", forms::kTimer, [this] { Tick(); });
  Watch(*p_);
  Watch(*lbl_);

  Show();
  Layout();
}

XpCheckbox::~XpCheckbox() = default;

void XpCheckbox::InitProperties() {
  const CheckSettings d = DefaultCheckSettings({DisplayName(), GetAmbient().font});
  SetCaption(d.caption);
  SetEnabled(d.enabled);
  SetValue(d.value);
  SetFont(d.font);
  SetBackColor(d.back_color);
  SetForeColor(d.fore_color);
}

void XpCheckbox::ReadProperties(const forms::PropertyBag& bag) {
  const CheckSettings s = ReadCheckSettings(bag, {DisplayName(), GetAmbient().font});
  SetValue(s.value);
  SetCaption(s.caption);
  SetEnabled(s.enabled);
  SetFont(s.font);
  SetBackColor(s.back_color);
  SetForeColor(s.fore_color);
}

void XpCheckbox::WriteProperties(forms::PropertyBag& bag) const {
  CheckSettings s;
  s.value = model_.Value();
  s.caption = lbl_->Caption();
  s.enabled = forms::Control::Enabled();
  s.font = font_;
  s.back_color = model_.BackColor();
  s.fore_color = model_.ForeColor();
  WriteCheckSettings(bag, s, {DisplayName(), GetAmbient().font});
}

void XpCheckbox::SetValue(std::int32_t v) {
  model_.SetValue(v);
  Show();
  PropertyChanged("Value");
}

const std::string& XpCheckbox::Caption() const { return lbl_->Caption(); }

void XpCheckbox::SetCaption(std::string_view caption) {
  lbl_->SetCaption(caption);
  Layout();
  PropertyChanged("Caption");
}

void XpCheckbox::SetEnabled(bool v) {
  forms::Control::SetEnabled(v);
  model_.SetEnabled(v);
  Show();
  PropertyChanged("Enabled");
}

void XpCheckbox::SetFont(const forms::FontSpec& font) {
  font_ = font;
  lbl_->SetFont(font);
  Layout();
  PropertyChanged("Font");
}

void XpCheckbox::SetBackColor(forms::OleColor c) {
  model_.SetBackColor(c);
  desktop().SetBackground(hwnd(), c);
  Invalidate();
  PropertyChanged("BackColor");
}

void XpCheckbox::SetForeColor(forms::OleColor c) {
  model_.SetForeColor(c);
  Show();
  PropertyChanged("ForeColor");
}

void XpCheckbox::Show() {
  // The poll calls this every 10 ms while the pointer rests on the box: repaint only what changed.
  std::shared_ptr<const gfx::Surface> glyph = CheckGlyphBitmap(model_.Glyph());
  if (p_->Pixels() != glyph.get()) p_->SetPicture(std::move(glyph));
  if (lbl_->ForeColor() != model_.CaptionColor()) lbl_->SetForeColor(model_.CaptionColor());
}

void XpCheckbox::Layout() {
  if (laying_out_) return;
  laying_out_ = true;
  const CheckLayout l = LayOutCheck(Height(), lbl_->Height());
  p_->Move(l.glyph_left, l.glyph_top, l.glyph_width, l.glyph_height);
  lbl_->Move(l.caption_left, l.caption_top);
  model_.SetInnerSize(ScaleWidth(), ScaleHeight());
  laying_out_ = false;
}

void XpCheckbox::OnResize() { Layout(); }

CheckEvents XpCheckbox::Events() {
  CheckEvents ev;
  ev.click = [this] { Raise(forms::kClick); };
  ev.mouse_out = [this] { Raise(kMouseOut); };
  auto mouse = [this](const char* name) {
    return [this, name](CheckMouse& m) { Raise(name, m); };
  };
  ev.mouse_down = mouse(forms::kMouseDown);
  ev.mouse_move = mouse(forms::kMouseMove);
  ev.mouse_up = mouse(forms::kMouseUp);
  return ev;
}

void XpCheckbox::Click() {
  model_.Click(Events());
  Show();
}

void XpCheckbox::Down(forms::MouseArgs& args) {
  model_.MouseDown(args, Events());
  Show();
}

void XpCheckbox::Watch(ui::Window& part) {
  ui::WindowProc previous = desktop().GetWindowProc(part.hwnd());
  desktop().SetWindowProc(part.hwnd(), [this, previous](ui::Hwnd h, ui::Message msg, ui::WParam w, ui::LParam l) {
    if (msg == ui::WM_MOUSELEAVE) left_ = true;
    // A quick second press is still a press: it shows the pressed glyph and its release clicks.
    if (msg == ui::WM_LBUTTONDBLCLK || msg == ui::WM_RBUTTONDBLCLK || msg == ui::WM_MBUTTONDBLCLK) msg -= 2;
    return ui::Desktop::CallWindowProc(previous, h, msg, w, l);
  });
}

void XpCheckbox::MoveOver(forms::MouseArgs& args, ui::Hwnd part) {
  model_.MouseMove(args, Events());
  if (model_.Polling()) {
    // The poll runs again after every move over the box.
    if (!timer_->Enabled()) timer_->SetEnabled(true);
    left_ = false;
    desktop().TrackMouseLeave(part);
  }
  Show();
}

void XpCheckbox::Up(forms::MouseArgs& args) {
  model_.MouseUp(args, Events());
}

void XpCheckbox::Tick() {
  if (left_) {
    left_ = false;
    model_.PointerLeft(Events());
  } else {
    const gfx::Point at = desktop().ScreenToClient(hwnd(), desktop().GetCursorPos());
    model_.Tick(at.x, at.y, Events());
  }
  if (!model_.Polling()) timer_->SetEnabled(false);
  Show();
}

void XpCheckbox::OnMouseDown(const ui::MouseEvent& e) {
  NotePress(e);
  forms::MouseArgs a = ArgsOf(e, false);
  Down(a);
}

void XpCheckbox::OnMouseMove(const ui::MouseEvent& e) {
  forms::MouseArgs a = ArgsOf(e, true);
  MoveOver(a, hwnd());
}

void XpCheckbox::OnMouseUp(const ui::MouseEvent& e) {
  const bool clicks = ReleaseClicks(e);
  forms::MouseArgs a = ArgsOf(e, false);
  Up(a);
  // A left press and release over the box is a click, as on its glyph and caption.
  if (clicks) Click();
}

bool XpCheckbox::OnKeyDown(const ui::KeyEvent& e) {
  forms::KeyArgs a{static_cast<std::int16_t>(e.key), static_cast<std::int16_t>(e.shift)};
  Raise(forms::kKeyDown, a);
  return false;
}

bool XpCheckbox::OnKeyUp(const ui::KeyEvent& e) {
  forms::KeyArgs a{static_cast<std::int16_t>(e.key), static_cast<std::int16_t>(e.shift)};
  Raise(forms::kKeyUp, a);
  return false;
}

void XpCheckbox::OnChar(char32_t ch, ui::ShiftState) {
  forms::KeyPressArgs a{static_cast<std::int32_t>(ch)};
  Raise(forms::kKeyPress, a);
}

}  // namespace kes::fields

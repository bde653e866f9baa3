#include "widgets/fields/xp_text.h"

#include <memory>

#include "calc/number_text.h"
#include "platform/forms/events.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/desktop.h"
#include "widgets/fields/text_settings.h"

namespace kes::fields {

namespace {

constexpr forms::OleColor kWhite = 0x00FFFFFF;

ui::WindowDesc ContainerLook() {
  ui::WindowDesc desc;
  desc.background = kWhite;
  return desc;
}

}  // namespace

XpText::XpText(const forms::ControlSite& site) : forms::Control(site, ContainerLook()) {
  forms::TwipsRect rect{kTextEditLeft, kTextEditTop, kTextMinWidth - kTextEditMargin, kTextEditHeight};
  edit_ = std::make_unique<forms::EditField>(forms::ControlSite::Inside(*this, &inner_, "TxtSpin", rect));
  edit_->SetBorderStyle(0);
  edit_->SetBackColor(kWhite);
  edit_->SetFont(GetAmbient().font);
  edit_->SetText("Text1");
  inner_.On("TxtSpin", forms::kChange, [this] {
    if (!quiet_) Raise(forms::kChange);
  });
  inner_.On("TxtSpin", forms::kKeyPress, [this](forms::KeyPressArgs& args) { Raise(forms::kKeyPress, args); });
  quiet_ = false;
  Layout();
}

XpText::~XpText() = default;

void XpText::InitProperties() {
  desktop().SetBackground(hwnd(), kWhite);
  large_change_ = 1;
  stored_value_ = 0;
  decimal_ = 0;
}

void XpText::ReadProperties(const forms::PropertyBag& bag) {
  const TextSettings s = ReadTextSettings(bag, GetAmbient().font);
  quiet_ = true;
  // Only the control's own state: the field keeps an enabled look and the border its grey.
  forms::Control::SetEnabled(s.enabled);
  edit_->SetLocked(s.locked);
  edit_->SetText(s.text);
  decimal_ = s.decimal;
  large_change_ = s.large_change;
  stored_value_ = s.value;
  edit_->SetFont(s.font);
  quiet_ = false;
  Layout();
}

void XpText::WriteProperties(forms::PropertyBag& bag) const {
  TextSettings s;
  s.enabled = forms::Control::Enabled();
  s.locked = edit_->Locked();
  s.text = edit_->Text();
  s.decimal = decimal_;
  s.large_change = large_change_;
  s.value = stored_value_;
  s.font = edit_->Font();
  WriteTextSettings(bag, s, GetAmbient().font);
}

void XpText::SetEnabled(bool v) {
  forms::Control::SetEnabled(v);
  edit_->SetEnabled(v);
  border_ = v ? TextBorder::Enabled : TextBorder::Disabled;
  Invalidate();
  PropertyChanged("Enabled");
}

bool XpText::Locked() const { return edit_->Locked(); }

void XpText::SetLocked(bool v) {
  edit_->SetLocked(v);
  PropertyChanged("Locked");
}

std::string XpText::Text() const { return edit_->Text(); }

void XpText::SetText(std::string_view utf8) {
  edit_->SetText(utf8);
  PropertyChanged("Text");
}

double XpText::Value() const { return calc::read_val(edit_->Text()); }

void XpText::SetValue(double v) {
  SetText(calc::value_text(v));
  PropertyChanged("Value");
}

void XpText::SetLargeChange(double v) {
  large_change_ = v;
  PropertyChanged("LargeChange");
}

const forms::FontSpec& XpText::Font() const { return edit_->Font(); }

void XpText::SetFont(const forms::FontSpec& font) {
  edit_->SetFont(font);
  Layout();
  PropertyChanged("Font");
}

void XpText::SetFocus() { edit_->SetFocus(); }

void XpText::Layout() {
  if (laying_out_) return;
  laying_out_ = true;
  const TextLayout l = LayOutText(static_cast<int>(Width()), edit_->Font().points);
  if (Width() != l.width || Height() != l.height) Move(Left(), Top(), l.width, l.height);
  edit_->Move(l.edit_left, l.edit_top, l.edit_width, l.edit_height);
  laying_out_ = false;
  Invalidate();
}

void XpText::OnResize() { Layout(); }

void XpText::OnMouseDown(const ui::MouseEvent&) { SetFocus(); }

void XpText::OnPaint(gfx::Canvas& canvas, gfx::Rect) {
  // The border is the whole control; the outline covers its end pixels, so it stops one short.
  const gfx::Size size = ClientSize();
  canvas.outline_rect(0, 0, size.width - 1, size.height - 1, gfx::Color::from_bgr(TextBorderColor(border_)));
}

}  // namespace kes::fields

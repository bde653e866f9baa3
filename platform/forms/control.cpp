#include "platform/forms/control.h"

#include "platform/forms/form.h"
#include "platform/ui/desktop.h"

namespace kes::forms {

gfx::Rect TwipsToPixels(const TwipsRect& r) {
    return {twips_to_pixels(r.left), twips_to_pixels(r.top), twips_to_pixels(r.width), twips_to_pixels(r.height)};
}

ControlSite ControlSite::Inside(Control& outer, EventTable* holder, std::string name, TwipsRect rect) {
    ControlSite s;
    s.desktop = &outer.desktop();
    s.form = outer.GetForm();
    s.holder = holder;
    s.container = &outer;
    s.parent = outer.hwnd();
    s.name = std::move(name);
    s.rect = rect;
    return s;
}

namespace {
ui::WindowDesc placed(const ControlSite& site, ui::WindowDesc desc) {
    desc.parent = site.parent;
    desc.rect = TwipsToPixels(site.rect);
    desc.visible = site.visible;
    return desc;
}
}  // namespace

Control::Control(const ControlSite& site, ui::WindowDesc desc)
    : ui::Window(*site.desktop, placed(site, std::move(desc))),
      name_(site.name),
      index_(site.index),
      form_(site.form),
      holder_(site.holder),
      container_(site.container),
      twips_(site.rect),
      tab_index_(site.tab_index),
      tab_stop_(site.tab_stop) {}

Control::~Control() = default;

std::string Control::DisplayName() const {
    if (index_ < 0) return name_;
    return name_ + "(" + std::to_string(index_) + ")";
}

void Control::Move(double left, double top, double width, double height) {
    twips_ = {left, top, width, height};
    if (hwnd()) SetBounds(TwipsToPixels(twips_));
}

bool Control::Visible() const { return hwnd() && IsVisible(); }

void Control::SetVisible(bool v) {
    if (hwnd()) Show(v);
}

bool Control::Enabled() const { return hwnd() && IsEnabled(); }

void Control::SetEnabled(bool v) {
    if (hwnd()) Enable(v);
}

void Control::SetFocus() {
    if (hwnd()) Focus();
}

bool Control::ContainsFocus() const {
    ui::Hwnd f = desktop().GetFocus();
    return hwnd() && f && desktop().IsSelfOrAncestor(hwnd(), f);
}

Ambient Control::GetAmbient() const {
    Ambient a;
    if (container_)
        a = container_->AmbientForChildren();
    else if (form_)
        a = form_->AmbientFor(*this);
    a.display_name = DisplayName();
    a.user_mode = true;
    a.display_as_default = form_ && form_->DefaultButton() == this;
    return a;
}

bool Control::RaiseMouse(std::string_view event, const ui::MouseEvent& e) const {
    MouseArgs a{std::int16_t(e.button ? e.button : e.buttons), std::int16_t(e.shift), float(e.pos.x), float(e.pos.y)};
    return Raise(event, a);
}

void Control::NotePress(const ui::MouseEvent& e) {
    if (e.button != ui::kLeftButton) return;
    pressed_ = true;
    desktop().SetCapture(hwnd());
}

bool Control::ReleaseClicks(const ui::MouseEvent& e) {
    if (e.button != ui::kLeftButton) return false;
    const bool pressed_here = pressed_;
    pressed_ = false;
    if (desktop().GetCapture() == hwnd()) desktop().ReleaseCapture();
    return pressed_here && ClientRect().contains(e.pos);
}

ui::LResult Control::HandleMessage(ui::Message msg, ui::WParam wParam, ui::LParam lParam) {
    Form* form = form_;
    const Form::Dispatch dispatch(form);
    const ui::Hwnd self = hwnd();
    const ui::LResult r = ui::Window::HandleMessage(msg, wParam, lParam);
    // The form learns where the focus went after the window itself has reacted.
    if (msg == ui::WM_SETFOCUS && form && self) form->NoteFocus(self);
    return r;
}

}  // namespace kes::forms

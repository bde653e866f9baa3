#include "platform/forms/form.h"

#include <algorithm>

#include "platform/forms/events.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/desktop.h"

namespace kes::forms {
namespace {

// Posted by ShowModal: the focus goes to the first control once the modal loop shows the form.
constexpr ui::Message kFocusFirst = ui::WM_USER + 0x100;

ui::WindowDesc form_window(ui::Desktop& desktop, const FormDesign& d, ui::Hwnd owner) {
    ui::WindowDesc w;
    w.parent = 0;
    w.owner = owner;
    w.caption = d.caption;
    w.visible = false;
    w.background = d.back_color;
    const int width = twips_to_pixels(d.client_width), height = twips_to_pixels(d.client_height);
    gfx::Rect area = owner ? desktop.GetWindowRect(owner) : desktop.GetWorkArea();
    w.rect = {area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height};
    return w;
}

}  // namespace

Form::Form(ui::Desktop& desktop, FormDesign design, ui::Hwnd owner)
    : ui::Window(desktop, form_window(desktop, design, owner)), design_(std::move(design)) {
    if (hwnd()) desktop.SetPreTranslateHook(hwnd(), [this](ui::Msg& m) { return PreTranslate(m); });
}

Form::~Form() {
    if (hwnd()) desktop().SetPreTranslateHook(hwnd(), {});
    active_ = default_ = cancel_ = nullptr;
    order_.clear();
    // What a container holds goes before the container.
    while (!owned_.empty()) owned_.pop_back();
}

ControlSite Form::SiteFor(const ControlDesign& d) {
    ControlSite s;
    s.desktop = &desktop();
    s.form = this;
    s.holder = &events_;
    s.name = d.name;
    s.index = d.index;
    s.rect = d.rect;
    s.tab_index = d.tab_index;
    s.tab_stop = d.tab_stop;
    s.visible = d.visible;
    s.parent = hwnd();
    if (!d.container.empty() && !equal_names(d.container, design_.name)) {
        Control* c = Find(d.container, d.container_index);
        s.container = c;
        s.parent = c ? c->hwnd() : 0;
    }
    return s;
}

bool Form::Load(const ControlFactory& factory, std::string* error) {
    bool all = true;
    auto note = [&](const std::string& m) {
        all = false;
        if (error) {
            if (!error->empty()) *error += "; ";
            *error += m;
        }
    };
    for (const ControlDesign& d : design_.controls) {
        if (Find(d.name, d.index)) {
            note(d.display_name() + " is in the design twice");
            continue;
        }
        ControlSite site = SiteFor(d);
        if (!site.parent) {
            note(d.display_name() + ": no container " + d.container);
            continue;
        }
        auto control = factory.Make(d.kind, site);
        if (!control) {
            note(d.display_name() + ": unknown kind " + d.kind);
            continue;
        }
        control->ReadProperties(d.settings);
        Add(std::move(control));
    }
    events_.Raise(design_.name, -1, "Load");
    return all;
}

Control* Form::Add(std::unique_ptr<Control> control) {
    if (!control || !control->hwnd()) return nullptr;
    Control* c = control.get();
    owned_.push_back(std::move(control));
    order_.push_back(c);
    return c;
}

Control* Form::Find(std::string_view name, int index) const {
    for (Control* c : order_)
        if (c->Index() == index && equal_names(c->Name(), name)) return c;
    return nullptr;
}

std::vector<Control*> Form::ControlsIn(const Control* container) const {
    std::vector<Control*> out;
    for (Control* c : order_)
        if (c->container_ == container) out.push_back(c);
    return out;
}

bool Form::SetContainer(Control& control, Control* container) {
    const auto on_form = [this](const Control* c) { return std::find(order_.begin(), order_.end(), c) != order_.end(); };
    if (!on_form(&control) || (container && !on_form(container)) || container == &control) return false;
    // A container cannot go inside what it holds.
    for (Control* up = container; up; up = up->container_)
        if (up == &control) return false;
    if (!desktop().SetParent(control.hwnd(), container ? container->hwnd() : hwnd())) return false;
    control.container_ = container;
    control.Move(control.Left(), control.Top(), control.Width(), control.Height());
    return true;
}

std::string Form::Caption() const { return design_.caption; }

void Form::SetCaption(const std::string& caption) {
    design_.caption = caption;
    if (hwnd()) desktop().SetWindowText(hwnd(), caption);
}

void Form::SetFont(const FontSpec& font) {
    design_.font = font;
    for (Control* c : order_) c->OnAmbientChanged("Font");
}

void Form::SetBackColor(OleColor c) {
    design_.back_color = c;
    if (hwnd()) {
        desktop().SetBackground(hwnd(), c);
        Invalidate();
    }
    for (Control* k : order_) k->OnAmbientChanged("BackColor");
}

Ambient Form::AmbientFor(const Control& control) const {
    Ambient a;
    a.font = design_.font;
    a.back_color = design_.back_color;
    a.fore_color = design_.fore_color;
    a.user_mode = true;
    a.display_as_default = default_ == &control;
    a.display_name = control.DisplayName();
    return a;
}

// ---- focus and Tab ----

bool Form::CanTabTo(const Control& c) const {
    if (!c.hwnd() || !c.CanFocus() || !c.TabStop()) return false;
    const ui::Desktop& d = desktop();
    // Every window from the control up to the form must be shown and enabled, and some of
    // the control must lie inside each of them (a tab strip parks its other pages outside).
    gfx::Rect r = d.GetWindowRect(c.hwnd());
    for (ui::Hwnd w = c.hwnd(); w && w != hwnd(); w = d.GetParent(w)) {
        if (!d.IsVisible(w) || !d.IsEnabled(w)) return false;
        ui::Hwnd p = d.GetParent(w);
        if (!p) return false;  // not on this form
        r = r.intersected(d.GetClientRect(p));
        if (r.is_empty()) return false;
        if (p != hwnd()) {
            gfx::Rect pr = d.GetWindowRect(p);
            r = r.translated(pr.x, pr.y);
        }
    }
    return true;
}

std::vector<Control*> Form::ByTabIndex() const {
    std::vector<Control*> all = order_;
    std::stable_sort(all.begin(), all.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
    return all;
}

std::vector<Control*> Form::TabOrder() const {
    std::vector<Control*> out;
    for (Control* c : ByTabIndex())
        if (CanTabTo(*c)) out.push_back(c);
    return out;
}

bool Form::SelectNext(bool forward) {
    std::vector<Control*> all = ByTabIndex();
    if (all.empty()) return false;
    Control* current = active_ ? active_ : OwnerOf(desktop().GetFocus());
    auto it = std::find(all.begin(), all.end(), current);
    const std::size_t n = all.size();
    std::size_t start;
    if (it == all.end())
        start = forward ? n - 1 : 0;  // nothing focused yet: begin at the first (or last)
    else
        start = std::size_t(it - all.begin());
    for (std::size_t step = 1; step <= n; ++step) {
        std::size_t i = forward ? (start + step) % n : (start + n - step % n) % n;
        if (CanTabTo(*all[i])) {
            all[i]->SetFocus();
            return true;
        }
    }
    return false;
}

Control* Form::OwnerOf(ui::Hwnd h) const {
    const ui::Desktop& d = desktop();
    for (ui::Hwnd w = h; w && w != hwnd(); w = d.GetParent(w)) {
        for (Control* c : order_)
            if (c->hwnd() == w) return c;
    }
    return nullptr;
}

void Form::NoteFocus(ui::Hwnd focus) {
    if (!hwnd() || !focus || desktop().GetTopLevel(focus) != hwnd()) return;
    Control* now = OwnerOf(focus);
    if (now == active_) return;
    Control* before = active_;
    active_ = now;
    if (before && before->Holder()) before->Holder()->Raise(before->Name(), before->Index(), "LostFocus");
    // A LostFocus handler may have moved the focus on already; that move raised its own events.
    if (now && active_ == now && now->Holder()) now->Holder()->Raise(now->Name(), now->Index(), "GotFocus");
}

void Form::SetDefaultButton(Control* c) {
    Control* old = default_;
    default_ = c;
    if (old && old != c) old->OnAmbientChanged("DisplayAsDefault");
    if (c && old != c) c->OnAmbientChanged("DisplayAsDefault");
}

namespace {
char32_t upper(char32_t c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
}  // namespace

bool Form::RouteAccessKey(char32_t key) {
    key = upper(key);
    std::vector<Control*> all = ByTabIndex();
    for (std::size_t i = 0; i < all.size(); ++i) {
        Control* c = all[i];
        if (!c->hwnd() || !desktop().IsVisible(c->hwnd()) || !desktop().IsEnabledForInput(c->hwnd())) continue;
        std::u32string keys = c->AccessKeys();
        bool mine = false;
        for (char32_t k : keys) mine = mine || upper(k) == key;
        if (!mine) continue;
        if (c->PassesAccessKeyOn()) {
            for (std::size_t j = i + 1; j < all.size(); ++j) {
                if (CanTabTo(*all[j])) {
                    all[j]->SetFocus();
                    return true;
                }
            }
            continue;
        }
        if (c->CanFocus()) c->SetFocus();
        c->OnAccessKey(key);
        return true;
    }
    return false;
}

bool Form::PreTranslate(ui::Msg& m) {
    Dispatch dispatch(this);
    const ui::ShiftState shift = desktop().GetShiftState();
    if (key_preview_) {
        if (m.message == ui::WM_KEYDOWN || m.message == ui::WM_SYSKEYDOWN || m.message == ui::WM_KEYUP ||
            m.message == ui::WM_SYSKEYUP) {
            const bool down = m.message == ui::WM_KEYDOWN || m.message == ui::WM_SYSKEYDOWN;
            KeyArgs k{std::int16_t(m.wParam), std::int16_t(shift)};
            events_.Raise(design_.name, -1, down ? "KeyDown" : "KeyUp", k);
            if (k.key_code == 0) return true;
            m.wParam = ui::WParam(std::uint16_t(k.key_code));
        } else if (m.message == ui::WM_CHAR) {
            KeyPressArgs k{std::int32_t(m.wParam)};
            events_.Raise(design_.name, -1, "KeyPress", k);
            if (k.key_ascii <= 0) return true;
            m.wParam = ui::WParam(k.key_ascii);
        }
    }
    const bool ctrl = shift & ui::kCtrlMask, alt = shift & ui::kAltMask;
    Control* focused = OwnerOf(m.hwnd);
    if (m.message == ui::WM_KEYDOWN) {
        const auto key = ui::KeyCode(m.wParam);
        if (focused && focused->WantsKey(key)) return false;
        if (key == ui::VK_TAB && !ctrl && !alt) {
            SelectNext(!(shift & ui::kShiftMask));
            return true;
        }
        if (key == ui::VK_RETURN && !ctrl && !alt && default_ && default_->hwnd() &&
            desktop().IsEnabledForInput(default_->hwnd()) && desktop().IsShownOnScreen(default_->hwnd())) {
            default_->OnAccessKey(13);
            return true;
        }
        if (key == ui::VK_ESCAPE && !ctrl && !alt && cancel_ && cancel_->hwnd() &&
            desktop().IsEnabledForInput(cancel_->hwnd()) && desktop().IsShownOnScreen(cancel_->hwnd())) {
            cancel_->OnAccessKey(27);
            return true;
        }
        return false;
    }
    if (m.message == ui::WM_CHAR) {
        // The characters of keys the form has taken never reach the control.
        const auto ch = char32_t(m.wParam);
        if (focused && focused->WantsKey(ui::KeyCode(ch == U'\t' ? ui::VK_TAB : ch == U'\r' ? ui::VK_RETURN : 0)))
            return false;
        if (ch == U'\t') return true;
        if (ch == U'\r' && default_) return true;
        if (ch == 27 && cancel_) return true;
        return false;
    }
    if (m.message == ui::WM_SYSKEYDOWN) {
        const auto key = ui::KeyCode(m.wParam);
        if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return RouteAccessKey(char32_t(key));
    }
    return false;
}

// ---- showing ----

void Form::Show() {
    if (!hwnd()) return;
    Window::Show(true);
    desktop().SetActiveWindow(hwnd());
    if (!active_ || !active_->ContainsFocus()) {
        auto order = TabOrder();
        if (!order.empty()) order.front()->SetFocus();
    }
}

void Form::Hide() {
    if (hwnd()) Window::Show(false);
}

bool Form::ShowModal(ui::Hwnd owner) {
    if (!hwnd()) return false;
    ui::Desktop& d = desktop();
    gfx::Rect me = d.GetWindowRect(hwnd());
    gfx::Rect area = owner ? d.GetWindowRect(owner) : d.GetWorkArea();
    gfx::Rect work = d.GetWorkArea();
    int x = area.x + (area.width - me.width) / 2, y = area.y + (area.height - me.height) / 2;
    x = std::max(work.x, std::min(x, work.right() - me.width));
    y = std::max(work.y, std::min(y, work.bottom() - me.height));
    d.SetWindowRect(hwnd(), {x, y, me.width, me.height});
    if (!active_) {
        auto order = TabOrder();
        // The focus goes in once the window is shown; showing happens inside the modal loop.
        if (!order.empty()) {
            Control* first = order.front();
            d.PostMessage(hwnd(), kFocusFirst, 0, 0);
            pending_focus_ = first;
        }
    }
    return d.ShowModal(hwnd());
}

void Form::Unload() {
    if (!hwnd()) return;
    events_.Raise(design_.name, -1, "Unload");
    desktop().SetPreTranslateHook(hwnd(), {});
    active_ = default_ = cancel_ = pending_focus_ = nullptr;
    order_.clear();
    if (dispatch_depth_ > 0) {
        // Windows go now, innermost first; the objects wait for the message to end.
        for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) desktop().DestroyWindow((*it)->hwnd());
        for (auto& c : owned_) retired_.push_back(std::move(c));
        owned_.clear();
    } else {
        while (!owned_.empty()) owned_.pop_back();
    }
    desktop().DestroyWindow(hwnd());
}

Form::Dispatch::Dispatch(Form* form) : form_(form) {
    if (form_) ++form_->dispatch_depth_;
}

Form::Dispatch::~Dispatch() {
    if (!form_ || --form_->dispatch_depth_ > 0) return;
    std::vector<std::unique_ptr<Control>> retired = std::move(form_->retired_);
    form_->retired_.clear();
    while (!retired.empty()) retired.pop_back();
}

const gfx::Surface& Form::Picture() { return desktop().ComposedPicture(hwnd()); }

ui::LResult Form::HandleMessage(ui::Message msg, ui::WParam wParam, ui::LParam lParam) {
    Dispatch dispatch(this);
    switch (msg) {
        case ui::WM_ACTIVATE:
            events_.Raise(design_.name, -1, ui::LoWord(wParam) == ui::WA_INACTIVE ? "Deactivate" : "Activate");
            break;
        case kFocusFirst:
            if (pending_focus_) {
                Control* c = pending_focus_;
                pending_focus_ = nullptr;
                if (CanTabTo(*c)) c->SetFocus();
            }
            return 0;
        default:
            break;
    }
    return ui::Window::HandleMessage(msg, wParam, lParam);
}

void Form::OnPaint(gfx::Canvas&, gfx::Rect) {}

bool Form::OnClose() {
    QueryUnloadArgs args;
    events_.Raise(design_.name, -1, "QueryUnload", args);
    if (args.cancel) return false;
    events_.Raise(design_.name, -1, "Unload");
    return true;
}

void Form::OnDestroy() {
    desktop().SetPreTranslateHook(hwnd(), {});
    active_ = pending_focus_ = nullptr;
}

}  // namespace kes::forms

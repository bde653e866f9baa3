// A form: a top-level window with a design. Loading it makes every control of the design
// (through a ControlFactory) inside the right container, has each read its stored
// settings, and from then on the form
//   - holds the controls' events in its EventTable (handlers named after control and event),
//   - offers its font and colours as ambient values,
//   - moves the focus with Tab and Shift+Tab by tab index, over the controls that can
//     take it (enabled, shown, a tab stop, not moved wholly outside their containers),
//   - routes Alt+letter to the control whose access key it is, and Enter / Escape to
//     its default / cancel button,
//   - raises GotFocus and LostFocus for the control the focus enters and leaves.
//
// Typical use:
//   forms::Form form(desktop, design);
//   form.On("TextPerMes", "Change", [&](int i) { ... });
//   form.Load(factory);
//   form.Show();
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/control_factory.h"
#include "platform/forms/design.h"
#include "platform/forms/event_table.h"
#include "platform/gfx/surface.h"
#include "platform/ui/window.h"

namespace kes::ui {
class Desktop;
}

namespace kes::forms {

struct QueryUnloadArgs {
    bool cancel = false;
};

class Form : public ui::Window {
public:
    // Makes the form's window (hidden, client area from the design, placed at the
    // centre of the work area, or of `owner` when one is given); no control yet.
    Form(ui::Desktop& desktop, FormDesign design, ui::Hwnd owner = 0);
    ~Form() override;

    const FormDesign& Design() const { return design_; }
    const std::string& Name() const { return design_.name; }

    // ---- events ---------------------------------------------------------------
    EventTable& Events() { return events_; }
    template <class F>
    void On(std::string_view control, std::string_view event, F handler) {
        events_.On(control, event, std::move(handler));
    }

    // ---- controls -----------------------------------------------------------------
    // Makes the design's controls in order. A control of a kind the factory does not know,
    // or whose container is not made yet, is skipped and named in `error`; the others are
    // still made. Returns true when every control was made.
    bool Load(const ControlFactory& factory, std::string* error = nullptr);
    // Adds a control made in code: `design` places it (its container must exist).
    // Returns nullptr when the container is missing.
    Control* Add(std::unique_ptr<Control> control);
    template <class T>
    T* Create(const ControlDesign& design) {
        auto c = std::make_unique<T>(SiteFor(design));
        c->ReadProperties(design.settings);
        return static_cast<T*>(Add(std::move(c)));
    }
    // The site a control of this design gets (parent window, holder, container).
    ControlSite SiteFor(const ControlDesign& design);

    // Look-ups by name (and index), without regard to case; nullptr when absent.
    Control* Find(std::string_view name, int index = -1) const;
    template <class T>
    T* FindAs(std::string_view name, int index = -1) const {
        return dynamic_cast<T*>(Find(name, index));
    }
    // Every control, in creation order.
    const std::vector<Control*>& Controls() const { return order_; }
    // The controls directly inside `container` (nullptr: directly on the form), in creation
    // order: what a container moves when it shows another page.
    std::vector<Control*> ControlsIn(const Control* container) const;
    // Moves a control into another container (nullptr: the form), keeping its numbers, which
    // are now taken in the new container. False when either is not on this form.
    bool SetContainer(Control& control, Control* container);

    // ---- the form's own settings ------------------------------------------------------
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    const FontSpec& Font() const { return design_.font; }
    void SetFont(const FontSpec& font);
    OleColor BackColor() const { return design_.back_color; }
    void SetBackColor(OleColor c);
    OleColor ForeColor() const { return design_.fore_color; }
    // What the form offers the controls directly on it.
    Ambient AmbientFor(const Control& control) const;

    // ---- focus, Tab order and keys --------------------------------------------------
    // The controls Tab visits, in the order it visits them.
    std::vector<Control*> TabOrder() const;
    // Moves the focus to the next (or previous) control of the tab order after the active
    // one, wrapping round; false when no control can take it.
    bool SelectNext(bool forward = true);
    // The control holding the focus (as far as the form's controls go); nullptr for none.
    Control* ActiveControl() const { return active_; }
    // The button Enter clicks and the one Escape clicks (nullptr: none).
    void SetDefaultButton(Control* c);
    void SetCancelButton(Control* c) { cancel_ = c; }
    Control* DefaultButton() const { return default_; }
    // Routes an access key typed with Alt; false when no control claims it.
    bool RouteAccessKey(char32_t key);
    // With key preview on, the form's own KeyDown / KeyUp (KeyArgs) and KeyPress
    // (KeyPressArgs) events see every key before the focused control does; a handler that
    // sets the key to 0 keeps it from the control, one that changes a KeyPress character
    // hands the control the new one.
    void SetKeyPreview(bool on) { key_preview_ = on; }
    bool KeyPreview() const { return key_preview_; }

    // ---- showing ---------------------------------------------------------------------
    void Show();
    void Hide();
    // Shows the form modally over `owner` (centred on it) and returns when it is hidden
    // or unloaded; false when the loop ended another way.
    bool ShowModal(ui::Hwnd owner = 0);
    // Destroys the controls and the window; the object stays with handle 0. Inside a
    // message of the form or its controls the control objects outlive it, windowless, until
    // that message has been handled (see Dispatch).
    void Unload();
    // The window's composed picture, what the screen shows (before any density scale).
    const gfx::Surface& Picture();

    // Called by Control when a window of the form gains the focus.
    void NoteFocus(ui::Hwnd focus);

    // Held while a message of the form or of one of its controls is handled. The exit and
    // OK buttons unload their form from their own Click: the controls that Unload removes
    // are freed only when the outermost Dispatch ends, so no control runs on freed memory.
    class Dispatch {
    public:
        explicit Dispatch(Form* form);
        ~Dispatch();
        Dispatch(const Dispatch&) = delete;
        Dispatch& operator=(const Dispatch&) = delete;

    private:
        Form* form_;
    };

    // Form events go to Events() under the form's own name: "Load" (after Load), "Activate",
    // "Deactivate", "QueryUnload" (QueryUnloadArgs; set cancel to keep the form) and "Unload".
    ui::LResult HandleMessage(ui::Message msg, ui::WParam wParam, ui::LParam lParam) override;

protected:
    void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty) override;
    bool OnClose() override;
    void OnDestroy() override;

private:
    // The form-level control that holds `hwnd` (itself or an ancestor); nullptr for none.
    Control* OwnerOf(ui::Hwnd hwnd) const;
    bool CanTabTo(const Control& c) const;
    // Controls by tab index (creation order among equal ones).
    std::vector<Control*> ByTabIndex() const;
    bool PreTranslate(ui::Msg& msg);

    FormDesign design_;
    EventTable events_;
    std::vector<std::unique_ptr<Control>> owned_;
    // Controls unloaded while a message was being handled, freed when it has been.
    std::vector<std::unique_ptr<Control>> retired_;
    int dispatch_depth_ = 0;
    std::vector<Control*> order_;
    Control* active_ = nullptr;
    Control* default_ = nullptr;
    Control* cancel_ = nullptr;
    Control* pending_focus_ = nullptr;
    bool key_preview_ = false;
};

}  // namespace kes::forms

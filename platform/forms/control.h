// The base of every control on a form: a child window with a name (and an index in a
// control array), a place in twips inside its container, a tab index, stored settings,
// ambient values from its container, and events raised to the window that holds it.
//
// A widget derives from Control, passes the ControlSite it is given on to this
// constructor with the WindowDesc it wants (transparent, persistent, background, ...),
// reads its stored settings in ReadProperties and raises its events with Raise(). The
// holder handles them in its EventTable under the control's name (see event_table.h).
#pragma once

#include <string>
#include <string_view>

#include "platform/forms/design.h"
#include "platform/forms/event_table.h"
#include "platform/forms/events.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/values.h"
#include "platform/ui/window.h"

namespace kes::ui {
class Desktop;
}

namespace kes::forms {

class Control;
class Form;

// What a container offers the controls it holds.
struct Ambient {
    FontSpec font;                         // the container's font
    OleColor back_color = kColorButtonFace;
    OleColor fore_color = kColorButtonText;
    bool user_mode = true;                 // always True: forms here run, they are never designed
    bool display_as_default = false;       // the control is the form's default button
    std::string display_name;              // "TextPerMes(0)"
};

// Where a new control lives. Form::Load fills one per design entry; a composite widget
// fills one for each inner control it makes (holder = its own EventTable, parent = its window).
struct ControlSite {
    ui::Desktop* desktop = nullptr;
    Form* form = nullptr;            // the form the control is on: ambient values, focus, tab order
    EventTable* holder = nullptr;    // receives the control's events; nullptr: events go nowhere
    Control* container = nullptr;    // the control that contains it; nullptr: the form itself
    ui::Hwnd parent = 0;             // the window its window goes in
    std::string name;
    int index = -1;                  // index in the control array, -1 for none
    TwipsRect rect;                  // in the container's twips
    int tab_index = 0;
    bool tab_stop = true;
    bool visible = true;

    // A site for a control held inside another control's window (the parts of a widget).
    static ControlSite Inside(Control& outer, EventTable* holder, std::string name, TwipsRect rect);
};

class Control : public ui::Window {
public:
    // `desc` gives the window's looks; parent, rectangle and visibility come from the site.
    Control(const ControlSite& site, ui::WindowDesc desc = {});
    ~Control() override;

    // ---- identity ---------------------------------------------------------
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    bool IsArrayMember() const { return index_ >= 0; }
    std::string DisplayName() const;  // "TextPerMes(0)" or "ComSave"
    // The kind a design names it by ("Label", "EditField", "kzbutton").
    virtual std::string_view Kind() const { return "Control"; }
    Form* GetForm() const { return form_; }
    Control* Container() const { return container_; }
    EventTable* Holder() const { return holder_; }
    void SetHolder(EventTable* holder) { holder_ = holder; }

    // ---- stored settings ----------------------------------------------------
    // A control placed new, with no stored settings: the defaults of a new instance.
    virtual void InitProperties() {}
    // Reads the stored settings (a missing key gives its default). Called once after creation.
    virtual void ReadProperties(const PropertyBag& bag) { (void)bag; }
    // Writes them back; a value equal to its default is left out.
    virtual void WriteProperties(PropertyBag& bag) const { (void)bag; }

    // ---- placement, in the container's twips ----------------------------------
    TwipsRect Twips() const { return twips_; }
    double Left() const { return twips_.left; }
    double Top() const { return twips_.top; }
    double Width() const { return twips_.width; }
    double Height() const { return twips_.height; }
    // Moves the window to the rounded pixels (WM_MOVE / WM_SIZE follow for what changed).
    void Move(double left, double top, double width, double height);
    void Move(double left, double top) { Move(left, top, twips_.width, twips_.height); }
    void SetLeft(double v) { Move(v, twips_.top, twips_.width, twips_.height); }
    void SetTop(double v) { Move(twips_.left, v, twips_.width, twips_.height); }
    void SetWidth(double v) { Move(twips_.left, twips_.top, v, twips_.height); }
    void SetHeight(double v) { Move(twips_.left, twips_.top, twips_.width, v); }
    // The inner size in pixels (the widgets draw in pixels).
    int ScaleWidth() const { return ClientSize().width; }
    int ScaleHeight() const { return ClientSize().height; }
    // The control's own pixels, (0, 0, width, height).
    gfx::Rect ClientRect() const { return {0, 0, ClientSize().width, ClientSize().height}; }

    // ---- the holder's view ------------------------------------------------------
    int TabIndex() const { return tab_index_; }
    void SetTabIndex(int v) { tab_index_ = v; }
    bool TabStop() const { return tab_stop_; }
    void SetTabStop(bool v) { tab_stop_ = v; }
    bool Visible() const;
    void SetVisible(bool v);
    bool Enabled() const;
    // Enables or disables the control's window; widgets that keep more state override it.
    virtual void SetEnabled(bool v);

    // ---- focus -------------------------------------------------------------------
    // Whether the control ever takes the keyboard focus (labels, frames, pictures and
    // timers do not); Tab passes over the ones that cannot.
    virtual bool CanFocus() const { return true; }
    // Gives the control the keyboard focus; a composite widget passes it to its inner field.
    virtual void SetFocus();
    // The focus is on the control's window or one inside it.
    bool ContainsFocus() const;
    // The control uses this key itself while it has the focus, so the form leaves it alone
    // (Enter on a button instead of the default button; Tab in a field that takes tabs).
    virtual bool WantsKey(ui::KeyCode key) const { (void)key; return false; }

    // ---- ambient values ----------------------------------------------------------
    Ambient GetAmbient() const;
    // What this control, as a container, offers the controls inside it: by default what
    // it was offered itself.
    virtual Ambient AmbientForChildren() const { return GetAmbient(); }
    // An ambient value changed ("Font", "BackColor", "DisplayAsDefault" ...).
    virtual void OnAmbientChanged(std::string_view property) { (void)property; }

    // ---- access keys ----------------------------------------------------------------
    // The characters (upper case) that, typed with Alt, act on this control.
    virtual std::u32string AccessKeys() const { return {}; }
    // The holder routes an access key here (or the default / cancel key: 13 / 27).
    virtual void OnAccessKey(char32_t key) { (void)key; }
    // A control that cannot take the focus passes its access key on to the next control
    // in tab order (a label captioning a field).
    virtual bool PassesAccessKeyOn() const { return !CanFocus(); }

    // Messages reach the handlers through here; the base also tells the form about focus.
    ui::LResult HandleMessage(ui::Message msg, ui::WParam wParam, ui::LParam lParam) override;

protected:
    // Raises an event to the holder, the array index first. A control whose window is gone
    // (its form unloaded from one of its events) raises nothing more.
    bool Raise(std::string_view event) const {
        return holder_ && hwnd() ? holder_->Raise(name_, index_, event) : false;
    }
    template <class A>
    bool Raise(std::string_view event, A& args) const {
        return holder_ && hwnd() ? holder_->Raise(name_, index_, event, args) : false;
    }
    // Raises MouseDown / MouseMove / MouseUp with the standard arguments (the button that
    // went down or up, else the buttons held; X and Y in the control's pixels).
    bool RaiseMouse(std::string_view event, const ui::MouseEvent& e) const;

    // Clicks of the controls that only report them (labels, pictures, images). A left press
    // takes the pointer until its release, so the release comes back here wherever it lands;
    // the release is a Click when it ends a press made here and lands inside.
    void NotePress(const ui::MouseEvent& e);
    bool ReleaseClicks(const ui::MouseEvent& e);

    // A property was changed by code; a designer would save it. Nothing here keeps designs
    // live, so it only documents intent at the call sites.
    void PropertyChanged(std::string_view property) const { (void)property; }

private:
    friend class Form;
    std::string name_;
    int index_ = -1;
    Form* form_ = nullptr;
    EventTable* holder_ = nullptr;
    Control* container_ = nullptr;
    TwipsRect twips_;
    int tab_index_ = 0;
    bool tab_stop_ = true;
    bool pressed_ = false;
};

// The window rectangle in pixels for a rectangle in twips (each number rounded, halves to even).
gfx::Rect TwipsToPixels(const TwipsRect& r);

}  // namespace kes::forms

// A part of a composite control that paints by its own enabled state, not its holder's.
//
// The desktop these controls come from draws a child window enabled or disabled by its own
// state alone: a field inside a disabled box takes no input but keeps its look. The form
// runtime's parts draw greyed whenever any window above them is disabled, so while such a
// part paints, the composite that holds it is counted as enabled.
#pragma once

#include "platform/gfx/canvas.h"
#include "platform/gfx/geometry.h"
#include "platform/ui/desktop.h"

namespace kes::fields {

template <class Part>
class OwnLook : public Part {
 public:
  using Part::Part;

 protected:
  void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty) override {
    ui::Desktop& d = this->desktop();
    const ui::Hwnd holder = d.GetParent(this->hwnd());
    const bool lend = holder && d.IsEnabled(this->hwnd()) && !d.IsEnabled(holder);
    if (lend) d.EnableWindow(holder, true);
    Part::OnPaint(canvas, dirty);
    if (lend) d.EnableWindow(holder, false);
  }
};

}  // namespace kes::fields

// A part of a composite control that paints by its own enabled state, not its holders'.
//
// The desktop these controls come from draws a child window enabled or disabled by its own
// state alone: a field inside a disabled box takes no input but keeps its look, and a window
// disabled under a modal dialog keeps its look too. The form runtime's parts draw greyed
// whenever any window above them is disabled, so while such a part paints, the disabled
// windows above it are counted as enabled.
#pragma once

#include <vector>

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
    std::vector<ui::Hwnd> lent;
    if (d.IsEnabled(this->hwnd())) {
      for (ui::Hwnd w = d.GetParent(this->hwnd()); w; w = d.GetParent(w)) {
        if (!d.IsEnabled(w)) lent.push_back(w);
      }
    }
    for (ui::Hwnd w : lent) d.EnableWindow(w, true);
    Part::OnPaint(canvas, dirty);
    for (ui::Hwnd w : lent) d.EnableWindow(w, false);
  }
};

}  // namespace kes::fields

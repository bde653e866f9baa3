// A shown form on the headless desktop, for driving the field controls as a user would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/forms/design.h"
#include "platform/forms/form.h"
#include "platform/ui/desktop.h"
#include "platform/ui/headless_backend.h"

namespace kes::fields {

class FormFixture : public ::testing::Test {
 protected:
  FormFixture()
      : backend_(new ui::HeadlessBackend()),
        desktop_(std::unique_ptr<ui::Backend>(backend_)),
        form_(desktop_, Design()) {
    // Keep the pointer away from every control until a test moves it.
    backend_->MouseMoveTo({1, 1});
    form_.Show();
    desktop_.DoEvents();
  }

  static forms::FormDesign Design() {
    forms::FormDesign d;
    d.name = "ForTest";
    d.client_width = 6000;
    d.client_height = 3000;
    d.back_color = 0x00FFFFFF;
    return d;
  }

  static forms::ControlDesign Place(std::string kind, std::string name, int index, forms::TwipsRect rect) {
    forms::ControlDesign c;
    c.kind = std::move(kind);
    c.name = std::move(name);
    c.index = index;
    c.rect = rect;
    return c;
  }

  // A point of a window, in screen pixels.
  gfx::Point Screen(const ui::Window& w, gfx::Point client) const { return desktop_.ClientToScreen(w.hwnd(), client); }

  void ClickAt(const ui::Window& w, gfx::Point client, ui::MouseButtons button = ui::kLeftButton) {
    backend_->Click(Screen(w, client), button);
    desktop_.DoEvents();
  }
  void MoveTo(const ui::Window& w, gfx::Point client) {
    backend_->MouseMoveTo(Screen(w, client));
    desktop_.DoEvents();
  }
  void MoveAway() {
    backend_->MouseMoveTo({1, 1});
    desktop_.DoEvents();
  }

  // The colour the screen shows at a point of a window.
  std::uint32_t ColourAt(const ui::Window& w, gfx::Point client) {
    const gfx::Point form_pt = desktop_.ScreenToClient(form_.hwnd(), Screen(w, client));
    return desktop_.ComposedPicture(form_.hwnd()).pixel(form_pt.x, form_pt.y).bgr();
  }

  ui::HeadlessBackend* backend_;  // owned by the desktop
  ui::Desktop desktop_;
  forms::Form form_;
};

}  // namespace kes::fields

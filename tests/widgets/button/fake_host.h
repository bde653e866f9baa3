// Plays the control's window for the button's behaviour: a 60 x 20 button, and a log of
// the focus moves asked of it.
#pragma once

#include <string>
#include <vector>

#include "widgets/button/button_model.h"

namespace kes::button {

struct FakeHost : ButtonHost {
  std::vector<std::string>* log = nullptr;
  bool pointer_over_window = true;
  bool capture = false;
  int paints = 0;
  void Paint() override { ++paints; }
  void RebuildShape() override {}
  void EnforceMinimumSize() override {}
  int InnerWidth() const override { return 60; }
  int InnerHeight() const override { return 20; }
  void EnableWindow(bool) override {}
  void TrackMouseLeave() override {}
  bool PointerOverWindow(float, float) const override { return pointer_over_window; }
  void ShowHandCursor() override {}
  void UpdatePointer() override {}
  void TakeFocus() override {}
  bool HasCapture() const override { return capture; }
  void SetCapture() override { capture = true; }
  void ReleaseCapture() override { capture = false; }
  void MoveFocus(bool forward) override {
    if (log) log->push_back(forward ? "Tab" : "Shift+Tab");
  }
  void DoEvents() override {}
};

}  // namespace kes::button

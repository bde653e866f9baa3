// The pay engine as the main window sees it: the pay model it owns and the
// handlers of the window's commands and field events.
#pragma once

#include "calc/compute_command.h"
#include "calc/entry_rules.h"
#include "calc/fields.h"
#include "calc/pay_model.h"
#include "calc/window.h"

namespace kes::calc {

class PayEngine {
 public:
  explicit PayEngine(Window& window) : window_(window), rules_(window, model_) {}
  PayEngine(const PayEngine&) = delete;
  PayEngine& operator=(const PayEngine&) = delete;

  // Click of ComComputer.
  ComputeReport compute() { return ComputeCommand(window_, model_); }

  // KeyPress of a field: key_ascii becomes 0 when the key is swallowed.
  void key_press(ControlId field, int& key_ascii) { rules_.key_press(field, key_ascii); }

  // Change of a field (raised for every text written, typed or assigned).
  void change(ControlId field) { rules_.change(field); }

  // LostFocus of a field.
  void lost_focus(ControlId field) { rules_.lost_focus(field); }

  // Click of CheckOld.
  void check_old_click() { rules_.check_old_click(); }

  PayModel& model() { return model_; }
  const PayModel& model() const { return model_; }

 private:
  Window& window_;
  PayModel model_;
  EntryRules rules_;
};

}  // namespace kes::calc

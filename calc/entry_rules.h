// Rules applied while the user types: the key filter, the normalising of
// emptied or over-long input, the minimum-wage warnings and the old-wage
// option. They work on field texts only and never touch the value arrays.
#pragma once

#include <string_view>

#include "calc/fields.h"
#include "calc/pay_model.h"
#include "calc/window.h"

namespace kes::calc {

inline constexpr std::string_view kNumericKeys = "0123456789.";
inline constexpr int kBackspace = 8;

// Returns key when its character is in `allowed` (compared without regard to
// case; backspace too when allow_backspace), otherwise beeps and returns 0.
// Codes outside the single-byte range are never allowed.
int KeyFilter(Window& window, int key, std::string_view allowed, bool allow_backspace);

// An empty text becomes "0"; a text with more than two characters after its
// first "." is cut to two. Each write raises the field's Change again.
void NormalizeEntry(Window& window, ControlId field);

// The handlers of the main window's field and check-box events.
class EntryRules {
 public:
  EntryRules(Window& window, PayModel& model) : window_(window), model_(model) {}

  // KeyPress of any numeric field: key_ascii becomes 0 when the key is swallowed.
  void key_press(ControlId field, int& key_ascii);

  // Change of a field.
  void change(ControlId field);

  // LostFocus of a field: the minimum-wage warnings.
  void lost_focus(ControlId field);

  // Click of CheckOld: shows or hides TextOld with its unit label.
  void check_old_click();

 private:
  void wage_warning(int index);
  void old_wage_warning();

  Window& window_;
  PayModel& model_;
};

}  // namespace kes::calc

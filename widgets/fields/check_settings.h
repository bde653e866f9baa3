// The check box's stored settings: keys, defaults and the order they are kept in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/forms/property_bag.h"
#include "platform/forms/values.h"
#include "widgets/fields/check_model.h"

namespace kes::fields {

struct CheckSettings {
  std::int32_t value = 0;
  std::string caption;
  bool enabled = true;
  forms::FontSpec font;
  forms::OleColor back_color = kCheckDefaultBack;
  forms::OleColor fore_color = 0;
};

// What the host offers a box it places: its display name (the first caption) and ambient font.
struct CheckHostDefaults {
  std::string_view display_name;
  forms::FontSpec ambient_font;
};

CheckSettings DefaultCheckSettings(const CheckHostDefaults& host);

// Reads every key, each falling back to its default; keys match without regard to case.
CheckSettings ReadCheckSettings(const forms::PropertyBag& bag, const CheckHostDefaults& host);

// Writes the keys in their fixed order; values equal to their defaults are left out.
void WriteCheckSettings(forms::PropertyBag& bag, const CheckSettings& settings, const CheckHostDefaults& host);

}  // namespace kes::fields

// The numeric text box's stored settings: keys, defaults and the order they are kept in.
#pragma once

#include <cstdint>
#include <string>

#include "platform/forms/property_bag.h"
#include "platform/forms/values.h"

namespace kes::fields {

struct TextSettings {
  bool enabled = true;
  bool locked = false;
  std::string text = "Text1";
  std::int16_t decimal = 0;
  double large_change = 1;
  double value = 0;  // the stored number, never the live reading of the text
  forms::FontSpec font;
};

// The settings of a newly placed control, with the host's ambient font.
TextSettings DefaultTextSettings(const forms::FontSpec& ambient_font);

// Reads every key, each falling back to its default; keys match without regard to case.
TextSettings ReadTextSettings(const forms::PropertyBag& bag, const forms::FontSpec& ambient_font);

// Writes the keys in their fixed order; values equal to their defaults are left out.
void WriteTextSettings(forms::PropertyBag& bag, const TextSettings& settings, const forms::FontSpec& ambient_font);

}  // namespace kes::fields

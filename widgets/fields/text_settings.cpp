#include "widgets/fields/text_settings.h"

namespace kes::fields {

TextSettings DefaultTextSettings(const forms::FontSpec& ambient_font) {
  TextSettings s;
  s.font = ambient_font;
  return s;
}

TextSettings ReadTextSettings(const forms::PropertyBag& bag, const forms::FontSpec& ambient_font) {
  const TextSettings d = DefaultTextSettings(ambient_font);
  TextSettings s;
  s.enabled = bag.read_bool("Enabled", d.enabled);
  s.locked = bag.read_bool("Locked", d.locked);
  s.text = bag.read_string("Text", d.text);
  s.decimal = bag.read_int16("Decimal", d.decimal);
  s.large_change = bag.read_double("LargeChange", d.large_change);
  s.value = bag.read_double("Value", d.value);
  s.font = bag.read_font("Font", d.font);
  return s;
}

void WriteTextSettings(forms::PropertyBag& bag, const TextSettings& s, const forms::FontSpec& ambient_font) {
  const TextSettings d = DefaultTextSettings(ambient_font);
  bag.write_bool("Enabled", s.enabled, d.enabled);
  bag.write_bool("Locked", s.locked, d.locked);
  bag.write_string("Text", s.text, d.text);
  bag.write_int16("Decimal", s.decimal, d.decimal);
  bag.write_double("LargeChange", s.large_change, d.large_change);
  bag.write_double("Value", s.value, d.value);
  bag.write_font("Font", s.font, d.font);
}

}  // namespace kes::fields

#include "widgets/fields/check_settings.h"

namespace kes::fields {

CheckSettings DefaultCheckSettings(const CheckHostDefaults& host) {
  CheckSettings s;
  s.caption = std::string(host.display_name);
  s.font = host.ambient_font;
  return s;
}

CheckSettings ReadCheckSettings(const forms::PropertyBag& bag, const CheckHostDefaults& host) {
  const CheckSettings d = DefaultCheckSettings(host);
  CheckSettings s;
  s.value = bag.read_int32("Value", d.value);
  s.caption = bag.read_string("Caption", d.caption);
  s.enabled = bag.read_bool("Enabled", d.enabled);
  s.font = bag.read_font("Font", d.font);
  s.back_color = bag.read_color("BackColor", d.back_color);
  s.fore_color = bag.read_color("ForeColor", d.fore_color);
  return s;
}

void WriteCheckSettings(forms::PropertyBag& bag, const CheckSettings& s, const CheckHostDefaults& host) {
  const CheckSettings d = DefaultCheckSettings(host);
  bag.write_font("Font", s.font, d.font);
  bag.write_int32("Value", s.value, d.value);
  bag.write_string("Caption", s.caption, d.caption);
  bag.write_bool("Enabled", s.enabled, d.enabled);
  bag.write_color("BackColor", s.back_color, d.back_color);
  bag.write_color("ForeColor", s.fore_color, d.fore_color);
}

}  // namespace kes::fields

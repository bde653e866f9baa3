#include "widgets/fields/field_kinds.h"

#include "widgets/fields/xp_checkbox.h"
#include "widgets/fields/xp_text.h"

namespace kes::fields {

void RegisterFieldKinds(forms::ControlFactory& factory) {
  factory.Register<XpText>("xpText");
  factory.Register<XpCheckbox>("xpCheckbox");
}

}  // namespace kes::fields

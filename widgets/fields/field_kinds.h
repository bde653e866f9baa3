// Lets a form's design name the field controls by their kinds, "xpText" and "xpCheckbox".
#pragma once

#include "platform/forms/control_factory.h"

namespace kes::fields {

void RegisterFieldKinds(forms::ControlFactory& factory);

}  // namespace kes::fields

// Which colour the numeric text box's border has: it follows the last `Enabled` assignment.
#pragma once

#include <cstdint>

namespace kes::fields {

enum class TextBorder {
  Designed,  // nothing assigned `Enabled` since the control was made or loaded
  Enabled,
  Disabled,
};

inline constexpr std::uint32_t TextBorderColor(TextBorder state) {
  switch (state) {
    case TextBorder::Enabled: return 0x00B99D7F;
    case TextBorder::Disabled: return 0x00C0C0C0;
    case TextBorder::Designed: break;
  }
  return 0x00808080;
}

}  // namespace kes::fields

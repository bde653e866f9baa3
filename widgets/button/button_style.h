#pragma once
// The sixteen looks of the button and the colours each one starts with.

#include <cstdint>

#include "platform/forms/values.h"

namespace kes::button {

inline constexpr std::int32_t kStyleCount = 16;

inline constexpr bool IsValidStyle(std::int32_t style) { return style >= 0 && style < kStyleCount; }

// Colours and focus-rectangle flag a look sets when it is assigned.
struct StyleColours {
  forms::OleColor back_color;
  forms::OleColor fore_color;
  bool show_focus_rect;
  friend bool operator==(const StyleColours&, const StyleColours&) = default;
};

// The colours of a look; an unknown look gets those of look 1.
StyleColours StyleDefaults(std::int32_t style);

// Each channel + f * 255, rounded half to even and clamped to 0..255 (a system colour is
// translated first; one that cannot be is taken as black). The result is a plain colour.
forms::OleColor ShiftColour(forms::OleColor colour, double f);

}  // namespace kes::button

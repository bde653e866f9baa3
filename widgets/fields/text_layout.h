// The numeric text box's fixed layout, in twips.
#pragma once

#include <cstdint>

namespace kes::fields {

inline constexpr int kTextMinWidth = 400;
inline constexpr int kTextHeight = 330;
inline constexpr int kTextEditLeft = 75;
inline constexpr int kTextEditTop = 60;
inline constexpr int kTextEditHeight = 210;
// The control is this much wider than its edit field.
inline constexpr int kTextEditMargin = 111;

struct TextLayout {
  int width = kTextMinWidth;  // the control, after the minimum is applied
  int height = kTextHeight;   // the control, always forced
  int border_width = kTextMinWidth;
  int border_height = kTextHeight;
  int edit_left = kTextEditLeft;
  int edit_top = kTextEditTop;
  int edit_width = kTextMinWidth - kTextEditMargin;
  int edit_height = kTextEditHeight;
};

// Lays out a control the host made `width` twips wide whose edit field uses a font of `points`.
// Larger fonts move the edit field up 15 twips per whole point above 8, in 16-bit arithmetic.
TextLayout LayOutText(int width, double points);

}  // namespace kes::fields

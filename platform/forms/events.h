// The argument records of the standard control events, shared by every control so a
// holder handles the same event the same way whichever control raises it.
#pragma once

#include <cstdint>

namespace kes::forms {

// Standard event names.
inline constexpr const char* kClick = "Click";
inline constexpr const char* kDblClick = "DblClick";
inline constexpr const char* kChange = "Change";
inline constexpr const char* kKeyDown = "KeyDown";
inline constexpr const char* kKeyUp = "KeyUp";
inline constexpr const char* kKeyPress = "KeyPress";
inline constexpr const char* kMouseDown = "MouseDown";
inline constexpr const char* kMouseMove = "MouseMove";
inline constexpr const char* kMouseUp = "MouseUp";
inline constexpr const char* kGotFocus = "GotFocus";
inline constexpr const char* kLostFocus = "LostFocus";
inline constexpr const char* kTimer = "Timer";

// MouseDown, MouseMove, MouseUp: Button and Shift are bit sets (ui::kLeftButton,
// ui::kShiftMask ...); X and Y are in the control's pixels.
struct MouseArgs {
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0;
    float y = 0;
};

// KeyDown, KeyUp: a key code (ui::VK_...) and the shift state; a handler may change both
// (a key code set to 0 means the control does nothing more with the key).
struct KeyArgs {
    std::int16_t key_code = 0;
    std::int16_t shift = 0;
};

// KeyPress: the character about to be typed, as a Unicode code point (8 is Backspace,
// 13 Enter, 27 Escape). A handler sets 0 to swallow it or another code to replace it.
struct KeyPressArgs {
    std::int32_t key_ascii = 0;
};

}  // namespace kes::forms

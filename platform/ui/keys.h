// Key codes and shift state, numbered as the classic desktop numbers them, so
// a key handler compares against the numbers its callers already know.
#pragma once

#include <cstdint>

namespace kes::ui {

/// A virtual key code (WM_KEYDOWN / WM_KEYUP wParam). Letters are their
/// upper-case ASCII code, digits their ASCII code.
using KeyCode = std::uint16_t;

inline constexpr KeyCode VK_BACK = 0x08;
inline constexpr KeyCode VK_TAB = 0x09;
inline constexpr KeyCode VK_RETURN = 0x0D;
inline constexpr KeyCode VK_SHIFT = 0x10;
inline constexpr KeyCode VK_CONTROL = 0x11;
inline constexpr KeyCode VK_MENU = 0x12;  // Alt
inline constexpr KeyCode VK_ESCAPE = 0x1B;
inline constexpr KeyCode VK_SPACE = 0x20;
inline constexpr KeyCode VK_PRIOR = 0x21;  // Page Up
inline constexpr KeyCode VK_NEXT = 0x22;   // Page Down
inline constexpr KeyCode VK_END = 0x23;
inline constexpr KeyCode VK_HOME = 0x24;
inline constexpr KeyCode VK_LEFT = 0x25;
inline constexpr KeyCode VK_UP = 0x26;
inline constexpr KeyCode VK_RIGHT = 0x27;
inline constexpr KeyCode VK_DOWN = 0x28;
inline constexpr KeyCode VK_INSERT = 0x2D;
inline constexpr KeyCode VK_DELETE = 0x2E;
inline constexpr KeyCode VK_F1 = 0x70;
inline constexpr KeyCode VK_F4 = 0x73;
inline constexpr KeyCode VK_F12 = 0x7B;
inline constexpr KeyCode VK_NUMPAD0 = 0x60;  // VK_NUMPAD0 + n for keypad digit n
inline constexpr KeyCode VK_DECIMAL = 0x6E;
inline constexpr KeyCode VK_OEM_PERIOD = 0xBE;
inline constexpr KeyCode VK_OEM_MINUS = 0xBD;

/// Shift state as key and mouse events report it: a bit set per key held.
using ShiftState = std::uint16_t;
inline constexpr ShiftState kShiftMask = 1;
inline constexpr ShiftState kCtrlMask = 2;
inline constexpr ShiftState kAltMask = 4;

/// Mouse buttons as mouse events report them: a bit set per button.
using MouseButtons = std::uint16_t;
inline constexpr MouseButtons kLeftButton = 1;
inline constexpr MouseButtons kRightButton = 2;
inline constexpr MouseButtons kMiddleButton = 4;

}  // namespace kes::ui

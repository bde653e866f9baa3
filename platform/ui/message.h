// Window messages: their numbers, their parameter types and the packing of
// their parameters. Numbers and packing follow the classic desktop's window
// messages, so code written against those conventions reads the same here.
#pragma once

#include <cstdint>

namespace kes::ui {

/// A window handle: a non-zero integer naming one window for its whole life.
/// 0 names no window. Handles are never reused within one Desktop.
using Hwnd = std::uint32_t;

/// A message number (WM_...).
using Message = std::uint32_t;
/// First message parameter: flags, key codes, ids.
using WParam = std::uintptr_t;
/// Second message parameter: packed coordinates, counts, or an address.
using LParam = std::intptr_t;
/// A message's result.
using LResult = std::intptr_t;

// ---- Message numbers -------------------------------------------------------
inline constexpr Message WM_NULL = 0x0000;
inline constexpr Message WM_CREATE = 0x0001;         // lParam: 0
inline constexpr Message WM_DESTROY = 0x0002;        // sent before the window and its children go
inline constexpr Message WM_MOVE = 0x0003;           // lParam: new client x, y (in the parent)
inline constexpr Message WM_SIZE = 0x0005;           // wParam SIZE_*, lParam: width, height
inline constexpr Message WM_ACTIVATE = 0x0006;       // wParam WA_*, lParam: the other window
inline constexpr Message WM_SETFOCUS = 0x0007;       // wParam: window that lost the focus
inline constexpr Message WM_KILLFOCUS = 0x0008;      // wParam: window that gains the focus
inline constexpr Message WM_ENABLE = 0x000A;         // wParam: 1 enabled, 0 disabled
inline constexpr Message WM_SETREDRAW = 0x000B;      // wParam: 0 freezes the picture, 1 thaws it (Desktop::SetRedraw)
inline constexpr Message WM_SETTEXT = 0x000C;        // lParam: const char* (UTF-8); sets the caption
inline constexpr Message WM_PAINT = 0x000F;          // wParam: PaintRequest* (see window.h)
inline constexpr Message WM_CLOSE = 0x0010;          // a close request; the default destroys the window
inline constexpr Message WM_SYSCOLORCHANGE = 0x0015;
inline constexpr Message WM_SHOWWINDOW = 0x0018;     // wParam: 1 shown, 0 hidden
inline constexpr Message WM_SETCURSOR = 0x0020;      // wParam: window under the pointer, lParam: hit code, mouse message
inline constexpr Message WM_NCHITTEST = 0x0084;      // lParam: screen x, y; result HT*
inline constexpr Message WM_NCACTIVATE = 0x0086;     // wParam: 1 active, 0 inactive
inline constexpr Message WM_NCLBUTTONDOWN = 0x00A1;  // wParam HTCAPTION starts a desktop move
inline constexpr Message WM_KEYDOWN = 0x0100;        // wParam: key code (VK_*), lParam: repeat count, bit 30 previous state
inline constexpr Message WM_KEYUP = 0x0101;
inline constexpr Message WM_CHAR = 0x0102;           // wParam: Unicode code point of the character
inline constexpr Message WM_SYSKEYDOWN = 0x0104;     // a key pressed with Alt held
inline constexpr Message WM_SYSKEYUP = 0x0105;
inline constexpr Message WM_SYSCHAR = 0x0106;        // a character typed with Alt held (access keys)
inline constexpr Message WM_SYSCOMMAND = 0x0112;     // wParam SC_*
inline constexpr Message WM_TIMER = 0x0113;          // wParam: timer id
inline constexpr Message WM_MOUSEMOVE = 0x0200;      // wParam MK_*, lParam: client x, y
inline constexpr Message WM_LBUTTONDOWN = 0x0201;
inline constexpr Message WM_LBUTTONUP = 0x0202;
inline constexpr Message WM_LBUTTONDBLCLK = 0x0203;
inline constexpr Message WM_RBUTTONDOWN = 0x0204;
inline constexpr Message WM_RBUTTONUP = 0x0205;
inline constexpr Message WM_RBUTTONDBLCLK = 0x0206;
inline constexpr Message WM_MBUTTONDOWN = 0x0207;
inline constexpr Message WM_MBUTTONUP = 0x0208;
inline constexpr Message WM_MBUTTONDBLCLK = 0x0209;
inline constexpr Message WM_MOUSEWHEEL = 0x020A;     // wParam: high word delta (signed, 120 a notch), low word MK_*; lParam: screen x, y
inline constexpr Message WM_SIZING = 0x0214;         // lParam: gfx::Rect* (screen), may be changed
inline constexpr Message WM_CAPTURECHANGED = 0x0215; // lParam: window gaining the capture
inline constexpr Message WM_MOVING = 0x0216;         // lParam: gfx::Rect* (screen), may be changed
inline constexpr Message WM_ENTERSIZEMOVE = 0x0231;
inline constexpr Message WM_EXITSIZEMOVE = 0x0232;
inline constexpr Message WM_MOUSELEAVE = 0x02A3;
inline constexpr Message WM_THEMECHANGED = 0x031A;
/// First message number free for a program's own messages.
inline constexpr Message WM_USER = 0x0400;

// ---- Parameter values -------------------------------------------------------
// WM_ACTIVATE wParam (low word)
inline constexpr WParam WA_INACTIVE = 0;
inline constexpr WParam WA_ACTIVE = 1;
inline constexpr WParam WA_CLICKACTIVE = 2;

// WM_SIZE wParam
inline constexpr WParam SIZE_RESTORED = 0;
inline constexpr WParam SIZE_MINIMIZED = 1;
inline constexpr WParam SIZE_MAXIMIZED = 2;

// WM_SYSCOMMAND wParam (the low four bits are the desktop's own)
inline constexpr WParam SC_SIZE = 0xF000;
inline constexpr WParam SC_MOVE = 0xF010;
inline constexpr WParam SC_MINIMIZE = 0xF020;
inline constexpr WParam SC_MAXIMIZE = 0xF030;
inline constexpr WParam SC_CLOSE = 0xF060;
inline constexpr WParam SC_RESTORE = 0xF120;

// Mouse key state in wParam of mouse messages
inline constexpr WParam MK_LBUTTON = 0x0001;
inline constexpr WParam MK_RBUTTON = 0x0002;
inline constexpr WParam MK_SHIFT = 0x0004;
inline constexpr WParam MK_CONTROL = 0x0008;
inline constexpr WParam MK_MBUTTON = 0x0010;

/// One notch of the wheel in WM_MOUSEWHEEL.
inline constexpr int WHEEL_DELTA = 120;

// Hit-test codes (WM_NCHITTEST result, WM_NCLBUTTONDOWN wParam)
inline constexpr LResult HTTRANSPARENT = -1;
inline constexpr LResult HTNOWHERE = 0;
inline constexpr LResult HTCLIENT = 1;
inline constexpr LResult HTCAPTION = 2;

// ---- Packing ----------------------------------------------------------------
/// Packs two 16-bit values, low first, as the classic desktop's MAKELPARAM.
constexpr LParam MakeLParam(int low, int high) {
  return static_cast<LParam>(static_cast<std::uint32_t>((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16 |
                                                        (static_cast<std::uint32_t>(low) & 0xFFFFu)));
}
/// Packs a wParam from two 16-bit values (WM_MOUSEWHEEL: key state low, delta high).
constexpr WParam MakeWParam(int low, int high) {
  return static_cast<WParam>(static_cast<std::uint32_t>((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16 |
                                                        (static_cast<std::uint32_t>(low) & 0xFFFFu)));
}
/// The low word, unsigned.
constexpr unsigned LoWord(std::uintptr_t v) { return static_cast<unsigned>(v & 0xFFFFu); }
/// The high word of the low 32 bits, unsigned.
constexpr unsigned HiWord(std::uintptr_t v) { return static_cast<unsigned>((v >> 16) & 0xFFFFu); }
/// The x coordinate of a packed point (signed: points left of a window are negative).
constexpr int XFromLParam(LParam l) { return static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(l))); }
/// The y coordinate of a packed point (signed).
constexpr int YFromLParam(LParam l) { return static_cast<std::int16_t>(HiWord(static_cast<std::uintptr_t>(l))); }
/// The signed wheel delta of WM_MOUSEWHEEL's wParam.
constexpr int WheelDeltaFromWParam(WParam w) { return static_cast<std::int16_t>(HiWord(w)); }

}  // namespace kes::ui

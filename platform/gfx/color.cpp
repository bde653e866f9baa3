#include "platform/gfx/color.h"

#include <array>

namespace kes::gfx {
namespace {

// The classic desktop scheme ("Windows Standard"), indexed by system colour.
// Index 25 has no colour of its own on that desktop and reads as black.
constexpr std::array<std::uint32_t, 31> kClassic = {
    0xC8D0D4,  // 0 scroll bar
    0xA56E3A,  // 1 desktop
    0x6A240A,  // 2 active caption
    0x808080,  // 3 inactive caption
    0xC8D0D4,  // 4 menu
    0xFFFFFF,  // 5 window
    0x000000,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0xFFFFFF,  // 9 caption text
    0xC8D0D4,  // 10 active border
    0xC8D0D4,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x6A240A,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xC8D0D4,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0xC8D0D4,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x404040,  // 21 3D dark shadow
    0xC8D0D4,  // 22 3D light
    0x000000,  // 23 tooltip text
    0xE1FFFF,  // 24 tooltip background
    0x000000,  // 25 (none)
    0x800000,  // 26 hot-tracked item
    0xF0CAA6,  // 27 active caption gradient
    0xC0C0C0,  // 28 inactive caption gradient
    0x6A240A,  // 29 menu highlight
    0xC8D0D4,  // 30 menu bar
};

}  // namespace

Color system_color(SystemColor c) {
    const auto i = static_cast<std::size_t>(c);
    return i < kClassic.size() ? Color::from_bgr(kClassic[i]) : kBlack;
}

std::int32_t translate_color(std::uint32_t stored) {
    if ((stored & 0xFF000000u) == 0) return static_cast<std::int32_t>(stored);
    if ((stored & 0xFFFFFF00u) == 0x80000000u) {
        const std::uint32_t index = stored & 0xFFu;
        if (index < kClassic.size()) return static_cast<std::int32_t>(kClassic[index]);
    }
    return -1;
}

Color resolve_color(std::uint32_t stored) {
    const std::int32_t v = translate_color(stored);
    return v < 0 ? kBlack : Color::from_bgr(static_cast<std::uint32_t>(v));
}

}  // namespace kes::gfx

// Colours as the program stores them, and their translation to pixels.
//
// A stored colour is a 32-bit value 0x00BBGGRR. With the top bit set,
// 0x800000nn names system colour nn, which is translated through a table of
// the classic desktop defaults before anything is drawn with it.
#pragma once

#include <cstdint>

namespace kes::gfx {

// A plain red, green and blue colour (already translated).
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    static constexpr Color from_rgb(int r, int g, int b) {
        return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
    }
    // From a 0x00BBGGRR value; the top byte is ignored.
    static constexpr Color from_bgr(std::uint32_t v) {
        return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
                static_cast<std::uint8_t>((v >> 16) & 0xFF)};
    }
    // The 0x00BBGGRR value.
    constexpr std::uint32_t bgr() const {
        return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
    }
    // The 0xFFRRGGBB value a Surface stores.
    constexpr std::uint32_t argb() const {
        return 0xFF000000u | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
    }
    static constexpr Color from_argb(std::uint32_t v) {
        return {static_cast<std::uint8_t>((v >> 16) & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
                static_cast<std::uint8_t>(v & 0xFF)};
    }
    // The colour with every channel inverted (what an inverting draw makes of it).
    constexpr Color inverted() const {
        return {static_cast<std::uint8_t>(255 - r), static_cast<std::uint8_t>(255 - g),
                static_cast<std::uint8_t>(255 - b)};
    }

    friend constexpr bool operator==(Color, Color) = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};

// The system colour indices (nn in 0x800000nn).
enum class SystemColor : int {
    ScrollBar = 0,
    Desktop = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,  // 3D shadow
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,  // 3D highlight
    DarkShadow = 21,       // 3D dark shadow
    Light = 22,            // 3D light
    InfoText = 23,
    InfoBackground = 24,
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHighlight = 29,
    MenuBar = 30,
};

// The stored value that names a system colour: 0x80000000 + index.
constexpr std::uint32_t system_color_value(SystemColor c) {
    return 0x80000000u | static_cast<std::uint32_t>(c);
}

// The classic desktop default of a system colour; black for an index the table lacks.
Color system_color(SystemColor c);

// Translates a stored colour to its 0x00BBGGRR value: a plain value stays as it
// is, a system colour is looked up; anything else (an unknown index, another
// top byte) gives -1.
std::int32_t translate_color(std::uint32_t stored);

// Translates a stored colour for drawing; an untranslatable one draws black.
Color resolve_color(std::uint32_t stored);

}  // namespace kes::gfx

// Plain value types a design stores: colours as the 0x00BBGGRR numbers forms keep,
// fonts and picture references.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gfx/font.h"

namespace kes::forms {

// 0x00BBGGRR; a value with the top bit set (0x800000nn) names system colour nn.
using OleColor = std::uint32_t;

inline constexpr OleColor kSystemColorFlag = 0x80000000u;
inline constexpr bool is_system_color(OleColor c) { return (c & kSystemColorFlag) != 0; }

// The system colours the stored designs name.
inline constexpr OleColor kColorWindowText = 0x80000008u;
inline constexpr OleColor kColorWindow = 0x80000005u;
inline constexpr OleColor kColorButtonFace = 0x8000000Fu;
inline constexpr OleColor kColorButtonShadow = 0x80000010u;
inline constexpr OleColor kColorGrayText = 0x80000011u;
inline constexpr OleColor kColorButtonText = 0x80000012u;
inline constexpr OleColor kColorButtonHighlight = 0x80000014u;
inline constexpr OleColor kColorButtonDarkShadow = 0x80000015u;
inline constexpr OleColor kColorHighlight = 0x8000000Du;
inline constexpr OleColor kColorHighlightText = 0x8000000Eu;

// A stored font is a gfx::FontSpec: face, size in points, weight, character set, flags.
using gfx::FontSpec;

// The face the Chinese designs name, and the Western default.
inline FontSpec song_font(double points = 9, int weight = 400) { return {"宋体", points, weight, 134}; }
inline FontSpec tahoma_font(double points = 8.25, int weight = 400) { return {"Tahoma", points, weight, 0}; }

// A picture kept by reference to its file (a path from the repository top or absolute);
// the control loads the pixels when it needs them. An empty source is no picture.
struct PictureRef {
    std::string source;

    bool empty() const { return source.empty(); }
    friend bool operator==(const PictureRef&, const PictureRef&) = default;
};

}  // namespace kes::forms

// Lays a text out in a rectangle with the layout flags of the desktop's text
// drawing: single line or wrapped, aligned left, centre or right, top, centre
// or bottom, with "&" marking an access key and "&&" a literal ampersand.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/gfx/geometry.h"

namespace kes::gfx {

// Flags for Canvas::draw_text and layout_text; the values are the desktop's.
enum TextFlags : unsigned {
    kTextTop = 0x0,
    kTextLeft = 0x0,
    kTextCenter = 0x1,      // horizontally
    kTextRight = 0x2,
    kTextVCenter = 0x4,     // vertically; single-line texts only
    kTextBottom = 0x8,      // single-line texts only
    kTextWordBreak = 0x10,  // wrap at word boundaries (and between Chinese characters)
    kTextSingleLine = 0x20, // line breaks in the text are not honoured
    kTextNoClip = 0x100,    // draw outside the rectangle too
    kTextCalcRect = 0x400,  // measure only (Canvas::draw_text draws nothing)
    kTextNoPrefix = 0x800,  // "&" is an ordinary character
};

struct TextLine {
    std::u32string text;  // the characters shown, prefixes removed
    Point origin;         // pen position of the first character: left end, top of the line
    int width = 0;
    // Index in `text` of the character to underline as access key, or -1.
    int underline_index = -1;
};

struct TextLayout {
    std::vector<TextLine> lines;
    // The rectangle the lines take: left and top of the first line, as wide
    // as the widest line, as high as all lines.
    Rect bounds;
};

// Lays `utf8` out in `rect` with `flags`. Lines wholly below the rectangle are
// left out unless kTextNoClip is given; what is partly inside is kept (the
// drawing clips it).
TextLayout layout_text(const Font& font, std::string_view utf8, Rect rect, unsigned flags);

// The text with prefixes processed ("&&" → "&", a lone "&" removed), as shown.
std::string strip_prefixes(std::string_view utf8);

}  // namespace kes::gfx

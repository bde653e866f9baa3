// Fonts named the way the program names them, rasterised with FreeType.
//
// A font is a face name, a size in points, a weight, a character set and the
// italic / underline / strike-out flags. Sizes are taken at 96 dots per inch
// (9 points is a 12-pixel em). Face names go through a fixed substitution list
// before fontconfig is asked (宋体 and SimSun become AR PL UMing CN, Tahoma
// becomes DejaVu Sans), and a character the chosen face lacks is drawn with
// the 宋体 face instead. Glyphs are hinted, grey anti-aliased (crisp where the
// face carries bitmaps for the size) and cached for the life of the process.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/geometry.h"

namespace kes::gfx {

struct FontSpec {
    std::string face = "宋体";
    double points = 9.0;
    int weight = 400;  // 400 regular, 700 bold
    int charset = 134;  // 134 Chinese (GB2312), 0 Western
    bool italic = false;
    bool underline = false;
    bool strikeout = false;

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The em size in pixels for a size in points at 96 dots per inch, rounded to
// the nearest pixel (at least 1).
int points_to_pixels(double points);

// Line metrics in whole pixels: height = ascent + descent.
struct FontMetrics {
    int height = 0;
    int ascent = 0;   // baseline below the top of a line
    int descent = 0;  // below the baseline
    int average_char_width = 0;  // width of an average Latin lower-case letter
    // Underlines cover rows baseline + offset .. + thickness - 1, where the
    // baseline row (top + ascent) is the first row under the letters.
    int underline_offset = 0;
    int underline_thickness = 1;
};

// One rendered glyph: coverage 0..255 per pixel, placed relative to the pen
// position on the baseline.
struct Glyph {
    int left = 0;     // first column, from the pen position
    int top = 0;      // first row, upward from the baseline (positive above)
    int width = 0;
    int height = 0;
    int advance = 0;  // whole pixels to the next pen position
    std::vector<std::uint8_t> coverage;  // width * height, row by row
};

class Font {
public:
    // 宋体 9 points, regular.
    Font();
    explicit Font(const FontSpec& request);
    // Convenience for the common case.
    Font(std::string face, double points, int weight = 400, int charset = 134);

    const FontSpec& request() const;
    int pixel_size() const;
    const FontMetrics& metrics() const;

    // The family of the file the face name resolved to ("AR PL UMing CN").
    std::string family() const;
    // The family that draws the character (the face itself or the 宋体 fallback).
    std::string family_for(char32_t ch) const;

    // The glyph for a character; a character no face has draws as an empty box.
    const Glyph& glyph(char32_t ch) const;
    int advance(char32_t ch) const { return glyph(ch).advance; }

    // Width of a UTF-8 text on one line, exactly the distance drawing it moves
    // the pen; no prefix processing, line breaks count as nothing.
    int text_width(std::string_view utf8) const;
    // text_width and the line height.
    Size text_extent(std::string_view utf8) const;

    // Same face, size and style.
    bool operator==(const Font& other) const { return request() == other.request(); }

    struct Impl;

private:
    std::shared_ptr<Impl> impl_;
};

}  // namespace kes::gfx

// The painter: draws lines, rectangles, rounded shapes, gradients, bitmaps and
// text onto a Surface, in pixels.
//
// Coordinates are moved by the current translation and cut by the current clip
// (a region in surface pixels, the whole surface to begin with). The drawing
// state — clip, translation, pen, brush, raster mode, font, text colour and
// text background — is kept on a stack: save() pushes a copy, restore() pops
// it. Shapes follow the desktop's conventions the widgets are written for: a
// line leaves out its end point, fills leave out the right and bottom edges.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/gfx/color.h"
#include "platform/gfx/font.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"
#include "platform/gfx/text_layout.h"

namespace kes::gfx {

// How a drawn pixel combines with the pixel beneath (text is always copied).
enum class RasterMode {
    Copy,    // the pixel becomes the colour
    Xor,     // the pixel becomes (pixel xor colour): drawing twice restores it
    Invert,  // the pixel is inverted, whatever the colour: drawing twice restores it
};

// The desktop's 3D borders, two pixels wide, in the classic system colours.
enum class Edge {
    Raised,  // a button: light top-left, dark bottom-right
    Sunken,  // a text box: dark top-left, light bottom-right
    Etched,  // a group box frame: a grooved line
    Bump,    // a ridge: the etched line the other way round
};

// How a bitmap copy treats its pixels. Source alpha is honoured: a pixel with
// alpha 0 (never drawn) is left out, a part-transparent one is blended.
struct BlitOptions {
    // Source pixels of this colour are left out (a transparent copy).
    std::optional<Color> transparent_key;
    // Draw in grey, the look of a picture on a disabled control.
    bool disabled = false;
};

class Canvas {
public:
    // The surface must outlive the canvas.
    explicit Canvas(Surface& target);

    Surface& target() { return *target_; }

    // --- state ---------------------------------------------------------
    void save();
    // Pops the state pushed by the matching save(); without one, nothing happens.
    void restore();

    // Moves the origin by (dx, dy), on top of the current translation.
    void translate(int dx, int dy);
    Point translation() const { return state().translation; }

    // Narrows the clip to a rectangle / region given in current coordinates.
    void clip_rect(Rect r);
    void clip_region(const Region& r);
    // The clip in surface pixels.
    const Region& clip() const { return state().clip; }

    void set_pen(Color c) { state().pen = c; }
    Color pen() const { return state().pen; }
    // The fill of rectangle() and round_rect(); nullopt leaves the inside alone.
    void set_brush(std::optional<Color> c) { state().brush = c; }
    std::optional<Color> brush() const { return state().brush; }
    void set_raster_mode(RasterMode m) { state().mode = m; }
    RasterMode raster_mode() const { return state().mode; }

    void set_font(const Font& f) { state().font = f; }
    const Font& font() const { return state().font; }
    void set_text_color(Color c) { state().text_color = c; }
    Color text_color() const { return state().text_color; }
    // With a background colour, text first fills each line's box with it;
    // nullopt (the default) draws text on what is there.
    void set_text_background(std::optional<Color> c) { state().text_background = c; }

    // --- pixels and lines -------------------------------------------------
    void set_pixel(Point p, Color c);
    // The colour at p (current coordinates, clip ignored); black off the surface.
    Color pixel(Point p) const;
    // A one-pixel line from a towards b; b itself is not drawn.
    void line(Point a, Point b, Color c);
    // The same in the pen colour.
    void line(Point a, Point b) { line(a, b, pen()); }

    // --- rectangles ----------------------------------------------------------
    // Fills r, right and bottom edges excluded.
    void fill_rect(Rect r, Color c);
    // Lines (x, y)→(x + w, y)→(x + w, y + h)→(x, y + h)→(x, y): the pixels
    // x..x+w by y..y+h, each drawn once.
    void outline_rect(int x, int y, int w, int h, Color c);
    // A one-pixel border just inside r (the desktop's frame rectangle).
    void frame_rect(Rect r, Color c);
    // The desktop's rectangle: border just inside r in the pen colour, the
    // inside filled with the brush.
    void rectangle(Rect r);
    // A rounded rectangle covering r, corners cut by an ellipse
    // ellipse_width x ellipse_height: border in the pen, inside in the brush.
    void round_rect(Rect r, int ellipse_width, int ellipse_height);
    // The dotted focus frame just inside r, drawn by inverting every other
    // pixel: drawing it twice removes it. Ignores the raster mode.
    void focus_rect(Rect r);
    // A two-pixel 3D border just inside r.
    void edge(Rect r, Edge kind);
    // Fills the pixels of a region (given in current coordinates).
    void fill_region(const Region& region, Color c);

    // Fills r with rows going from `top` (first row) to `bottom` (last row):
    // row i of n gets, per channel, top + (bottom - top) * i / (n - 1),
    // with the division truncated.
    void vertical_gradient(Rect r, Color top, Color bottom);

    // --- bitmaps -------------------------------------------------------------
    // Copies `src_rect` of `src` scaled to `dst` (nearest pixel).
    void draw_bitmap(const Surface& src, Rect src_rect, Rect dst, const BlitOptions& options = {});
    // The whole bitmap unscaled at p.
    void draw_bitmap(const Surface& src, Point p, const BlitOptions& options = {});

    // --- text ----------------------------------------------------------------
    // Draws UTF-8 text laid out in r with TextFlags, in the current font and
    // text colour, underlining the access key; returns the height of the text
    // drawn (as the desktop's text drawing does). With kTextCalcRect it only
    // measures.
    int draw_text(std::string_view utf8, Rect r, unsigned flags);
    // Draws one line with no prefix processing, its top-left corner at p.
    void draw_text(std::string_view utf8, Point p);
    // The rectangle the text would take (kTextCalcRect).
    Rect measure_text(std::string_view utf8, Rect r, unsigned flags) const;

private:
    struct State {
        Region clip;
        Point translation;
        Color pen = kBlack;
        std::optional<Color> brush;
        RasterMode mode = RasterMode::Copy;
        Font font;
        Color text_color = kBlack;
        std::optional<Color> text_background;
    };

    State& state() { return stack_.back(); }
    const State& state() const { return stack_.back(); }

    // Writes one surface pixel through the raster mode, if the clip allows.
    void plot(int x, int y, Color c);
    // Fills a rectangle of surface pixels through the clip and raster mode.
    void fill_device(Rect r, Color c);
    // Blends one glyph's coverage onto surface pixels at pen position (x, baseline).
    void draw_glyph(const Glyph& g, int x, int baseline, Color c);
    void draw_line_of_text(const TextLine& line, Rect clip_box, bool clip);

    Surface* target_;
    std::vector<State> stack_;
};

// Saves the canvas state now and restores it when it goes out of scope.
class CanvasStateSaver {
public:
    explicit CanvasStateSaver(Canvas& c) : canvas_(c) { canvas_.save(); }
    ~CanvasStateSaver() { canvas_.restore(); }
    CanvasStateSaver(const CanvasStateSaver&) = delete;
    CanvasStateSaver& operator=(const CanvasStateSaver&) = delete;

private:
    Canvas& canvas_;
};

}  // namespace kes::gfx

// The drawing primitives: lines, rectangles, rounded shapes and regions, inverting draws,
// gradients and bitmap copies.
#include <cmath>
#include <memory>

#include "platform/gfx/canvas.h"
#include "platform/gfx/region.h"
#include "tools/kestrane-gallery/page.h"

namespace {

using namespace kes;
using gfx::Color;
using gfx::Point;
using gfx::Rect;

constexpr Color kInk{0, 0, 0};
constexpr Color kRed{220, 0, 0};
constexpr Color kBlue{0, 64, 160};

void heading(gfx::Canvas& c, const gfx::Font& f, int x, int y, const char* text) {
    c.set_font(f);
    c.set_text_color(kInk);
    c.draw_text(text, Point{x, y});
}

// A 12 x 12 test bitmap: a blue frame, a yellow cross and magenta corners (the key colour).
gfx::Surface sample_bitmap() {
    gfx::Surface s(12, 12, Color{255, 255, 255}.argb());
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            Color c{255, 255, 255};
            if (x == 0 || y == 0 || x == 11 || y == 11) c = kBlue;
            if (x == y || x == 11 - y) c = Color{230, 180, 0};
            if ((x < 3 && y < 3) || (x > 8 && y > 8)) c = Color{255, 0, 255};
            s.set_pixel(x, y, c);
        }
    }
    return s;
}

void draw(gfx::Canvas& c, Rect area) {
    c.fill_rect(area, Color{255, 255, 255});
    const gfx::Font label("Tahoma", 8.25, 400, 0);

    // Lines in sixteen directions from one centre; the red dot marks each end point,
    // which a line leaves out.
    heading(c, label, 10, 6, "Lines (red: the end left out)");
    const Point centre{90, 100};
    for (int i = 0; i < 16; ++i) {
        const double a = i * 3.14159265358979 / 8;
        const Point end{centre.x + int(std::lround(60 * std::cos(a))), centre.y + int(std::lround(60 * std::sin(a)))};
        c.line(centre, end, kInk);
        c.set_pixel(end, kRed);
    }

    // Rectangles.
    heading(c, label, 200, 6, "Rectangles");
    c.fill_rect({200, 30, 60, 40}, kBlue);
    c.outline_rect(270, 30, 60, 40, kInk);
    c.frame_rect({340, 30, 60, 40}, kRed);
    c.set_pen(kInk);
    c.set_brush(Color{255, 230, 160});
    c.rectangle({410, 30, 60, 40});
    c.vertical_gradient({480, 30, 140, 40}, Color{64, 64, 64}, Color{255, 255, 255});

    // Rounded rectangles and regions.
    heading(c, label, 200, 84, "Rounded shapes and regions");
    c.set_pen(kBlue);
    c.set_brush(Color{200, 220, 255});
    c.round_rect({200, 104, 70, 44}, 10, 10);
    c.round_rect({280, 104, 70, 44}, 20, 20);
    c.round_rect({360, 104, 44, 44}, 44, 44);
    gfx::Region ring = gfx::Region::rounded_shape({420, 104, 60, 44}, 16, 16)
                           .subtracted(gfx::Region::rounded_shape({432, 114, 36, 24}, 10, 10));
    c.fill_region(ring, Color{0, 140, 0});
    gfx::Region both = gfx::Region(Rect{500, 104, 50, 30}).united(Rect{530, 118, 50, 30});
    c.fill_region(both, Color{180, 120, 0});

    // Inverting draws: the left half is drawn twice (restored), the right half once.
    heading(c, label, 10, 180, "Exclusive-or and focus rectangles (left: drawn twice)");
    c.vertical_gradient({10, 200, 300, 50}, Color{255, 200, 120}, Color{120, 160, 255});
    c.save();
    c.set_raster_mode(gfx::RasterMode::Xor);
    c.fill_rect({20, 210, 120, 30}, Color{255, 255, 255});
    c.fill_rect({20, 210, 120, 30}, Color{255, 255, 255});
    c.fill_rect({170, 210, 120, 30}, Color{255, 255, 255});
    c.restore();
    c.focus_rect({330, 200, 120, 50});
    c.focus_rect({470, 200, 120, 50});
    c.focus_rect({470, 200, 120, 50});
    c.focus_rect({480, 210, 100, 30});

    // Clipping: a star of lines cut by a rectangle.
    heading(c, label, 10, 270, "Clipping");
    c.save();
    c.clip_rect({20, 294, 120, 60});
    for (int i = 0; i < 12; ++i) c.line({80, 324}, {80 + int(100 * std::cos(i * 0.5236)), 324 + int(100 * std::sin(i * 0.5236))}, kBlue);
    c.restore();
    c.frame_rect({19, 293, 122, 62}, kRed);

    // Bitmaps: plain, stretched, keyed (magenta left out) and disabled.
    heading(c, label, 200, 270, "Bitmaps: plain, stretched 4x, keyed, stretched and keyed, disabled");
    const gfx::Surface bmp = sample_bitmap();
    c.fill_rect({200, 290, 420, 60}, Color{200, 200, 200});
    c.draw_bitmap(bmp, Point{210, 300});
    c.draw_bitmap(bmp, bmp.rect(), {240, 294, 48, 48});
    gfx::BlitOptions keyed;
    keyed.transparent_key = Color{255, 0, 255};
    c.draw_bitmap(bmp, Point{310, 300}, keyed);
    c.draw_bitmap(bmp, bmp.rect(), {340, 294, 48, 48}, keyed);
    gfx::BlitOptions grey;
    grey.disabled = true;
    c.draw_bitmap(bmp, bmp.rect(), {410, 294, 48, 48}, grey);

    // Pixels.
    heading(c, label, 10, 370, "Pixels");
    for (int i = 0; i < 64; ++i) c.set_pixel({20 + i * 2, 396 + (i % 8)}, Color{uint8_t(i * 4), 0, uint8_t(255 - i * 4)});
}

gallery::Page Primitives() { return gallery::DrawingPage("primitives", "Drawing primitives", 10, {640, 420}, draw); }

}  // namespace

KES_GALLERY_PAGE(Primitives);

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gfx/canvas.h"
#include "tests/platform/gfx/pixels.h"

namespace kes::gfx {
namespace {

using testing::area;
using testing::ink;
using testing::PixelSet;

constexpr Color kRed{255, 0, 0};
constexpr Color kPaper{250, 240, 230};

// A small picture with a pattern, so that restoring tests see more than one colour.
class DrawingTest : public ::testing::Test {
protected:
    DrawingTest() : surface(40, 30), canvas(surface) {
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x)
                surface.set_pixel(x, y, (x / 4 + y / 3) % 2 ? kPaper : Color::from_rgb(10 * (x % 7), 90, 200));
    }
    PixelSet changed_from(const Surface& before) const {
        PixelSet out;
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x)
                if (surface.raw_pixel(x, y) != before.raw_pixel(x, y)) out.insert({x, y});
        return out;
    }

    Surface surface;
    Canvas canvas;
};

// A blank white picture for tests that look at exactly which pixels got ink.
class BlankTest : public ::testing::Test {
protected:
    BlankTest() : surface(40, 30, kWhite.argb()), canvas(surface) {}
    PixelSet drawn() const { return ink(surface, kWhite); }

    Surface surface;
    Canvas canvas;
};

TEST_F(BlankTest, LinesInEveryDirectionLeaveOutTheirEndPoint) {
    struct Case {
        Point a, b;
    };
    const Case cases[] = {
        {{5, 5}, {15, 5}},  {{15, 5}, {5, 5}},   {{5, 5}, {5, 15}},  {{5, 15}, {5, 5}},  {{5, 5}, {15, 15}},
        {{15, 15}, {5, 5}}, {{15, 5}, {5, 15}},  {{5, 15}, {15, 5}}, {{2, 3}, {30, 10}}, {{30, 10}, {2, 3}},
        {{4, 2}, {9, 25}},  {{9, 25}, {4, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.a.x << "," << c.a.y << ")->(" << c.b.x << "," << c.b.y << ")");
        surface.fill(kWhite.argb());
        canvas.line(c.a, c.b, kBlack);
        const PixelSet px = drawn();
        EXPECT_TRUE(px.count({c.a.x, c.a.y}));
        EXPECT_FALSE(px.count({c.b.x, c.b.y}));
        EXPECT_EQ(px.size(), std::size_t(std::max(std::abs(c.b.x - c.a.x), std::abs(c.b.y - c.a.y))));
        // Connected: every pixel but the first touches another one.
        for (const auto& [x, y] : px) {
            bool touches = false;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if ((dx || dy) && px.count({x + dx, y + dy})) touches = true;
            EXPECT_TRUE(touches) << x << "," << y;
        }
    }
    surface.fill(kWhite.argb());
    canvas.line({7, 7}, {7, 7}, kBlack);
    EXPECT_TRUE(drawn().empty()) << "a line to its own start draws nothing";

    // Lines reaching far past the surface draw what lies on it.
    canvas.line({-1000000, 5}, {1000000, 5}, kBlack);
    canvas.line({-3000000, -2000000}, {-1000000, 1000000}, kBlack);
    EXPECT_EQ(drawn(), area({0, 5, 40, 1}));
}

TEST_F(BlankTest, RectanglesCoverExactlyTheirPixels) {
    struct Case {
        const char* name;
        void (*draw)(Canvas&);
        PixelSet expected;
    };
    auto border = [](Rect r) {
        PixelSet all = area(r), in = area(r.inflated(-1, -1));
        for (const auto& p : in) all.erase(p);
        return all;
    };
    const Case cases[] = {
        {"fill excludes right and bottom", [](Canvas& c) { c.fill_rect({3, 4, 5, 2}, kBlack); }, area({3, 4, 5, 2})},
        {"fill of negative size", [](Canvas& c) { c.fill_rect({10, 10, -3, 4}, kBlack); }, {}},
        {"outline covers x..x+w by y..y+h", [](Canvas& c) { c.outline_rect(2, 3, 6, 4, kBlack); },
         border({2, 3, 7, 5})},
        {"frame just inside", [](Canvas& c) { c.frame_rect({2, 3, 6, 4}, kBlack); }, border({2, 3, 6, 4})},
        {"frame one pixel high", [](Canvas& c) { c.frame_rect({2, 3, 6, 1}, kBlack); }, area({2, 3, 6, 1})},
        {"rectangle without brush", [](Canvas& c) { c.rectangle({1, 1, 5, 5}); }, border({1, 1, 5, 5})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        surface.fill(kWhite.argb());
        c.draw(canvas);
        EXPECT_EQ(drawn(), c.expected);
    }
}

TEST_F(BlankTest, RectangleFillsInsideWithBrushAndBorderWithPen) {
    canvas.set_pen(kBlack);
    canvas.set_brush(kRed);
    canvas.rectangle({2, 2, 6, 5});
    EXPECT_EQ(surface.pixel(2, 2), kBlack);
    EXPECT_EQ(surface.pixel(7, 6), kBlack);
    EXPECT_EQ(surface.pixel(3, 3), kRed);
    EXPECT_EQ(surface.pixel(6, 5), kRed);
    EXPECT_EQ(surface.pixel(8, 7), kWhite);
}

TEST_F(BlankTest, RoundRectCutsCornersByTheEllipseAndFillsInside) {
    canvas.set_pen(kBlack);
    canvas.set_brush(kRed);
    canvas.round_rect({0, 0, 20, 12}, 6, 6);
    // Corners outside the ellipse stay untouched, the sides are border, the middle is brush.
    for (Point p : {Point{0, 0}, Point{19, 0}, Point{0, 11}, Point{19, 11}, Point{1, 0}, Point{0, 1}})
        EXPECT_EQ(surface.pixel(p.x, p.y), kWhite) << p.x << "," << p.y;
    for (Point p : {Point{10, 0}, Point{10, 11}, Point{0, 6}, Point{19, 6}})
        EXPECT_EQ(surface.pixel(p.x, p.y), kBlack) << p.x << "," << p.y;
    EXPECT_EQ(surface.pixel(10, 6), kRed);
    EXPECT_EQ(surface.pixel(20, 6), kWhite) << "right edge excluded";
    // The border is closed: no brush pixel touches the outside.
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            if (surface.pixel(x, y) != kRed) continue;
            for (Point d : {Point{1, 0}, Point{-1, 0}, Point{0, 1}, Point{0, -1}})
                EXPECT_NE(surface.pixel(x + d.x, y + d.y), kWhite) << x << "," << y;
        }
}

TEST_F(DrawingTest, ExclusiveOrAndFocusRectanglesDrawnTwiceRestoreThePicture) {
    struct Case {
        const char* name;
        void (*draw)(Canvas&);
    };
    const Case cases[] = {
        {"lines", [](Canvas& c) {
             c.line({1, 1}, {35, 20}, kRed);
             c.line({35, 1}, {1, 28}, kRed);
         }},
        {"outline", [](Canvas& c) { c.outline_rect(3, 3, 20, 10, kRed); }},
        {"frame", [](Canvas& c) { c.frame_rect({5, 5, 12, 9}, kRed); }},
        {"fill", [](Canvas& c) { c.fill_rect({4, 4, 9, 9}, kRed); }},
        {"pixels", [](Canvas& c) {
             c.set_pixel({0, 0}, kRed);
             c.set_pixel({39, 29}, kRed);
         }},
        {"round rect", [](Canvas& c) {
             c.set_pen(kRed);
             c.set_brush(Color{0, 255, 0});
             c.round_rect({2, 2, 30, 20}, 8, 8);
         }},
    };
    for (RasterMode mode : {RasterMode::Xor, RasterMode::Invert}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const Surface before = surface;
            canvas.set_raster_mode(mode);
            c.draw(canvas);
            EXPECT_FALSE(changed_from(before).empty());
            c.draw(canvas);
            EXPECT_TRUE(surface.same_pixels(before));
        }
    }

    // The focus frame inverts every other border pixel and ignores the raster mode.
    canvas.set_raster_mode(RasterMode::Copy);
    const Surface before = surface;
    canvas.focus_rect({3, 4, 11, 7});
    const PixelSet dots = changed_from(before);
    EXPECT_GT(dots.size(), 10u);
    for (const auto& [x, y] : dots) {
        EXPECT_TRUE(x == 3 || x == 13 || y == 4 || y == 10) << x << "," << y;
        EXPECT_EQ(surface.pixel(x, y), before.pixel(x, y).inverted());
        EXPECT_FALSE(dots.count({x + 1, y}) || dots.count({x, y + 1})) << "dotted, not solid";
    }
    canvas.focus_rect({3, 4, 11, 7});
    EXPECT_TRUE(surface.same_pixels(before));
}

TEST_F(BlankTest, ClipAndTranslationApplyToEveryPrimitiveAndAreRestored) {
    canvas.save();
    canvas.translate(10, 5);
    canvas.clip_rect({0, 0, 6, 6});  // surface pixels 10..15, 5..10
    canvas.fill_rect({-5, -5, 30, 30}, kBlack);
    EXPECT_EQ(drawn(), area({10, 5, 6, 6}));
    canvas.restore();

    surface.fill(kWhite.argb());
    canvas.fill_rect({0, 0, 2, 2}, kBlack);
    EXPECT_EQ(drawn(), area({0, 0, 2, 2})) << "restore brings back the whole surface and no translation";

    // A region clip with a hole; lines, text and bitmaps honour it too.
    surface.fill(kWhite.argb());
    {
        CanvasStateSaver keep(canvas);
        canvas.clip_region(Region(Rect{0, 0, 20, 20}).subtracted(Rect{5, 5, 10, 10}));
        canvas.fill_rect({0, 0, 40, 30}, kBlack);
        canvas.line({0, 25}, {39, 25}, kBlack);
        Surface bitmap(4, 4, kRed.argb());
        canvas.draw_bitmap(bitmap, bitmap.rect(), {8, 8, 30, 20});
        canvas.draw_text("工资", Rect{6, 6, 30, 20}, kTextSingleLine);
    }
    PixelSet expected = area({0, 0, 20, 20});
    for (const auto& p : area({5, 5, 10, 10})) expected.erase(p);
    EXPECT_EQ(drawn(), expected);

    // Clips only narrow: a wider clip later does not reopen what was cut.
    surface.fill(kWhite.argb());
    canvas.save();
    canvas.clip_rect({0, 0, 4, 4});
    canvas.clip_rect({2, 2, 30, 30});
    canvas.fill_rect({0, 0, 40, 30}, kBlack);
    canvas.restore();
    EXPECT_EQ(drawn(), area({2, 2, 2, 2}));

    canvas.restore();  // an unmatched restore keeps the base state
    canvas.fill_rect({39, 29, 1, 1}, kBlack);
    EXPECT_EQ(surface.pixel(39, 29), kBlack);
}

TEST_F(BlankTest, VerticalGradientStepsWithTruncatedDivision) {
    canvas.vertical_gradient({1, 2, 3, 4}, Color{0, 200, 10}, Color{255, 100, 11});
    // Row i of 4: first + (second - first) * i / 3, truncated.
    const Color rows[] = {{0, 200, 10}, {85, 167, 10}, {170, 134, 10}, {255, 100, 11}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(surface.pixel(1, 2 + i), rows[i]) << "row " << i;
        EXPECT_EQ(surface.pixel(3, 2 + i), rows[i]) << "row " << i;
    }
    EXPECT_EQ(surface.pixel(4, 3), kWhite);
    EXPECT_EQ(surface.pixel(1, 6), kWhite);

    canvas.vertical_gradient({10, 10, 2, 1}, kRed, kBlack);
    EXPECT_EQ(surface.pixel(10, 10), kRed) << "a single row takes the first colour";
}

TEST_F(BlankTest, BitmapsStretchSkipTheKeyColourAndGreyWhenDisabled) {
    Surface bitmap(2, 2);
    bitmap.set_pixel(0, 0, kRed);
    bitmap.set_pixel(1, 0, Color{0, 255, 0});
    bitmap.set_pixel(0, 1, Color{0, 0, 255});
    bitmap.set_pixel(1, 1, Color{255, 0, 255});

    canvas.draw_bitmap(bitmap, bitmap.rect(), {4, 4, 4, 6});
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(surface.pixel(4 + x, 4 + y), bitmap.pixel(x / 2, y / 3)) << x << "," << y;
    EXPECT_EQ(surface.pixel(8, 4), kWhite);

    surface.fill(kWhite.argb());
    canvas.draw_bitmap(bitmap, {10, 10}, BlitOptions{Color{255, 0, 255}, false});
    EXPECT_EQ(surface.pixel(10, 10), kRed);
    EXPECT_EQ(surface.pixel(11, 11), kWhite) << "the key colour leaves the picture beneath";

    // Shrinking picks source pixels, it does not smear them.
    surface.fill(kWhite.argb());
    Surface wide(8, 1, kBlack.argb());
    for (int x = 0; x < 8; x += 2) wide.set_pixel(x, 0, kRed);
    canvas.draw_bitmap(wide, wide.rect(), {0, 0, 4, 1});
    for (int x = 0; x < 4; ++x) EXPECT_TRUE(surface.pixel(x, 0) == kRed || surface.pixel(x, 0) == kBlack);

    surface.fill(kWhite.argb());
    canvas.draw_bitmap(bitmap, {0, 0}, BlitOptions{std::nullopt, true});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            const Color c = surface.pixel(x, y);
            EXPECT_TRUE(c.r == c.g && c.g == c.b) << "grey";
            EXPECT_GE(c.r, 128) << "lighter than the original";
        }
    EXPECT_NE(surface.pixel(0, 0), surface.pixel(1, 0)) << "different colours stay apart";

    // Alpha: never-drawn pixels leave the picture beneath, half-transparent ones blend.
    surface.fill(kWhite.argb());
    Surface icon(2, 1);
    icon.set_raw_pixel(1, 0, 0x80000000);
    canvas.draw_bitmap(icon, {0, 0});
    EXPECT_EQ(surface.pixel(0, 0), kWhite);
    EXPECT_EQ(surface.pixel(1, 0), (Color{127, 127, 127}));
}

TEST_F(BlankTest, EdgesShadeTopLeftAndBottomRightApart) {
    const Color highlight = system_color(SystemColor::ButtonHighlight), shadow = system_color(SystemColor::ButtonShadow);
    const Color dark = system_color(SystemColor::DarkShadow), light = system_color(SystemColor::Light);
    struct Case {
        Edge kind;
        Color outer_top_left, outer_bottom_right, inner_top_left, inner_bottom_right;
    };
    const Case cases[] = {
        {Edge::Sunken, shadow, highlight, dark, light},
        {Edge::Raised, light, dark, highlight, shadow},
        {Edge::Etched, shadow, highlight, highlight, shadow},
    };
    for (const Case& c : cases) {
        surface.fill(kWhite.argb());
        canvas.fill_rect({2, 2, 10, 8}, kRed);
        canvas.edge({2, 2, 10, 8}, c.kind);
        EXPECT_EQ(surface.pixel(2, 2), c.outer_top_left);
        EXPECT_EQ(surface.pixel(6, 2), c.outer_top_left);
        EXPECT_EQ(surface.pixel(11, 9), c.outer_bottom_right);
        EXPECT_EQ(surface.pixel(11, 2), c.outer_bottom_right) << "the far corner belongs to the lower-right side";
        EXPECT_EQ(surface.pixel(3, 3), c.inner_top_left);
        EXPECT_EQ(surface.pixel(10, 8), c.inner_bottom_right);
        EXPECT_EQ(surface.pixel(4, 4), kRed) << "the inside is left alone";
        EXPECT_EQ(surface.pixel(12, 5), kWhite);
    }
}

TEST(Surface, CopiesOwnTheirPixelsAndViewsWriteThrough) {
    std::uint32_t memory[6] = {};
    Surface view = Surface::wrap(memory, 3, 2, 12);
    view.set_pixel(2, 1, kRed);
    EXPECT_EQ(memory[5], kRed.argb());
    EXPECT_FALSE(view.owns_pixels());

    Surface copy = view;
    copy.set_pixel(0, 0, kWhite);
    EXPECT_EQ(memory[0], 0u);
    EXPECT_TRUE(copy.owns_pixels());
    EXPECT_EQ(copy.pixel(2, 1), kRed);

    Surface moved = std::move(copy);
    EXPECT_EQ(moved.pixel(0, 0), kWhite);
    EXPECT_EQ(moved.raw_pixel(5, 5), 0u) << "outside reads as nothing";

    Surface dst(4, 4);
    dst.copy_from(moved, {-1, 0, 3, 2}, {0, 0});
    EXPECT_EQ(dst.pixel(1, 0), moved.pixel(0, 0)) << "the cut-off left keeps the rest in place";
    EXPECT_EQ(dst.raw_pixel(0, 0), 0u);
}

}  // namespace
}  // namespace kes::gfx

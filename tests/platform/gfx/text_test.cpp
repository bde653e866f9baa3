#include <gtest/gtest.h>

#include "platform/gfx/canvas.h"
#include "platform/gfx/utf8.h"
#include "tests/platform/gfx/pixels.h"

namespace kes::gfx {
namespace {

using testing::ink;
using testing::ink_bounds;

const char* const kSong = "AR PL UMing CN";

Font song9() { return Font("宋体", 9, 400, 134); }
Font song9_bold() { return Font("宋体", 9, 700, 134); }
Font song75() { return Font("宋体", 7.5, 400, 134); }
Font tahoma() { return Font("Tahoma", 8.25, 400, 0); }
Font song9_italic() {
    FontSpec request;
    request.italic = true;
    return Font(request);
}

// A white strip to draw one line of black text on.
class TextTest : public ::testing::Test {
protected:
    TextTest() : surface(300, 60, kWhite.argb()), canvas(surface) {}
    void clear() { surface.fill(kWhite.argb()); }

    Surface surface;
    Canvas canvas;
};

TEST_F(TextTest, SizesAndMetricsOfTheProgramsFonts) {
    struct Case {
        Font font;
        int pixels;
        int height;
    };
    // Line heights of the faces the program names, at 96 dots per inch.
    const Case cases[] = {{song9(), 12, 12}, {song9_bold(), 12, 12}, {song75(), 10, 10}, {tahoma(), 11, 13}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font.request().face + " " + std::to_string(c.font.request().points));
        EXPECT_EQ(c.font.pixel_size(), c.pixels);
        const FontMetrics& m = c.font.metrics();
        EXPECT_EQ(m.height, c.height);
        EXPECT_EQ(m.ascent + m.descent, m.height);
        EXPECT_GT(m.average_char_width, 2);
        EXPECT_LT(m.average_char_width, c.pixels);
        EXPECT_LT(m.underline_offset, m.descent + 1) << "underline inside the line";
    }
    EXPECT_EQ(points_to_pixels(9), 12);
    EXPECT_EQ(points_to_pixels(8.25), 11);
    EXPECT_EQ(points_to_pixels(7.5), 10);
    EXPECT_EQ(points_to_pixels(0), 1);
}

TEST_F(TextTest, ChineseDrawsInTheSongFaceAlsoThroughFallback) {
    EXPECT_EQ(song9().family(), kSong);
    EXPECT_EQ(Font("SimSun", 9).family(), kSong);
    EXPECT_EQ(tahoma().family(), "DejaVu Sans");
    EXPECT_EQ(tahoma().family_for(U'A'), "DejaVu Sans");
    EXPECT_EQ(tahoma().family_for(U'工'), kSong) << "Tahoma has no Chinese: the Song face draws it";
    EXPECT_EQ(Font("No Such Face", 9, 400, 134).family(), kSong);

    struct Case {
        Font font;
        int spill;  // rows of anti-aliasing allowed outside the line where no bitmap size exists
    };
    for (const Case& c :
         {Case{song9(), 0}, Case{song9_bold(), 0}, Case{song75(), 1}, Case{tahoma(), 0}, Case{song9_italic(), 1}}) {
        const Font& f = c.font;
        SCOPED_TRACE(f.request().face + " " + std::to_string(f.request().points));
        clear();
        canvas.set_font(f);
        canvas.draw_text("工资计算国家政策个人所得税", Point{2, 2});
        const Rect box = ink_bounds(surface, kWhite);
        // Square glyphs: ink over most of their ems, within one line.
        EXPECT_GT(box.width, 12 * f.pixel_size());
        EXPECT_GE(box.height, f.pixel_size() - 3);
        EXPECT_LE(box.bottom(), 2 + f.metrics().height + c.spill);
        EXPECT_GE(box.y, 2 - c.spill);
    }

    // Bold is heavier than regular and one pixel wider per character.
    auto ink_count = [&](const Font& f) {
        clear();
        canvas.set_font(f);
        canvas.draw_text("工资", Point{2, 2});
        return ink(surface, kWhite).size();
    };
    EXPECT_GT(ink_count(song9_bold()), ink_count(song9()) + 10);
    EXPECT_EQ(song9_bold().text_width("工资"), song9().text_width("工资") + 2);
}

TEST_F(TextTest, ExtentsEqualTheDistanceDrawingMoves) {
    const char* const texts[] = {"工资计算", " 国家政策 ", "Tax 1234.56", "计算(C) 个人所得税", "W", ""};
    for (const Font& f : {song9(), song9_bold(), song75(), tahoma()}) {
        for (const char* t : texts) {
            SCOPED_TRACE(f.request().face + " \"" + t + "\"");
            // Text then a bar at its measured end must look exactly like text-and-bar in one go.
            canvas.set_font(f);
            clear();
            canvas.draw_text(std::string(t) + "|", Point{3, 3});
            const Surface together = surface;
            clear();
            canvas.draw_text(t, Point{3, 3});
            canvas.draw_text("|", Point{3 + f.text_width(t), 3});
            EXPECT_TRUE(surface.same_pixels(together));
            EXPECT_EQ(f.text_extent(t), (Size{f.text_width(t), f.metrics().height}));
            EXPECT_EQ(canvas.measure_text(t, {0, 0, 1000, 100}, kTextSingleLine).width, f.text_width(t));
        }
    }
    EXPECT_EQ(song9().text_width("工"), 12);
    EXPECT_EQ(song9().text_width("工资"), 24);
}

TEST_F(TextTest, SingleLinesAlignAndCentreVertically) {
    canvas.set_font(song9());
    const int w = song9().text_width("工资");
    const Rect r{10, 5, 100, 40};
    struct Case {
        unsigned flags;
        Point origin;
    };
    const Case cases[] = {
        {kTextSingleLine, {10, 5}},
        {kTextSingleLine | kTextVCenter, {10, 5 + (40 - 12) / 2}},
        {kTextSingleLine | kTextBottom, {10, 45 - 12}},
        {kTextSingleLine | kTextCenter | kTextVCenter, {10 + (100 - w) / 2, 19}},
        {kTextSingleLine | kTextRight, {110 - w, 5}},
    };
    for (const Case& c : cases) {
        const TextLayout l = layout_text(song9(), "工资", r, c.flags);
        ASSERT_EQ(l.lines.size(), 1u);
        EXPECT_EQ(l.lines[0].origin, c.origin) << std::hex << c.flags;
        EXPECT_EQ(l.bounds, (Rect{c.origin.x, c.origin.y, w, 12}));
    }
    // Drawn ink sits in the line box the layout gives.
    canvas.draw_text("工资", r, kTextSingleLine | kTextVCenter | kTextCenter);
    const Rect box = ink_bounds(surface, kWhite);
    EXPECT_TRUE((Rect{10 + (100 - w) / 2, 19, w, 12}).contains(box));
    EXPECT_LE(std::abs((box.y - 19) - (31 - box.bottom())), 3) << "ink roughly centred in the line";

    // One line ignores line breaks.
    EXPECT_EQ(layout_text(song9(), "工\n资", r, kTextSingleLine).lines.size(), 1u);
    EXPECT_EQ(layout_text(song9(), "工\n资", r, kTextSingleLine).lines[0].text, U"工资");
    EXPECT_EQ(layout_text(song9(), "工\r\n资\n", r, 0).lines.size(), 3u);
}

TEST_F(TextTest, WrappingBreaksAtWordsAndBetweenChineseAndCutsLinesBelow) {
    const Font f = song9();
    canvas.set_font(f);
    struct Case {
        const char* text;
        int width;
        std::vector<std::u32string> lines;
    };
    const Case cases[] = {
        {"工资计算加班", 12 * 4, {U"工资计算", U"加班"}},
        {"one two three", f.text_width("one two"), {U"one two", U"three"}},
        {"one two three", f.text_width("one two") - 1, {U"one", U"two", U"three"}},
        {"计算。说明", 12 * 2, {U"计", U"算。", U"说明"}},  // a full stop does not start a line
        {"abcdefgh", f.text_width("abc"), {U"abc", U"def", U"gh"}},  // a long word breaks where it must
        {"a\n\nb", 100, {U"a", U"", U"b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TextLayout l = layout_text(f, c.text, {0, 0, c.width, 200}, kTextWordBreak);
        std::vector<std::u32string> got;
        for (const TextLine& line : l.lines) {
            got.push_back(line.text);
            EXPECT_LE(line.width, c.width);
        }
        EXPECT_EQ(got, c.lines);
    }

    // Six characters, two per line, in a rectangle two and a half lines high.
    const Rect r{4, 4, 24, 30};
    const TextLayout l = layout_text(f, "工资计算加班", r, kTextWordBreak);
    ASSERT_EQ(l.lines.size(), 3u) << "the third line starts inside the rectangle";
    EXPECT_EQ(l.lines[2].origin.y, 28);
    EXPECT_EQ(layout_text(f, "工资计算加班", r, kTextWordBreak | kTextNoClip).lines.size(), 3u);
    EXPECT_EQ(layout_text(f, "工资计算加班", {4, 4, 24, 24}, kTextWordBreak).lines.size(), 2u);
    EXPECT_EQ(canvas.draw_text("工资计算加班", r, kTextWordBreak | kTextCalcRect), 36);
    // Measuring counts every line, however low the rectangle.
    EXPECT_EQ(canvas.draw_text("工资计算加班", {4, 4, 24, 12}, kTextWordBreak | kTextCalcRect), 36);
    EXPECT_EQ(canvas.measure_text("工资计算加班", {4, 4, 24, 12}, kTextWordBreak).height, 36);
    EXPECT_TRUE(ink(surface, kWhite).empty()) << "measuring draws nothing";

    canvas.draw_text("工资计算加班", r, kTextWordBreak);
    EXPECT_TRUE(r.contains(ink_bounds(surface, kWhite))) << "nothing outside the rectangle";
    clear();
    canvas.draw_text("工资计算加班", r, kTextWordBreak | kTextNoClip);
    EXPECT_GT(ink_bounds(surface, kWhite).bottom(), r.bottom());
}

TEST_F(TextTest, AccessKeysAreUnderlinedAndDoubleAmpersandsShowOne) {
    const Font f = song9();
    canvas.set_font(f);
    const FontMetrics& m = f.metrics();
    const Rect r{5, 5, 250, 40};
    const int underline_row = r.y + m.ascent + m.underline_offset;
    // What drawing `text` adds to drawing `plain` without prefixes: exactly one row segment.
    auto added = [&](const std::string& text, unsigned flags, const std::u32string& plain, const Font& with) {
        clear();
        canvas.set_font(f);
        canvas.draw_text(encode_utf8(plain), r, kTextSingleLine | kTextNoPrefix);
        const Surface without = surface;
        clear();
        canvas.set_font(with);
        canvas.draw_text(text, r, kTextSingleLine | flags);
        std::vector<std::pair<int, int>> diff;
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x)
                if (surface.raw_pixel(x, y) != without.raw_pixel(x, y)) diff.push_back({x, y});
        return diff;
    };

    struct Case {
        const char* text;
        unsigned flags;
        std::u32string shown;
        int underlined;  // index of the underlined character, or -1
    };
    const Case cases[] = {
        {"&File", 0, U"File", 0},
        {"计算(&C)", 0, U"计算(C)", 3},
        {"Tax && Pay", 0, U"Tax & Pay", -1},
        {"&&&Go", 0, U"&Go", 1},
        {"End&", 0, U"End", -1},
        {"&File", kTextNoPrefix, U"&File", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TextLayout l = layout_text(f, c.text, r, c.flags | kTextSingleLine);
        ASSERT_EQ(l.lines.size(), 1u);
        EXPECT_EQ(l.lines[0].text, c.shown);
        EXPECT_EQ(l.lines[0].underline_index, c.underlined);
        const auto diff = added(c.text, c.flags, c.shown, f);
        if (c.underlined < 0) {
            EXPECT_TRUE(diff.empty());
            continue;
        }
        // The underline spans the marked character's advance on the underline row.
        int x0 = r.x;
        for (int i = 0; i < c.underlined; ++i) x0 += f.advance(c.shown[std::size_t(i)]);
        const int adv = f.advance(c.shown[std::size_t(c.underlined)]);
        EXPECT_FALSE(diff.empty());
        for (const auto& [x, y] : diff) {
            EXPECT_EQ(y, underline_row);
            EXPECT_GE(x, x0);
            EXPECT_LT(x, x0 + adv);
        }
        for (int x = x0; x < x0 + adv; ++x) EXPECT_EQ(surface.pixel(x, underline_row), kBlack) << x;
    }
    EXPECT_EQ(strip_prefixes("工资(&S) && 税"), "工资(S) & 税");
    EXPECT_EQ(f.text_width(strip_prefixes("Tax && Pay")), f.text_width("Tax & Pay"));

    // An underlined font underlines the whole line.
    FontSpec request = f.request();
    request.underline = true;
    const auto diff = added("Tax", kTextNoPrefix, U"Tax", Font(request));
    for (const auto& [x, y] : diff) EXPECT_EQ(y, underline_row);
    for (int x = r.x; x < r.x + f.text_width("Tax"); ++x) EXPECT_EQ(surface.pixel(x, underline_row), kBlack) << x;
    EXPECT_EQ(surface.pixel(r.x + f.text_width("Tax"), underline_row), kWhite);
}

TEST_F(TextTest, OpaqueBackgroundFillsTheLineBoxTransparentLeavesIt) {
    canvas.set_font(song9());
    canvas.fill_rect({0, 0, 300, 60}, Color{0, 0, 255});
    canvas.set_text_color(kWhite);
    canvas.draw_text("工资", Point{10, 10});
    EXPECT_EQ(surface.pixel(10, 10), (Color{0, 0, 255})) << "transparent: the blue stays around the glyphs";
    canvas.set_text_background(Color{255, 255, 0});
    canvas.draw_text("工资", Point{10, 30});
    const int w = song9().text_width("工资");
    EXPECT_EQ(surface.pixel(10, 30), (Color{255, 255, 0}));
    EXPECT_EQ(surface.pixel(10 + w - 1, 41), (Color{255, 255, 0}));
    EXPECT_EQ(surface.pixel(10 + w, 30), (Color{0, 0, 255}));
    EXPECT_EQ(surface.pixel(10, 42), (Color{0, 0, 255}));
}

}  // namespace
}  // namespace kes::gfx

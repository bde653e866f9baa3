// The program's texts in the faces it uses: 宋体 9 points regular and bold, 宋体 7.5 points
// and Tahoma 8.25 points, with wrapping, cut-off and access-key underlines.
#include <string>

#include "platform/gfx/canvas.h"
#include "platform/gfx/text_layout.h"
#include "tools/kestrane-gallery/page.h"
#include "tools/kestrane-gallery/sample_texts.h"

namespace {

using namespace kes;
using gfx::Color;
using gfx::Point;
using gfx::Rect;

constexpr Color kInk{0, 0, 0};
constexpr Color kGrey{128, 128, 128};

// One block: a heading naming the font, then the captions and messages in it.
int block(gfx::Canvas& c, const gfx::Font& font, const char* name, int x, int y, int width) {
    const gfx::Font tag("Tahoma", 8.25, 700, 0);
    c.set_font(tag);
    c.set_text_color(kGrey);
    c.draw_text(name, Point{x, y});
    y += tag.metrics().height + 2;
    c.set_font(font);
    c.set_text_color(kInk);
    std::string captions;
    for (const auto& s : gallery::Captions()) captions += "[" + s + "] ";
    y += c.draw_text(captions, {x, y, width, 200}, gfx::kTextWordBreak | gfx::kTextNoPrefix);
    for (const auto& m : gallery::Messages()) y += c.draw_text(m, {x, y, width, 40}, gfx::kTextNoPrefix);
    return y + 6;
}

void draw(gfx::Canvas& c, Rect area) {
    c.fill_rect(area, Color{255, 255, 255});
    const gfx::Font song9("宋体", 9, 400, 134), song9b("宋体", 9, 700, 134), song75("宋体", 7.5, 400, 134),
        tahoma("Tahoma", 8.25, 400, 0);
    int y = 8;
    y = block(c, song9, "SimSun 9 pt", 10, y, 480);
    y = block(c, song9b, "SimSun 9 pt bold", 10, y, 480);
    y = block(c, song75, "SimSun 7.5 pt", 10, y, 480);
    y = block(c, tahoma, "Tahoma 8.25 pt (Chinese through the fallback face)", 10, y, 480);

    // The notes as the text boxes hold them.
    c.set_font(song9);
    c.set_text_color(kInk);
    int ny = 8;
    ny += c.draw_text(gallery::TaxNotes(), {500, ny, 380, 400}, gfx::kTextWordBreak | gfx::kTextNoPrefix) + 8;
    c.draw_text(gallery::InsuranceNotes(), {500, ny, 380, 300}, gfx::kTextWordBreak | gfx::kTextNoPrefix);

    // Access keys, centring, wrapping and cut-off.
    const int by = y + 4;
    c.set_font(tahoma);
    c.draw_text("&Salary   A&&B   &&&Next   计算(&C)", Point{10, by});
    c.draw_text("&Salary   A&&B   &&&Next   计算(&C)", {10, by + 18, 300, 16}, gfx::kTextSingleLine);
    c.frame_rect({10, by + 40, 160, 30}, kGrey);
    c.draw_text("centred 居中", {10, by + 40, 160, 30}, gfx::kTextCenter | gfx::kTextVCenter | gfx::kTextSingleLine);
    c.frame_rect({190, by + 40, 60, 30}, kGrey);
    c.set_font(song75);
    c.draw_text("元/时", {190, by + 40, 17, 25}, gfx::kTextWordBreak);
    c.set_font(song9);
    c.frame_rect({270, by + 40, 220, 30}, kGrey);
    c.draw_text(gallery::Messages()[4], {270, by + 40, 220, 30}, gfx::kTextWordBreak | gfx::kTextNoPrefix);
}

gallery::Page Text() { return gallery::DrawingPage("text", "Texts", 20, {890, 680}, draw); }

}  // namespace

KES_GALLERY_PAGE(Text);

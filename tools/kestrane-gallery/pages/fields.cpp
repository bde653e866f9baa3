// The fields page: numeric text boxes in each state at the program's widths, the check-box
// glyph sheet enlarged and at its size, and the program's two check boxes.
#include <memory>
#include <string>

#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/gfx/canvas.h"
#include "tools/kestrane-gallery/page.h"
#include "widgets/fields/check_bitmaps.h"
#include "widgets/fields/field_kinds.h"
#include "widgets/fields/xp_checkbox.h"
#include "widgets/fields/xp_text.h"

namespace {

using kes::forms::ControlDesign;
using kes::forms::TwipsRect;

constexpr kes::forms::OleColor kWhite = 0x00FFFFFF;
constexpr int kZoom = 5;       // how much the sheet is enlarged
constexpr int kCell = 96;      // pixels from one glyph of the sheet to the next
constexpr int kSheetLeft = 105;
constexpr int kSheetTop = 24;

ControlDesign Place(const char* kind, std::string name, int index, TwipsRect rect) {
  ControlDesign d;
  d.kind = kind;
  d.name = std::move(name);
  d.index = index;
  d.rect = rect;
  return d;
}

// Twips from pixels, so the page can be laid out in the pixels it is looked at in.
constexpr double Tw(int pixels) { return pixels * 15.0; }

void Heading(kes::forms::Form& form, const char* name, const char* caption, int x, int y, bool bold = false) {
  ControlDesign d = Place("Label", name, -1, {Tw(x), Tw(y), Tw(300), Tw(14)});
  d.settings.set("Caption", std::string(caption));
  d.settings.set("BackStyle", std::int64_t{0});
  d.settings.set("AutoSize", true);
  d.settings.set("Font", kes::forms::tahoma_font(8.25, bold ? 700 : 400));
  form.Create<kes::forms::Label>(d);
}

// One row of fields as the main window has them: Tahoma 8.25, the program's widths and figures.
void FieldRow(kes::forms::Form& form, int row, const char* caption, int y) {
  static const struct {
    double width;
    const char* text;
  } fields[] = {{975, "5600"}, {735, "48.28"}, {1245, "4090.2"}, {1665, "616"}, {705, "0"}};
  Heading(form, ("RowLabel" + std::to_string(row)).c_str(), caption, 8, y + 4);
  double left = Tw(105);
  for (int i = 0; i < 5; ++i) {
    ControlDesign d = Place("xpText", "TextRow" + std::to_string(row), i, {left, Tw(y), fields[i].width, 330});
    d.settings.set("Text", std::string(fields[i].text));
    d.settings.set("Font", kes::forms::tahoma_font(8.25));
    if (row == 3) d.settings.set("Enabled", false);
    if (row == 2) d.settings.set("Locked", true);
    auto* t = form.Create<kes::fields::XpText>(d);
    if (row == 0) t->SetEnabled(true);
    if (row == 1) t->SetEnabled(false);
    left += fields[i].width + Tw(8);
  }
}

// Value rows and look columns, as the box selects them: 4 x value + look.
void DrawSheet(kes::gfx::Canvas& canvas) {
  static const char* const looks[] = {"normal", "hot", "pressed", "disabled"};
  static const char* const values[] = {"0 unchecked", "1 checked", "2 grayed"};
  canvas.set_font(kes::gfx::Font("Tahoma", 8.25, 400, 0));
  canvas.set_text_color(kes::gfx::kBlack);
  for (int look = 0; look < 4; ++look) canvas.draw_text(looks[look], {kSheetLeft + look * kCell, 4});
  for (int value = 0; value < 3; ++value) {
    const int y = kSheetTop + value * (13 * kZoom + 10);
    canvas.draw_text(values[value], {8, y + 26});
    for (int look = 0; look < 4; ++look) {
      const int index = 4 * value + look;
      const auto glyph = kes::fields::CheckGlyphBitmap(index);
      const int x = kSheetLeft + look * kCell;
      canvas.draw_bitmap(*glyph, glyph->rect(), {x, y, 13 * kZoom, 13 * kZoom});
      canvas.draw_bitmap(*glyph, kes::gfx::Point{x + 13 * kZoom + 6, y + 13 * kZoom - 13});
      canvas.draw_text(std::to_string(index), {x + 13 * kZoom + 6, y});
    }
  }
}

kes::gallery::Page FieldsPage() {
  kes::gallery::Page page;
  page.name = "fields";
  page.title = "Numeric fields and check boxes";
  page.order = 60;
  page.size = {600, 500};
  page.build = [](kes::gallery::PageContext& ctx) {
    kes::fields::RegisterFieldKinds(ctx.factory);
    kes::forms::Form& form = ctx.form;
    form.SetBackColor(kWhite);

    Heading(form, "TextHeading", "xpText  (Tahoma 8.25; 975, 735, 1245, 1665, 705 twips)", 8, 8, true);
    const char* const rows[] = {"enabled", "disabled", "locked", "stored disabled"};
    for (int row = 0; row < 4; ++row) FieldRow(form, row, rows[row], 30 + row * 30);

    Heading(form, "SheetHeading", "xpCheckbox glyphs  (enlarged 5 times, and at their size)", 8, 158, true);
    ControlDesign sheet = Place("PictureBox", "Sheet", -1, {0, Tw(176), Tw(600), Tw(250)});
    sheet.settings.set("BorderStyle", std::int64_t{0});
    sheet.settings.set("BackColor", kWhite);
    form.Create<kes::forms::PictureBox>(sheet)->SetPainter([](kes::gfx::Canvas& c, kes::gfx::Rect) { DrawSheet(c); });

    Heading(form, "BoxHeading", "xpCheckbox  (宋体 9 points on white)", 8, 436, true);
    ControlDesign ji = Place("xpCheckbox", "CheckJi", -1, {Tw(105), Tw(458), 1680, 255});
    ji.settings.set("Caption", std::string("是否保存本次记录"));
    ji.settings.set("Value", std::int64_t{1});
    ji.settings.set("Font", kes::forms::song_font(9));
    ji.settings.set("BackColor", kWhite);
    form.Create<kes::fields::XpCheckbox>(ji);
    ControlDesign old = Place("xpCheckbox", "CheckOld", -1, {Tw(105) + 1680 + 600, Tw(458), 1800, 255});
    old.settings.set("Caption", std::string("按老工资计算加班"));
    old.settings.set("Font", kes::forms::song_font(9));
    old.settings.set("BackColor", kWhite);
    form.Create<kes::fields::XpCheckbox>(old);
  };
  return page;
}

}  // namespace

KES_GALLERY_PAGE(FieldsPage);

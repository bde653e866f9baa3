// The buttons page: every look of kzbutton in each state, painted side by side, then the
// program's own buttons and one live button of each look to hover, press and tab through.
#include <memory>
#include <string>
#include <tuple>

#include "platform/forms/group_box.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/gfx/canvas.h"
#include "tools/kestrane-gallery/page.h"
#include "widgets/button/button_painter.h"
#include "widgets/button/button_style.h"
#include "widgets/button/kzbutton.h"

namespace {

using kes::button::DrawState;
using kes::button::KzButton;
using kes::button::PaintInputs;
using kes::forms::ControlDesign;
using kes::forms::TwipsRect;

constexpr kes::forms::OleColor kWhite = 0x00FFFFFF;
constexpr int kCellW = 88, kCellH = 26;  // each painted button
constexpr int kColumnStep = 96, kRowStep = 32;
constexpr int kGridLeft = 64, kGridTop = 24;
constexpr int kPictureRow = 16;  // after the sixteen looks
constexpr int kLiveLeft = 590;

constexpr double Tw(int pixels) { return pixels * 15.0; }

ControlDesign Place(const char* kind, std::string name, int index, TwipsRect rect, std::string container = "") {
  ControlDesign d;
  d.kind = kind;
  d.name = std::move(name);
  d.index = index;
  d.rect = rect;
  d.container = std::move(container);
  return d;
}

void Heading(kes::forms::Form& form, const std::string& name, const char* caption, int x, int y) {
  ControlDesign d = Place("Label", name, -1, {Tw(x), Tw(y), Tw(300), Tw(14)});
  d.settings.set("Caption", std::string(caption));
  d.settings.set("BackStyle", std::int64_t{0});
  d.settings.set("AutoSize", true);
  d.settings.set("Font", kes::forms::tahoma_font(8.25, 700));
  form.Create<kes::forms::Label>(d);
}

// A 16 x 16 picture on the default mask colour, in two tints for the normal and hover pictures.
std::shared_ptr<kes::gfx::Surface> Glyph(kes::gfx::Color tint) {
  auto s = std::make_shared<kes::gfx::Surface>(16, 16);
  kes::gfx::Canvas c(*s);
  c.fill_rect({0, 0, 16, 16}, kes::gfx::Color::from_bgr(kes::button::kDefaultMaskColor));
  c.set_pen(kes::gfx::kBlack);
  c.set_brush(tint);
  c.round_rect({2, 2, 12, 12}, 12, 12);
  c.fill_rect({6, 5, 4, 6}, kes::gfx::kWhite);
  return s;
}

void DrawGrid(kes::gfx::Canvas& canvas) {
  static const char* const columns[] = {"normal", "hot", "down", "disabled", "focused"};
  static const auto picture = Glyph(kes::gfx::Color::from_rgb(0x3C, 0x78, 0xD8));
  static const auto hover = Glyph(kes::gfx::Color::from_rgb(0xE8, 0x8A, 0x1C));
  const kes::gfx::Font label_font("Tahoma", 8.25, 400, 0);
  const kes::gfx::Font caption_font("Tahoma", 8.25, 400, 0);
  canvas.set_font(label_font);
  canvas.set_text_color(kes::gfx::kBlack);
  for (int col = 0; col < 5; ++col) canvas.draw_text(columns[col], {kGridLeft + col * kColumnStep + 4, 6});
  for (int row = 0; row <= kPictureRow; ++row) {
    const int style = row == kPictureRow ? 1 : row;
    const int y = kGridTop + row * kRowStep;
    canvas.set_font(label_font);
    canvas.set_text_color(kes::gfx::kBlack);
    canvas.draw_text(row == kPictureRow ? "picture" : "look " + std::to_string(row), {8, y + 7});
    const kes::button::StyleColours colours = kes::button::StyleDefaults(style);
    for (int col = 0; col < 5; ++col) {
      PaintInputs in;
      in.style = style;
      in.back_color = colours.back_color;
      in.fore_color = colours.fore_color;
      in.caption = row == kPictureRow ? "Picture" : "Button";
      in.container_back = kWhite;
      in.state = col == 1 ? DrawState::Hot : col == 2 ? DrawState::Down : DrawState::Normal;
      in.enabled = col != 3;
      in.form_active = in.has_focus = in.show_focus_rect = col == 4;
      if (row == kPictureRow) {
        in.picture = picture.get();
        in.picture_hover = hover.get();
        in.use_mask_color = true;
      }
      const int x = kGridLeft + col * kColumnStep;
      kes::gfx::CanvasStateSaver keep(canvas);
      canvas.translate(x, y);
      canvas.clip_region(kes::button::ButtonArea(style, kCellW, kCellH));
      kes::button::PaintButton(canvas, kCellW, kCellH, in, caption_font);
    }
  }
}

KzButton* AddButton(kes::forms::Form& form, ControlDesign d, const char* caption, kes::forms::FontSpec font) {
  d.kind = "kzbutton";
  d.settings.set("Caption", std::string(caption));
  d.settings.set("Font", std::move(font));
  return form.Create<KzButton>(d);
}

// The dark command buttons both windows of the program use.
KzButton* Command(kes::forms::Form& form, ControlDesign d, const char* caption, kes::forms::FontSpec font,
                  bool focus_rect) {
  d.settings.set("ButtonStyle", std::int64_t{5});
  d.settings.set("BackColor", kes::forms::OleColor{0x404040});
  d.settings.set("ForeColor", kes::forms::OleColor{0xFFFFFF});
  if (focus_rect) d.settings.set("ShowFocusRect", true);
  return AddButton(form, std::move(d), caption, std::move(font));
}

void Panel(kes::forms::Form& form, const char* name, const char* caption, kes::forms::OleColor back, TwipsRect r) {
  ControlDesign d = Place("Frame", name, -1, r);
  d.settings.set("Caption", std::string(caption));
  d.settings.set("BackColor", back);
  d.settings.set("Font", kes::forms::tahoma_font(8.25));
  form.Create<kes::forms::GroupBox>(d);
}

void LiveButtons(kes::forms::Form& form) {
  int tab = 0;
  auto at = [&](const char* name, int index, TwipsRect r, const char* container = "") {
    ControlDesign d = Place("kzbutton", name, index, r, container);
    d.tab_index = tab++;
    return d;
  };
  const auto song = kes::forms::song_font(9);

  // ForMain's pay tab and policy tab, on the white of the tab pages.
  Panel(form, "ForMainPage", "ForMain: 宋体 9", kWhite, {Tw(kLiveLeft), Tw(8), Tw(300), Tw(136)});
  // The three large buttons overlap, compute on top: made bottom first, tabbed top first.
  tab = 2;
  Command(form, at("ComExit", -1, {120, 1060, 2445, 405}, "ForMainPage"), "退  出", song, true);
  tab = 1;
  Command(form, at("ComReset", -1, {120, 680, 2445, 405}, "ForMainPage"), "复  位", song, true);
  tab = 0;
  Command(form, at("ComComputer", -1, {120, 300, 2445, 405}, "ForMainPage"), "计  算", song, true);
  tab = 3;
  Command(form, at("ComDefult", -1, {120, 1560, 1215, 375}, "ForMainPage"), "初始值", song, false);
  Command(form, at("ComSave", -1, {1455, 1560, 1215, 375}, "ForMainPage"), "保  存", song, false);
  Command(form, at("ComCancel", -1, {2790, 1560, 1215, 375}, "ForMainPage"), "取  消", song, false);

  // Help and about sit on the window frame's light grey.
  Panel(form, "ForMainFrame", "ForMain frame: 宋体 9 bold", 0xE0E0E0, {Tw(kLiveLeft), Tw(146), Tw(300), Tw(44)});
  for (const auto& [name, caption, left, width, height] :
       {std::tuple{"ComHelp", "帮助", 120, 795, 285}, std::tuple{"ComAbout", "关于", 980, 800, 280}}) {
    ControlDesign d = at(name, -1, {double(left), 240, double(width), double(height)}, "ForMainFrame");
    d.settings.set("ButtonStyle", std::int64_t{8});
    d.settings.set("MaskColor", kes::forms::OleColor{0xA36B22});
    AddButton(form, std::move(d), caption, kes::forms::song_font(9, 700));
  }

  // The message dialog's buttons.
  Panel(form, "ForMsgx", "ForMsgx: Tahoma 8.25", 0xF4F4F4, {Tw(kLiveLeft), Tw(198), Tw(300), Tw(44)});
  const auto tahoma = kes::forms::tahoma_font(8.25);
  Command(form, at("cmdButton", 0, {120, 240, 1005, 375}, "ForMsgx"), "OK", tahoma, true);
  Command(form, at("cmdButton", 1, {1200, 240, 1000, 375}, "ForMsgx"), "Cancel", tahoma, true);

  // One live button of each look, with the look's own colours.
  Heading(form, "LiveHeading", "every look, live: hover, press, Tab", kLiveLeft, 252);
  for (int style = 0; style < kes::button::kStyleCount; ++style) {
    const int x = kLiveLeft + (style / 8) * 150, y = 272 + (style % 8) * 32;
    ControlDesign d = at("Live", style, {Tw(x), Tw(y), Tw(140), Tw(26)});
    KzButton* b = AddButton(form, std::move(d), ("Look " + std::to_string(style)).c_str(), tahoma);
    b->SetButtonStyle(style);
  }
}

kes::gallery::Page ButtonsPage() {
  kes::gallery::Page page;
  page.name = "buttons";
  page.title = "Multi-style buttons";
  page.order = 50;
  page.size = {900, kGridTop + (kPictureRow + 1) * kRowStep + 8};
  page.build = [](kes::gallery::PageContext& ctx) {
    kes::button::RegisterKzButton(ctx.factory);
    kes::forms::Form& form = ctx.form;
    form.SetBackColor(kWhite);
    ControlDesign grid = Place("PictureBox", "Grid", -1, {0, 0, Tw(kLiveLeft - 10), Tw(ctx.form.ClientSize().height)});
    grid.settings.set("BorderStyle", std::int64_t{0});
    grid.settings.set("BackColor", kWhite);
    form.Create<kes::forms::PictureBox>(grid)->SetPainter([](kes::gfx::Canvas& c, kes::gfx::Rect) { DrawGrid(c); });
    LiveButtons(form);
  };
  return page;
}

}  // namespace

KES_GALLERY_PAGE(ButtonsPage);

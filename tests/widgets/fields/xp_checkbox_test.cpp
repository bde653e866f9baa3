#include "widgets/fields/xp_checkbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "form_fixture.h"
#include "platform/forms/events.h"
#include "platform/ui/keys.h"
#include "widgets/fields/check_bitmaps.h"

namespace kes::fields {
namespace {

class XpCheckboxTest : public FormFixture {
 protected:
  XpCheckboxTest() {
    for (const char* ev : {forms::kClick, kMouseOut}) {
      form_.On("CheckJi", ev, [this, ev] { log.push_back(std::string(ev) + " " + std::to_string(box->Value())); });
    }
    for (const char* ev : {forms::kMouseDown, forms::kMouseMove, forms::kMouseUp}) {
      form_.On("CheckJi", ev, [this, ev](forms::MouseArgs& m) { log.push_back(std::string(ev) + " " + std::to_string(m.button)); });
    }
    for (const char* ev : {forms::kKeyDown, forms::kKeyUp}) {
      form_.On("CheckJi", ev, [this, ev](forms::KeyArgs& k) { log.push_back(std::string(ev) + " " + std::to_string(k.key_code)); });
    }
    form_.On("CheckJi", forms::kKeyPress, [this](forms::KeyPressArgs& k) { log.push_back("KeyPress " + std::to_string(k.key_ascii)); });
  }

  XpCheckbox* Make(forms::PropertyBag settings = {}) {
    settings.set("Caption", std::string("是否保存本次记录"));
    settings.set("Font", forms::song_font(9));
    settings.set("BackColor", forms::OleColor{0x00FFFFFF});
    forms::ControlDesign d = Place("xpCheckbox", "CheckJi", -1, {1560, 420, 1680, 255});
    d.settings = std::move(settings);
    box = form_.Create<XpCheckbox>(d);
    desktop_.DoEvents();
    return box;
  }

  // The glyph the picture part shows, as an index of the sheet.
  int ShownGlyph() const {
    for (int i = 0; i < 12; ++i) {
      if (box->GlyphBox().Pixels() == CheckGlyphBitmap(i).get()) return i;
    }
    return -1;
  }

  // The colours of the caption's fully inked pixels (宋体 9 points draws from bitmaps, unblended).
  std::set<std::uint32_t> CaptionInk() {
    std::set<std::uint32_t> ink;
    const gfx::Rect r = box->CaptionLabel().Bounds();
    for (int y = 0; y < r.height; ++y) {
      for (int x = 0; x < r.width; ++x) {
        const std::uint32_t c = ColourAt(box->CaptionLabel(), {x, y});
        if (c != 0x00FFFFFF) ink.insert(c);
      }
    }
    return ink;
  }

  XpCheckbox* box = nullptr;
  std::vector<std::string> log;
};

TEST_F(XpCheckboxTest, MouseOutComesOnceAfterCreationWhenThePointerIsElsewhere) {
  Make();
  log.clear();
  desktop_.RunFor(5);
  EXPECT_TRUE(log.empty());
  desktop_.RunFor(10);
  EXPECT_EQ(log, std::vector<std::string>{"MouseOut 0"});
  desktop_.RunFor(100);
  EXPECT_EQ(log.size(), 1u) << "the poll stops after reporting";
  EXPECT_FALSE(box->Polling());
}

TEST_F(XpCheckboxTest, HoverShowsHotAndLeavingReportsOnce) {
  Make();
  desktop_.RunFor(20);
  log.clear();
  MoveTo(box->GlyphBox(), {6, 6});
  EXPECT_EQ(ShownGlyph(), 1);
  MoveTo(box->CaptionLabel(), {10, 5});
  EXPECT_EQ(ShownGlyph(), 1);
  desktop_.RunFor(30);
  EXPECT_EQ(log, (std::vector<std::string>{"MouseMove 0", "MouseMove 0"})) << "still over the box";
  MoveAway();
  desktop_.RunFor(30);
  EXPECT_EQ(log.back(), "MouseOut 0");
  EXPECT_EQ(log.size(), 3u);
  EXPECT_EQ(ShownGlyph(), 0);
}

TEST_F(XpCheckboxTest, PointerLeavingTheWindowReportsOnceThoughItsLastPositionWasOverTheBox) {
  Make();
  desktop_.RunFor(20);
  for (int exit = 1; exit <= 2; ++exit) {
    MoveTo(box->GlyphBox(), {6, 6});
    MoveTo(box->CaptionLabel(), {10, 5});
    log.clear();
    ui::BackendEvent gone;
    gone.kind = ui::EventKind::PointerLeft;
    backend_->Push(gone);
    desktop_.RunFor(50);
    EXPECT_EQ(log, std::vector<std::string>{"MouseOut 0"}) << "exit " << exit;
    EXPECT_EQ(ShownGlyph(), 0);
  }
}

TEST_F(XpCheckboxTest, ClicksOnGlyphAndCaptionToggleAfterRaisingClick) {
  forms::PropertyBag bag;
  bag.set("Value", std::int64_t{1});
  Make(bag);
  EXPECT_EQ(ShownGlyph(), 4);
  log.clear();
  ClickAt(box->GlyphBox(), {6, 6});
  EXPECT_EQ(box->Value(), 0);
  ClickAt(box->CaptionLabel(), {4, 4});
  EXPECT_EQ(box->Value(), 1);
  const std::vector<std::string> clicks = [&] {
    std::vector<std::string> c;
    for (const auto& e : log) {
      if (e.rfind("Click", 0) == 0) c.push_back(e);
    }
    return c;
  }();
  EXPECT_EQ(clicks, (std::vector<std::string>{"Click 1", "Click 0"})) << "the handler sees the value before";

  box->SetValue(2);
  ClickAt(box->GlyphBox(), {6, 6});
  EXPECT_EQ(box->Value(), 0) << "grayed becomes unchecked";
  box->SetValue(3);
  ClickAt(box->GlyphBox(), {6, 6});
  EXPECT_EQ(box->Value(), 3);
}

TEST_F(XpCheckboxTest, RightButtonShowsPressedThenHotAndKeepsTheValue) {
  Make();
  log.clear();
  backend_->MouseMoveTo(Screen(box->GlyphBox(), {6, 6}));
  backend_->MouseDown(ui::kRightButton);
  desktop_.DoEvents();
  EXPECT_EQ(ShownGlyph(), 2);
  backend_->MouseUp(ui::kRightButton);
  MoveTo(box->GlyphBox(), {7, 6});
  EXPECT_EQ(ShownGlyph(), 1);
  EXPECT_EQ(box->Value(), 0);
  EXPECT_EQ(std::count(log.begin(), log.end(), "MouseDown 2"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "MouseUp 2"), 1);
}

TEST_F(XpCheckboxTest, KeysRaiseTheirEventsOnly) {
  Make();
  box->SetFocus();
  log.clear();
  backend_->KeyDown(ui::VK_SPACE);
  backend_->Type(" ");
  backend_->KeyUp(ui::VK_SPACE);
  desktop_.DoEvents();
  EXPECT_EQ(log, (std::vector<std::string>{"KeyDown 32", "KeyPress 32", "KeyUp 32"}));
  EXPECT_EQ(box->Value(), 0);
}

TEST_F(XpCheckboxTest, DisabledBoxGreysGlyphAndCaptionAndIgnoresClicks) {
  Make();
  box->SetForeColor(0x00C00000);
  for (std::int32_t v : {0, 1, 2}) {
    box->SetValue(v);
    box->SetEnabled(false);
    EXPECT_EQ(ShownGlyph(), 4 * v + 3);
    box->SetEnabled(true);
  }
  box->SetEnabled(false);
  EXPECT_EQ(box->CaptionLabel().ForeColor(), 0x0092A1A1u);
  EXPECT_EQ(CaptionInk(), std::set<std::uint32_t>{0x0092A1A1u}) << "drawn in the grey, not embossed";
  box->SetForeColor(0x000000FF);
  EXPECT_EQ(box->CaptionLabel().ForeColor(), 0x0092A1A1u);
  log.clear();
  ClickAt(box->GlyphBox(), {6, 6});
  EXPECT_EQ(box->Value(), 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Click 2"), 0);
  box->SetEnabled(true);
  EXPECT_EQ(box->CaptionLabel().ForeColor(), 0x000000FFu);
  EXPECT_EQ(CaptionInk(), std::set<std::uint32_t>{0x000000FFu});
}

TEST_F(XpCheckboxTest, LayoutCentresGlyphAndCaptionIn255Twips) {
  Make();
  EXPECT_EQ(box->GlyphBox().Top(), 30);
  EXPECT_EQ(box->GlyphBox().Left(), 0);
  EXPECT_EQ(box->GlyphBox().Width(), 195);
  EXPECT_EQ(box->CaptionLabel().Left(), 240);
  const double caption = box->CaptionLabel().Height();
  ASSERT_GT(caption, 0) << "the caption sizes itself to its text";
  EXPECT_EQ(box->CaptionLabel().Top(), static_cast<int>(275 - caption) / 2);
}

TEST_F(XpCheckboxTest, StoredSettingsRoundTrip) {
  forms::PropertyBag bag;
  bag.set("value", std::int64_t{1});
  Make(bag);
  EXPECT_EQ(box->Value(), 1);
  EXPECT_EQ(box->Caption(), "是否保存本次记录");
  EXPECT_EQ(box->Font(), forms::song_font(9));
  EXPECT_EQ(box->BackColor(), 0x00FFFFFFu);
  EXPECT_EQ(ColourAt(*box, {100, 1}), 0x00FFFFFFu);
  forms::PropertyBag saved;
  box->WriteProperties(saved);
  std::vector<std::string> keys;
  for (const auto& e : saved.entries()) keys.push_back(e.key);
  EXPECT_EQ(keys, (std::vector<std::string>{"Font", "Value", "Caption", "BackColor"}));
  EXPECT_EQ(saved.read_int32("Value", 0), 1);
}

// A quick second click is a second click wherever it lands: the desktop reports it as a
// double click, which the box must not swallow.
TEST_F(XpCheckboxTest, QuickSecondClickTogglesAgainOnEveryPart) {
  Make();
  const struct {
    const char* part;
    const ui::Window* window;
    gfx::Point at;
  } cases[] = {{"glyph", &box->GlyphBox(), {6, 6}}, {"caption", &box->CaptionLabel(), {4, 4}}, {"box", box, {14, 8}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.part);
    box->SetValue(0);
    log.clear();
    ClickAt(*c.window, c.at);
    ClickAt(*c.window, c.at);
    EXPECT_EQ(box->Value(), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "MouseDown 1"), 2);
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& e) { return e.rfind("Click", 0) == 0; }), 2);
  }
}

// Only a left release that ends a press on the same part clicks; dragging a press off a part
// and back still clicks, and a press dragged away reports its exit once.
TEST_F(XpCheckboxTest, ReleaseClicksOnlyAfterAPressOnTheSamePart) {
  Make();
  const ui::Window& glyph = box->GlyphBox();
  const ui::Window& caption = box->CaptionLabel();
  const gfx::Point below{6, 60};  // on the form, under the glyph
  const struct {
    const char* what;
    const ui::Window* down;
    gfx::Point down_at;
    const ui::Window* up;
    gfx::Point up_at;
    std::int32_t after;
  } cases[] = {
      {"form, then glyph", &glyph, below, &glyph, {6, 6}, 0},
      {"caption, then form", &caption, {4, 4}, &caption, below, 0},
      {"form, then caption", &caption, below, &caption, {4, 4}, 0},
      {"form, then box", box, below, box, {14, 8}, 0},
      {"glyph, off and back", &glyph, {6, 6}, &glyph, {7, 7}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    box->SetValue(0);
    backend_->MouseMoveTo(Screen(*c.down, c.down_at));
    backend_->MouseDown(ui::kLeftButton);
    desktop_.DoEvents();
    MoveTo(*c.down, below);
    desktop_.RunFor(30);
    log.clear();
    for (int i = 0; i < 3; ++i) {
      MoveTo(*c.down, {below.x + i, below.y});
      desktop_.RunFor(30);
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "MouseOut 0"), 0) << "the exit was already reported";
    backend_->MouseMoveTo(Screen(*c.up, c.up_at));
    backend_->MouseUp(ui::kLeftButton);
    desktop_.DoEvents();
    EXPECT_EQ(box->Value(), c.after);
    desktop_.RunFor(1000);  // the next press is no double click
  }
}

}  // namespace
}  // namespace kes::fields

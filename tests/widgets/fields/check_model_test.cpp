#include "widgets/fields/check_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kes::fields {
namespace {

// A box 112 x 17 pixels whose holder writes down every event it gets.
struct CheckFixture : ::testing::Test {
  CheckModel box;
  std::vector<std::string> log;
  CheckEvents events;

  CheckFixture() {
    box.SetInnerSize(112, 17);
    events.click = [this] { log.push_back("Click " + std::to_string(box.Value())); };
    events.mouse_out = [this] { log.push_back("MouseOut"); };
    events.mouse_down = [this](CheckMouse& m) { log.push_back("MouseDown " + std::to_string(m.button)); };
    events.mouse_move = [this](CheckMouse& m) { log.push_back("MouseMove " + std::to_string(m.button)); };
    events.mouse_up = [this](CheckMouse& m) { log.push_back("MouseUp " + std::to_string(m.button)); };
  }

  void Move(float x, float y, std::int16_t button = 0) {
    CheckMouse m{button, 0, x, y};
    box.MouseMove(m, events);
  }
  void Down(std::int16_t button) {
    CheckMouse m{button, 0, 5, 5};
    box.MouseDown(m, events);
  }
};

TEST(CheckGlyphIndex, FollowsValueAndLookAndRefusesOtherValues) {
  EXPECT_EQ(CheckGlyphIndex(0, CheckLook::Normal), 0);
  EXPECT_EQ(CheckGlyphIndex(1, CheckLook::Pressed), 6);
  EXPECT_EQ(CheckGlyphIndex(2, CheckLook::Disabled), 11);
  EXPECT_EQ(CheckGlyphIndex(3, CheckLook::Normal), -1);
  EXPECT_EQ(CheckGlyphIndex(-1, CheckLook::Hot), -1);
}

struct ClickCase {
  std::int32_t before;
  std::int32_t after;
  int glyph_after;
};

TEST_F(CheckFixture, ClickRaisesClickWithTheOldValueThenToggles) {
  const ClickCase cases[] = {{0, 1, 4}, {1, 0, 0}, {2, 0, 0}, {3, 3, 0}, {-5, -5, 0}};
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.before);
    box.SetValue(0);  // glyph 0, so an out-of-range value keeps it
    box.SetValue(c.before);
    log.clear();
    box.Click(events);
    EXPECT_EQ(log, std::vector<std::string>{"Click " + std::to_string(c.before)});
    EXPECT_EQ(box.Value(), c.after);
    EXPECT_EQ(box.Glyph(), c.glyph_after);
  }
}

TEST_F(CheckFixture, ValueOutsideTheGlyphsIsKeptButLeavesThePreviousGlyph) {
  box.SetValue(1);
  EXPECT_EQ(box.Glyph(), 4);
  box.SetValue(3);
  EXPECT_EQ(box.Value(), 3);
  EXPECT_EQ(box.Glyph(), 4);
  Down(1);
  EXPECT_EQ(box.Glyph(), 4) << "no pressed look for value 3";
}

TEST_F(CheckFixture, ClickHandlerMayRewriteTheValueBeforeTheToggle) {
  events.click = [this] { box.SetValue(2); };
  box.Click(events);
  EXPECT_EQ(box.Value(), 0) << "2 set by the handler becomes 0";
}

TEST_F(CheckFixture, RightButtonPressesThenMoveShowsHotAndValueStays) {
  box.SetValue(1);
  Down(2);
  EXPECT_EQ(box.Glyph(), 6);
  Move(5, 5, 2);
  EXPECT_EQ(box.Glyph(), 5);
  Move(5, 5, 1);
  EXPECT_EQ(box.Glyph(), 6) << "the left button alone shows pressed";
  Move(5, 5, 3);
  EXPECT_EQ(box.Glyph(), 5);
  CheckMouse up{2, 0, 5, 5};
  box.MouseUp(up, events);
  EXPECT_EQ(box.Glyph(), 5) << "release leaves the glyph";
  EXPECT_EQ(box.Value(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"MouseDown 2", "MouseMove 2", "MouseMove 1", "MouseMove 3", "MouseUp 2"}));
}

TEST_F(CheckFixture, MovesOutsideTheBoxRaiseNothing) {
  Move(-1, 5);
  Move(113, 5);
  Move(5, 18);
  EXPECT_TRUE(log.empty());
  Move(112, 17);
  EXPECT_EQ(log, std::vector<std::string>{"MouseMove 0"}) << "the right and bottom edges are inside";
}

TEST_F(CheckFixture, DisabledBoxShowsDisabledGlyphsAndGreyCaptionAndIgnoresClicks) {
  box.SetForeColor(0x00C00000);
  for (std::int32_t v : {0, 1, 2}) {
    box.SetEnabled(true);
    box.SetValue(v);
    box.SetEnabled(false);
    EXPECT_EQ(box.Glyph(), 4 * v + 3);
  }
  EXPECT_EQ(box.CaptionColor(), kCheckDisabledCaption);
  box.SetForeColor(0x000000FF);
  EXPECT_EQ(box.CaptionColor(), kCheckDisabledCaption) << "stored, shown once enabled";

  log.clear();
  box.Click(events);
  Down(1);
  Move(5, 5, 1);
  EXPECT_EQ(box.Value(), 2);
  EXPECT_EQ(box.Glyph(), 11);
  EXPECT_EQ(log, (std::vector<std::string>{"MouseDown 1", "MouseMove 1"})) << "mouse events still reach the holder";

  box.SetEnabled(true);
  EXPECT_EQ(box.CaptionColor(), 0x000000FFu);
  EXPECT_EQ(box.Glyph(), 8);
}

TEST_F(CheckFixture, PollingReportsOneMouseOutPerExit) {
  ASSERT_TRUE(box.Polling()) << "polls from creation";
  box.Tick(50, 8, events);
  EXPECT_TRUE(log.empty()) << "pointer over the box";
  box.Tick(200, 8, events);
  box.Tick(200, 8, events);
  EXPECT_EQ(log, std::vector<std::string>{"MouseOut"});
  EXPECT_FALSE(box.Polling());

  log.clear();
  box.SetValue(1);
  Move(5, 5);
  EXPECT_EQ(box.Glyph(), 5);
  EXPECT_TRUE(box.Polling());
  box.Tick(112, 17, events);
  EXPECT_EQ(log, std::vector<std::string>{"MouseMove 0"});
  box.Tick(5, -1, events);
  EXPECT_EQ(log, (std::vector<std::string>{"MouseMove 0", "MouseOut"}));
  EXPECT_EQ(box.Glyph(), 4) << "back to normal on leaving";
}

TEST_F(CheckFixture, LeaveNotificationCountsAsOneExit) {
  box.Tick(200, 8, events);
  Move(5, 5);
  log.clear();
  box.PointerLeft(events);
  box.PointerLeft(events);
  box.Tick(300, 5, events);
  EXPECT_EQ(log, std::vector<std::string>{"MouseOut"});
}

TEST_F(CheckFixture, DragHeldOutsideDoesNotRepeatMouseOut) {
  Down(1);
  Move(5, 5, 1);
  box.Tick(300, 5, events);
  log.clear();
  // A captured drag keeps sending moves from outside the box.
  for (int i = 0; i < 3; ++i) {
    Move(300.0f + static_cast<float>(i), 5, 1);
    box.Tick(300, 5, events);
  }
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(box.Glyph(), 0);
}

TEST(CheckLayout, CentresGlyphAndCaptionInTheHeight) {
  struct Case {
    double height;
    double caption;
    int glyph_top;
    int caption_top;
  };
  const Case cases[] = {
      {255, 180, 30, 47},    // the program's boxes: (275 - 180) halved
      {255, 195, 30, 40},
      {256.5, 180, 31, 48},  // 61.5 rounds to even 62
      {254.5, 180, 30, 47},  // 59.5 rounds to even 60
      {100, 180, -47, -30},  // taller caption than box: halving drops toward zero
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    CheckLayout l = LayOutCheck(c.height, c.caption);
    EXPECT_EQ(l.glyph_top, c.glyph_top);
    EXPECT_EQ(l.caption_top, c.caption_top);
    EXPECT_EQ(l.glyph_left, 0);
    EXPECT_EQ(l.glyph_width, 195);
    EXPECT_EQ(l.glyph_height, 195);
    EXPECT_EQ(l.caption_left, 240);
  }
}

}  // namespace
}  // namespace kes::fields

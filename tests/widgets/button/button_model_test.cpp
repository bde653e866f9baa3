// The button's state machine and events, driven without a window.
#include "widgets/button/button_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/widgets/button/fake_host.h"
#include "widgets/button/button_style.h"

namespace kes::button {
namespace {

struct EventLog : ButtonEvents {
  std::vector<std::string>* log = nullptr;
  void Add(std::string s) { log->push_back(std::move(s)); }
  static std::string Args(std::int16_t b, std::int16_t s, float x, float y) {
    return "(" + std::to_string(b) + "," + std::to_string(s) + "," + std::to_string(int(x)) + "," +
           std::to_string(int(y)) + ")";
  }
  void Click() override { Add("Click"); }
  void DblClick() override { Add("DblClick"); }
  void MouseEnter() override { Add("MouseEnter"); }
  void MouseLeave() override { Add("MouseLeave"); }
  void MouseMove(std::int16_t b, std::int16_t s, float x, float y) override { Add("MouseMove" + Args(b, s, x, y)); }
  void MouseUp(std::int16_t b, std::int16_t s, float x, float y) override { Add("MouseUp" + Args(b, s, x, y)); }
  void MouseDown(std::int16_t b, std::int16_t s, float x, float y) override { Add("MouseDown" + Args(b, s, x, y)); }
  void KeyDown(std::int16_t k, std::int16_t s) override { Add("KeyDown(" + std::to_string(k) + "," + std::to_string(s) + ")"); }
  void KeyUp(std::int16_t k, std::int16_t s) override { Add("KeyUp(" + std::to_string(k) + "," + std::to_string(s) + ")"); }
};

struct Rig {
  std::vector<std::string> log;
  FakeHost host;  // a 60 x 20 button
  EventLog events;
  ButtonModel model;
  explicit Rig(ButtonProperties p = NewButtonProperties({})) : model(host, events, std::move(p)) {
    host.log = &log;
    events.log = &log;
    model.Loaded();
  }
  // The pointer comes over the button: the window's own move, then the hook's.
  void Enter(float x = 10, float y = 10) {
    host.pointer_over_window = true;
    model.OnMouseMove(0, 0, x, y);
    model.OnHookMouseMove();
  }
  void Leave() {
    host.pointer_over_window = false;
    model.OnHookMouseLeave();
  }
};

using Step = std::function<void(Rig&)>;
Step Enter = [](Rig& r) { r.Enter(); };
Step Leave = [](Rig& r) { r.Leave(); };
Step Down(float x, float y, std::int16_t b = kLeft) { return [=](Rig& r) { r.model.OnMouseDown(b, 0, x, y); }; }
Step Up(float x, float y, std::int16_t b = kLeft) { return [=](Rig& r) { r.model.OnMouseUp(b, 0, x, y); }; }
Step Move(float x, float y) { return [=](Rig& r) { r.model.OnMouseMove(0, 0, x, y); }; }
Step KeyDown(std::int16_t k, std::int16_t s = 0) { return [=](Rig& r) { r.model.OnKeyDown(k, s); }; }
Step KeyUp(std::int16_t k, std::int16_t s = 0) { return [=](Rig& r) { r.model.OnKeyUp(k, s); }; }
Step Access(std::int16_t k) { return [=](Rig& r) { r.model.OnAccessKeyPress(k); }; }
Step Focus = [](Rig& r) { r.model.OnGotFocus(); };
Step Blur = [](Rig& r) { r.model.OnLostFocus(); };
Step Activate(bool on) { return [=](Rig& r) { r.model.OnFormActivate(on); }; }
Step DblClick = [](Rig& r) { r.model.OnDblClick(); };
Step Toggle = [](Rig& r) { r.model.SetCheckBoxMode(true); };
Step Clear = [](Rig& r) { r.log.clear(); };

struct SequenceCase {
  std::string name;
  std::vector<Step> steps;
  std::vector<std::string> events;  // after the last Clear
  DrawState state;
  bool value = false;
  // Names the case in test listings instead of dumping its bytes.
  friend void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }
};

class Sequences : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(Sequences, RaiseTheirEventsAndEndInTheirState) {
  const SequenceCase& c = GetParam();
  Rig rig;
  for (const Step& s : c.steps) s(rig);
  EXPECT_EQ(rig.log, c.events);
  EXPECT_EQ(rig.model.state(), c.state);
  EXPECT_EQ(rig.model.properties().value, c.value);
}

const std::string kMove0 = "MouseMove(0,0,10,10)";

INSTANTIATE_TEST_SUITE_P(
    Mouse, Sequences,
    ::testing::Values(
        SequenceCase{"EnterMakesHot", {Enter}, {kMove0, "MouseEnter"}, DrawState::Hot},
        SequenceCase{"PressMakesDown", {Enter, Clear, Down(10, 10)}, {"MouseDown(1,0,10,10)"}, DrawState::Down},
        // The release leaves the look for the next pointer message.
        SequenceCase{"ReleaseInsideClicks", {Enter, Down(10, 10), Clear, Up(10, 10)}, {"Click", "MouseUp(1,0,10,10)"}, DrawState::Down},
        SequenceCase{"NextMoveAfterReleaseIsHot", {Enter, Down(10, 10), Up(10, 10), Clear, Move(11, 10)}, {"MouseMove(0,0,11,10)"}, DrawState::Hot},
        SequenceCase{"ReleaseOnLeftEdge", {Enter, Down(10, 10), Clear, Up(0, 10)}, {"MouseUp(1,0,0,10)"}, DrawState::Down},
        SequenceCase{"ReleaseOnTopEdge", {Enter, Down(10, 10), Clear, Up(10, 0)}, {"MouseUp(1,0,10,0)"}, DrawState::Down},
        SequenceCase{"ReleaseOnRightEdge", {Enter, Down(10, 10), Clear, Up(60, 10)}, {"MouseUp(1,0,60,10)"}, DrawState::Down},
        SequenceCase{"ReleaseOutside", {Enter, Down(10, 10), Clear, Up(-5, 30)}, {"MouseUp(1,0,-5,30)"}, DrawState::Down},
        SequenceCase{"RightButtonOnlyRaisesMouseUp", {Enter, Clear, Down(10, 10, 2), Up(10, 10, 2)}, {"MouseUp(2,0,10,10)"}, DrawState::Hot},
        SequenceCase{"LeaveMakesNormal", {Enter, Clear, Leave}, {"MouseLeave"}, DrawState::Normal},
        SequenceCase{"DoubleClickPressesAgain", {Enter, Down(10, 10), Up(10, 10), Clear, DblClick},
                     {"MouseDown(1,0,10,10)", "DblClick"}, DrawState::Down},
        SequenceCase{"DoubleClickAfterRightPressDoesNothing", {Enter, Down(10, 10, 2), Up(10, 10, 2), Clear, DblClick}, {}, DrawState::Hot}),
    [](const auto& info) { return info.param.name; });

constexpr std::int16_t kAlt = kShiftAlt;

INSTANTIATE_TEST_SUITE_P(
    Keyboard, Sequences,
    ::testing::Values(
        SequenceCase{"EnterClicks", {KeyDown(kKeyEnter)}, {"Click", "KeyDown(13,0)"}, DrawState::Normal},
        SequenceCase{"SpacePressesDown", {KeyDown(kKeySpace)}, {"KeyDown(32,0)"}, DrawState::Down},
        SequenceCase{"SpaceReleaseAwayClicks", {KeyDown(kKeySpace), KeyUp(kKeySpace)}, {"KeyDown(32,0)", "Click", "KeyUp(32,0)"}, DrawState::Normal},
        SequenceCase{"SpaceReleaseOverClicksHot", {Enter, Clear, KeyDown(kKeySpace), KeyUp(kKeySpace)},
                     {"KeyDown(32,0)", "Click", "KeyUp(32,0)"}, DrawState::Hot},
        SequenceCase{"SpaceWhileMouseHeldDoesNotClick", {Enter, Down(10, 10), Clear, KeyDown(kKeySpace), KeyUp(kKeySpace)},
                     {"KeyDown(32,0)", "KeyUp(32,0)"}, DrawState::Down},
        SequenceCase{"AltSpaceDoesNothing", {KeyDown(kKeySpace, kAlt)}, {}, DrawState::Normal},
        SequenceCase{"AltSpaceReleaseDoesNotClick", {KeyDown(kKeySpace, kAlt), KeyUp(kKeySpace, kAlt)}, {"KeyUp(32,4)"}, DrawState::Normal},
        SequenceCase{"LeaveWhileSpaceHeldKeepsDown", {Enter, KeyDown(kKeySpace), Clear, Leave}, {}, DrawState::Down},
        SequenceCase{"ArrowsMoveTheFocus", {KeyDown(kKeyLeft), KeyDown(kKeyUp), KeyDown(kKeyRight), KeyDown(kKeyDown)},
                     {"Shift+Tab", "KeyDown(37,0)", "Shift+Tab", "KeyDown(38,0)", "Tab", "KeyDown(39,0)", "Tab", "KeyDown(40,0)"},
                     DrawState::Normal},
        SequenceCase{"OtherKeysRaiseNoKeyUp", {KeyDown(65), KeyUp(65)}, {"KeyDown(65,0)"}, DrawState::Normal},
        SequenceCase{"AccessKeyClicks", {Access('a')}, {"Click"}, DrawState::Normal}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    FocusAndForm, Sequences,
    ::testing::Values(
        SequenceCase{"FocusWithPointerOverIsHot", {Enter, KeyDown(kKeySpace), Clear, Focus}, {}, DrawState::Hot},
        SequenceCase{"LostFocusInActiveFormUnderPointerIsHot", {Activate(true), Enter, Down(10, 10), Clear, Blur}, {}, DrawState::Hot},
        SequenceCase{"LostFocusInInactiveFormIsNormal", {Enter, Down(10, 10), Clear, Blur}, {}, DrawState::Normal},
        SequenceCase{"DeactivationEndsAPress", {Activate(true), Enter, Down(10, 10), Activate(false), Clear, Move(12, 10)},
                     {"MouseMove(0,0,12,10)"}, DrawState::Hot}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Toggle, Sequences,
    ::testing::Values(
        SequenceCase{"ClickFlipsValue", {Toggle, Enter, Down(10, 10), Up(10, 10), Clear, Move(11, 10)}, {"MouseMove(0,0,11,10)"}, DrawState::Down, true},
        SequenceCase{"SecondClickFlipsBack", {Toggle, Enter, Down(10, 10), Up(10, 10), Down(10, 10), Up(10, 10), Clear, Move(11, 10)},
                     {"MouseMove(0,0,11,10)"}, DrawState::Hot, false},
        SequenceCase{"SpaceFlipsAndClicks", {Toggle, KeyDown(kKeySpace), KeyUp(kKeySpace)}, {"KeyDown(32,0)", "Click", "KeyUp(32,0)"}, DrawState::Down, true},
        SequenceCase{"AccessKeyFlipsAndClicks", {Toggle, Access('a')}, {"Click"}, DrawState::Down, true},
        SequenceCase{"DefaultKeyEnterDoesNotClick", {Toggle, Access(kKeyEnter)}, {}, DrawState::Normal, false},
        SequenceCase{"CancelKeyEscapeDoesNotClick", {Toggle, Access(kKeyEscape)}, {}, DrawState::Normal, false}),
    [](const auto& info) { return info.param.name; });

TEST(ButtonModel, ValueIsOnlyKeptInToggleMode) {
  Rig rig;
  rig.model.SetValue(true);
  EXPECT_FALSE(rig.model.properties().value);
  rig.model.SetCheckBoxMode(true);
  rig.model.SetValue(true);
  EXPECT_TRUE(rig.model.properties().value);
  EXPECT_EQ(rig.model.state(), DrawState::Down);
  rig.model.SetValue(false);
  EXPECT_EQ(rig.model.state(), DrawState::Normal);
}

TEST(ButtonModel, ToggledOnIsDrawnDownExceptInLooksZeroThreeAndNine) {
  for (std::int32_t style = 0; style < kStyleCount; ++style) {
    Rig rig;
    rig.model.SetButtonStyle(style);
    rig.model.SetCheckBoxMode(true);
    rig.model.SetValue(true);
    rig.model.OnHookMouseLeave();
    const bool flat = style == 0 || style == 3 || style == 9;
    EXPECT_EQ(rig.model.state(), flat ? DrawState::Normal : DrawState::Down) << "look " << style;
  }
}

TEST(ButtonModel, DisabledButtonKeepsItsLookWhenThePointerLeaves) {
  Rig rig;
  rig.Enter();
  rig.model.SetEnabled(false);
  rig.Leave();
  EXPECT_EQ(rig.model.state(), DrawState::Hot);
  EXPECT_FALSE(rig.model.pointer_over());
  rig.log.clear();
  rig.model.OnAccessKeyPress('a');
  EXPECT_TRUE(rig.log.empty());
}

TEST(ButtonModel, SpaceTakesTheCaptureAndGivesItBack) {
  Rig rig;
  rig.model.OnKeyDown(kKeySpace, 0);
  EXPECT_TRUE(rig.host.capture);
  rig.model.OnKeyUp(kKeySpace, 0);
  EXPECT_FALSE(rig.host.capture);
  // A capture the button did not take for Space is left alone.
  rig.host.capture = true;
  rig.model.OnKeyDown(kKeySpace, 0);
  rig.model.OnKeyUp(kKeySpace, 0);
  EXPECT_TRUE(rig.host.capture);
}

TEST(ButtonModel, PointerLeavingDuringAMoveRaisesMouseLeave) {
  Rig rig;
  rig.Enter();
  rig.log.clear();
  rig.host.pointer_over_window = false;
  rig.model.OnMouseMove(1, 0, 70, 10);
  EXPECT_EQ(rig.log, (std::vector<std::string>{"MouseLeave", "MouseMove(1,0,70,10)"}));
  EXPECT_FALSE(rig.model.pointer_over());
}

}  // namespace
}  // namespace kes::button

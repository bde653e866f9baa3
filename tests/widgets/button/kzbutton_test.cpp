// The button on a real form of the headless desktop: its hooks, pointer, keys, focus and size.
#include "widgets/button/kzbutton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/events.h"
#include "platform/forms/form.h"
#include "platform/services/event_log.h"
#include "platform/services/headless.h"
#include "platform/services/message_box.h"
#include "platform/ui/desktop.h"
#include "platform/ui/headless_backend.h"

namespace kes::button {
namespace {

class KzButtonOnAForm : public ::testing::Test {
 protected:
  KzButtonOnAForm() {
    services::set_headless(true);
    services::clear_recorded();
    auto b = std::make_unique<ui::HeadlessBackend>();
    backend = b.get();
    desktop = std::make_unique<ui::Desktop>(std::move(b));
    forms::FormDesign design;
    design.name = "ForMsgx";
    design.client_width = 4800;
    design.client_height = 2400;
    form = std::make_unique<forms::Form>(*desktop, design);
    for (const char* e : {forms::kClick, forms::kDblClick, kMouseEnter, kMouseLeave})
      form->On("cmdButton", e, [this, e](int i) { log.push_back(std::string(e) + "(" + std::to_string(i) + ")"); });
    form->On("cmdButton", forms::kKeyDown, [this](int i, forms::KeyArgs& a) {
      log.push_back("KeyDown(" + std::to_string(i) + "," + std::to_string(a.key_code) + ")");
    });
    form->On("cmdButton", forms::kMouseUp, [this](int i, forms::MouseArgs&) { log.push_back("MouseUp(" + std::to_string(i) + ")"); });
    for (int i = 0; i < 2; ++i) buttons[i] = Make(i, 960 + 1080 * i);
    form->Show();
    desktop->DoEvents();
    log.clear();
  }

  KzButton* Make(int index, double left) {
    forms::ControlDesign d;
    d.kind = "kzbutton";
    d.name = "cmdButton";
    d.index = index;
    d.rect = {left, 1680, 1005, 375};
    d.tab_index = index;
    d.settings.set("ButtonStyle", std::int64_t{5});
    d.settings.set("BackColor", forms::OleColor{0x404040});
    d.settings.set("ForeColor", forms::OleColor{0xFFFFFF});
    d.settings.set("ShowFocusRect", true);
    d.settings.set("Caption", std::string(index == 0 ? "&Yes" : "No"));
    d.settings.set("Font", forms::tahoma_font(8.25));
    return form->Create<KzButton>(d);
  }

  gfx::Point Screen(const KzButton& b, int x, int y) const { return desktop->ClientToScreen(b.hwnd(), {x, y}); }
  void Run() { desktop->DoEvents(); }

  ui::HeadlessBackend* backend = nullptr;
  std::unique_ptr<ui::Desktop> desktop;
  std::unique_ptr<forms::Form> form;
  KzButton* buttons[2] = {};
  std::vector<std::string> log;
};

TEST_F(KzButtonOnAForm, HooksThePointerAndClicksOnARelease) {
  KzButton& b = *buttons[0];
  EXPECT_TRUE(b.Hooked());
  backend->MouseMoveTo(Screen(b, 10, 10));
  Run();
  EXPECT_EQ(b.State(), DrawState::Hot);
  backend->MouseDown(ui::kLeftButton);
  Run();
  EXPECT_EQ(b.State(), DrawState::Down);
  EXPECT_TRUE(b.HasFocus());
  backend->MouseUp(ui::kLeftButton);
  Run();
  EXPECT_EQ(desktop->GetCapture(), 0u);
  backend->MouseMoveTo(Screen(*buttons[1], 10, 10));
  Run();
  EXPECT_EQ(b.State(), DrawState::Normal);
  EXPECT_EQ(buttons[1]->State(), DrawState::Hot);
  EXPECT_EQ(log, (std::vector<std::string>{"MouseEnter(0)", "Click(0)", "MouseUp(0)", "MouseLeave(0)", "MouseEnter(1)"}));
}

TEST_F(KzButtonOnAForm, DraggingOffBeforeTheReleaseDoesNotClick) {
  KzButton& b = *buttons[0];
  backend->MouseMoveTo(Screen(b, 10, 10));
  backend->MouseDown(ui::kLeftButton);
  backend->MouseMoveTo(Screen(b, 200, 10));
  backend->MouseUp(ui::kLeftButton);
  Run();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Click(0)"), 0);
  EXPECT_EQ(std::count(log.begin(), log.end(), "MouseUp(0)"), 1);
}

TEST_F(KzButtonOnAForm, DoubleClickPressesAgainAndClicksOnEachRelease) {
  KzButton& b = *buttons[0];
  backend->MouseMoveTo(Screen(b, 10, 10));
  backend->Click(Screen(b, 10, 10));
  backend->Click(Screen(b, 10, 10));
  Run();
  EXPECT_EQ(log, (std::vector<std::string>{"MouseEnter(0)", "Click(0)", "MouseUp(0)", "DblClick(0)", "Click(0)",
                                           "MouseUp(0)"}));
  EXPECT_EQ(desktop->GetCapture(), 0u);
}

TEST_F(KzButtonOnAForm, AButtonAddedToAnActiveFormShowsItsFocus) {
  ASSERT_EQ(desktop->GetActiveWindow(), form->hwnd());
  KzButton* late = Make(2, 3120);
  late->SetFocus();
  Run();
  const PaintInputs in = late->CurrentPaintInputs();
  EXPECT_TRUE(in.form_active && in.has_focus);
}

TEST_F(KzButtonOnAForm, KeysClickAndArrowsMoveTheFocus) {
  buttons[0]->SetFocus();
  Run();
  backend->KeyPress(ui::VK_SPACE);
  Run();
  EXPECT_EQ(log, (std::vector<std::string>{"KeyDown(0,32)", "Click(0)"}));
  log.clear();
  backend->KeyPress(ui::VK_RIGHT);
  Run();
  EXPECT_TRUE(buttons[1]->HasFocus());
  backend->KeyPress(ui::VK_RETURN);
  Run();
  EXPECT_EQ(log, (std::vector<std::string>{"KeyDown(0,39)", "Click(1)", "KeyDown(1,13)"}));
  EXPECT_EQ(desktop->GetCapture(), 0u);
}

TEST_F(KzButtonOnAForm, AltSpaceNeitherPressesNorClicks) {
  buttons[0]->SetFocus();
  Run();
  backend->KeyPress(ui::VK_SPACE, ui::kAltMask);
  Run();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Click(0)"), 0);
  EXPECT_EQ(std::count(log.begin(), log.end(), "KeyDown(0,32)"), 0);
  EXPECT_EQ(buttons[0]->State(), DrawState::Normal);
}

TEST_F(KzButtonOnAForm, DisabledButtonTakesNoClick) {
  KzButton& b = *buttons[0];
  b.SetEnabled(false);
  EXPECT_FALSE(b.IsEnabled());
  EXPECT_FALSE(b.CurrentPaintInputs().enabled);
  backend->MouseMoveTo(Screen(b, 10, 10));
  backend->Click(Screen(b, 10, 10));
  form->RouteAccessKey(U'Y');
  Run();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Click(0)"), 0);
}

TEST_F(KzButtonOnAForm, AccessKeyClicksAndNamesTheMarkedLetter) {
  EXPECT_EQ(buttons[0]->AccessKeys(), U"Y");
  EXPECT_TRUE(buttons[1]->AccessKeys().empty());
  EXPECT_TRUE(form->RouteAccessKey(U'Y'));
  Run();
  EXPECT_EQ(log, (std::vector<std::string>{"Click(0)"}));
}

TEST_F(KzButtonOnAForm, FocusRectangleFollowsTheFocus) {
  const auto focused = [&](const KzButton& b) {
    const PaintInputs in = b.CurrentPaintInputs();
    return in.form_active && in.show_focus_rect && in.has_focus;
  };
  buttons[0]->SetFocus();
  Run();
  EXPECT_TRUE(focused(*buttons[0]));
  form->SelectNext(true);
  Run();
  EXPECT_FALSE(focused(*buttons[0]));
  EXPECT_TRUE(focused(*buttons[1]));
}

TEST_F(KzButtonOnAForm, GrowsBackToTheMinimumSize) {
  KzButton& b = *buttons[0];
  b.Move(b.Left(), b.Top(), 100, 150);
  EXPECT_EQ(b.Width(), kMinimumTwips);
  EXPECT_EQ(b.Height(), kMinimumTwips);
  b.SetWidth(600);
  EXPECT_EQ(b.Width(), 600);
  EXPECT_EQ(b.ScaleWidth(), 40);
}

TEST_F(KzButtonOnAForm, StoredColoursSurviveLoadingAndTheLookTableAppliesOnAssignment) {
  KzButton& b = *buttons[0];
  EXPECT_EQ(b.BackColor(), 0x404040u);
  forms::PropertyBag bag;
  b.WriteProperties(bag);
  EXPECT_EQ(bag.read_color("BackColor", 0), 0x404040u);
  EXPECT_EQ(bag.read_string("Caption", ""), "&Yes");
  b.SetButtonStyle(5);
  EXPECT_EQ(b.BackColor(), 0xAA6D00u);
}

TEST_F(KzButtonOnAForm, HandPointerShowsOverTheButton) {
  KzButton& b = *buttons[1];
  b.SetHandPointer(true);
  backend->MouseMoveTo(Screen(b, 10, 10));
  backend->MouseMoveTo(Screen(b, 12, 10));
  Run();
  EXPECT_EQ(backend->PointerShape().kind, ui::CursorKind::Hand);
  backend->MouseMoveTo(Screen(*buttons[0], 10, 10));
  backend->MouseMoveTo(Screen(*buttons[0], 12, 10));
  Run();
  EXPECT_EQ(backend->PointerShape().kind, ui::CursorKind::Arrow);
}

TEST_F(KzButtonOnAForm, AboutShowsTheInformationBox) {
  buttons[0]->About();
  const auto boxes = services::recorded_message_boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].icon, services::MessageIcon::Information);
  EXPECT_EQ(boxes[0].title, "About");
  EXPECT_EQ(boxes[0].text, "KZButton\r\nA Multistyle Button Control\r\n\r\nKestrane project");
}

// The exit and OK buttons unload their form from Click: whatever ends in the click, the
// button must not touch itself afterwards (under the sanitizers that would be a use after free).
TEST_F(KzButtonOnAForm, AClickThatUnloadsTheFormEndsCleanly) {
  struct Way {
    const char* name;
    std::function<void()> click;
  };
  const Way ways[] = {
      {"mouse", [this] { backend->Click(Screen(*buttons[0], 10, 10)); }},
      {"space", [this] { buttons[0]->SetFocus(); backend->KeyPress(ui::VK_SPACE); }},
      {"enter", [this] { buttons[0]->SetFocus(); backend->KeyPress(ui::VK_RETURN); }},
      {"access key", [this] { backend->KeyPress(ui::KeyCode('Y'), ui::kAltMask); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    form.reset();
    form = std::make_unique<forms::Form>(*desktop, forms::FormDesign{});
    log.clear();
    for (int i = 0; i < 2; ++i) buttons[i] = Make(i, 960 + 1080 * i);
    form->On("cmdButton", forms::kClick, [this](int) { form->Unload(); });
    form->On("cmdButton", forms::kMouseUp, [this](int, forms::MouseArgs&) { log.push_back("MouseUp"); });
    form->Show();
    Run();
    const ui::Hwnd window = form->hwnd();
    way.click();
    Run();
    EXPECT_FALSE(desktop->IsWindow(window));
    EXPECT_TRUE(log.empty()) << "nothing is raised by a button that is gone";
  }
}

// Under the sanitizers a hook left behind by a destroyed button is a use after free here.
TEST_F(KzButtonOnAForm, UnloadingReleasesTheHooks) {
  const ui::Hwnd window = form->hwnd();
  form->Unload();
  EXPECT_FALSE(desktop->IsWindow(window));
  EXPECT_TRUE(desktop->GetTopLevelWindows().empty());
  form.reset();
  desktop->DoEvents();
  EXPECT_TRUE(services::recorded_message_boxes().empty());
  EXPECT_TRUE(services::recorded_events().empty());
}

}  // namespace
}  // namespace kes::button

// The smaller controls: the timer on the virtual clock, labels sizing to their captions,
// what containers offer the controls inside them, and keys a form routes to its controls.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/events.h"
#include "platform/forms/group_box.h"
#include "platform/forms/label.h"
#include "platform/forms/edit_field.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/timer_control.h"
#include "platform/ui/keys.h"
#include "platform/ui/timer.h"
#include "tests/platform/forms/form_fixture.h"

namespace kes::forms::testing {
namespace {

// A control that takes the focus and records the keys routed to it, as a button would.
class KeyTaker : public Control {
public:
    explicit KeyTaker(const ControlSite& site) : Control(site) {}
    void ReadProperties(const PropertyBag& bag) override { key_ = bag.read_string("Key", ""); }
    std::u32string AccessKeys() const override { return key_.empty() ? U"" : std::u32string(1, char32_t(key_[0])); }
    void OnAccessKey(char32_t k) override { got.push_back(k); }
    bool WantsKey(ui::KeyCode k) const override { return k == ui::VK_RETURN && wants_enter; }
    std::vector<char32_t> got;
    bool wants_enter = false;

private:
    std::string key_;
};

const char* kDesign = R"(Begin Form F
  ClientWidth = 6000
  ClientHeight = 4500
  BackColor = &H00FFFFFF
  Font = font("宋体", 9, 400, 134)
  Begin Timer Tick
    Interval = 100
    Enabled = False
  End
  Begin Label Fit
    Left = 150
    Top = 150
    Width = 15
    Height = 15
    Caption = "工资计算 pay"
    AutoSize = True
  End
  Begin Label Grow
    Left = 150
    Top = 600
    Width = 900
    Height = 15
    Caption = "您当前输入的 [设定工资] 低于本地最低工资标准,请核实..."
    AutoSize = True
    WordWrap = True
  End
  Begin Frame Group
    Left = 3000
    Top = 150
    Width = 2400
    Height = 1500
    BackColor = &H00C0FFC0
    Font = font("Tahoma", 8.25, 700, 0)
  End
  Begin Label Inner
    Container = "Group"
    Left = 150
    Top = 300
    Width = 900
    Height = 255
  End
  Begin Keys Save
    Left = 150
    Top = 2500
    Width = 1200
    Height = 400
    TabIndex = 1
    Key = "S"
  End
  Begin Keys Quit
    Left = 1500
    Top = 2500
    Width = 1200
    Height = 400
    TabIndex = 2
    Key = "Q"
  End
  Begin EditField Field
    Left = 150
    Top = 3000
    Width = 1500
    Height = 330
    TabIndex = 0
  End
End
)";

class ControlsTest : public FormFixture {
protected:
    void SetUp() override {
        factory_.Register<KeyTaker>("Keys");
        Open(kDesign);
        form_->On("Tick", kTimer, [this] { ticks.push_back(desktop_->Now()); });
        LoadAndShow();
    }
    std::vector<std::int64_t> ticks;
};

TEST_F(ControlsTest, TheTimerTicksEveryIntervalWhileEnabled) {
    auto& timer = Get<TimerControl>("Tick");
    desktop_->RunFor(500);
    EXPECT_TRUE(ticks.empty());  // stored disabled
    const std::int64_t start = desktop_->Now();
    timer.SetEnabled(true);
    desktop_->RunFor(350);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[0] - start, 100);
    EXPECT_EQ(ticks[2] - start, 300);
    timer.SetInterval(0);  // no interval: no ticks, though still enabled
    desktop_->RunFor(500);
    EXPECT_EQ(ticks.size(), 3u);
    timer.SetInterval(50);
    desktop_->RunFor(120);
    EXPECT_EQ(ticks.size(), 5u);
    timer.SetEnabled(false);
    desktop_->RunFor(500);
    EXPECT_EQ(ticks.size(), 5u);
}

TEST_F(ControlsTest, AutoSizedLabelsTakeTheSizeOfTheirCaption) {
    auto& fit = Get<Label>("Fit");
    const gfx::Font song("宋体", 9, 400, 134);
    EXPECT_EQ(fit.ScaleWidth(), song.text_width("工资计算 pay"));
    EXPECT_EQ(fit.ScaleHeight(), song.metrics().height);
    EXPECT_DOUBLE_EQ(fit.Width(), pixels_to_twips(fit.ScaleWidth()));
    fit.SetCaption("工资");
    EXPECT_EQ(fit.ScaleWidth(), song.text_width("工资"));
    // With word wrap the width stays and the height takes every line.
    auto& grow = Get<Label>("Grow");
    EXPECT_EQ(grow.ScaleWidth(), 60);
    EXPECT_GE(grow.ScaleHeight(), 3 * song.metrics().height);
}

TEST_F(ControlsTest, ContainersOfferTheirLooksAndTheFormItsFont) {
    const Ambient inner = Get<Label>("Inner").GetAmbient();
    EXPECT_EQ(inner.back_color, 0x00C0FFC0u);  // the group box's
    EXPECT_EQ(inner.font, song_font(9));        // the form's, not the group caption's
    EXPECT_TRUE(inner.user_mode);
    EXPECT_EQ(inner.display_name, "Inner");
    const Ambient top = Get<Label>("Fit").GetAmbient();
    EXPECT_EQ(top.back_color, 0x00FFFFFFu);
    // A label with no font of its own follows the form's.
    EXPECT_EQ(Get<Label>("Inner").Font(), song_font(9));
}

TEST_F(ControlsTest, AltLetterDefaultAndCancelKeysReachTheirControls) {
    auto& save = Get<KeyTaker>("Save");
    auto& quit = Get<KeyTaker>("Quit");
    auto& field = Get<EditField>("Field");
    ASSERT_TRUE(field.HasFocus());
    backend_->KeyPress('S', ui::kAltMask);
    Settle();
    EXPECT_EQ(save.got, (std::vector<char32_t>{U'S'}));
    EXPECT_TRUE(save.HasFocus());  // the access key also gives it the focus

    form_->SetDefaultButton(&save);
    form_->SetCancelButton(&quit);
    EXPECT_TRUE(save.GetAmbient().display_as_default);
    field.SetFocus();
    Settle();
    backend_->KeyPress(ui::VK_RETURN);
    backend_->KeyPress(ui::VK_ESCAPE);
    Settle();
    EXPECT_EQ(save.got, (std::vector<char32_t>{U'S', 13}));
    EXPECT_EQ(quit.got, (std::vector<char32_t>{27}));
    EXPECT_TRUE(field.HasFocus());
    EXPECT_EQ(field.Text(), "");
    // A control that takes Enter itself keeps it from the default button.
    quit.wants_enter = true;
    quit.SetFocus();
    Settle();
    backend_->KeyPress(ui::VK_RETURN);
    Settle();
    EXPECT_EQ(save.got.size(), 2u);
}

TEST_F(ControlsTest, KeyPreviewLetsTheFormSwallowOrReplaceKeys) {
    auto& field = Get<EditField>("Field");
    form_->SetKeyPreview(true);
    form_->On("F", kKeyPress, [](KeyPressArgs& k) {
        if (k.key_ascii == 'x') k.key_ascii = 0;
        if (k.key_ascii == 'a') k.key_ascii = 'b';
    });
    backend_->Type("axa");
    Settle();
    EXPECT_EQ(field.Text(), "bb");
}

TEST_F(ControlsTest, AControlMovedIntoAContainerTakesItsPlaceThere) {
    auto& group = Get<GroupBox>("Group");
    auto& field = Get<EditField>("Field");
    ASSERT_EQ(form_->ControlsIn(&group), (std::vector<Control*>{&Get<Label>("Inner")}));
    ASSERT_TRUE(form_->SetContainer(field, &group));
    EXPECT_EQ(field.Container(), &group);
    EXPECT_EQ(desktop_->GetParent(field.hwnd()), group.hwnd());
    EXPECT_EQ(form_->ControlsIn(&group).size(), 2u);
    // Its numbers are now the group's: 150 twips from the group's left edge.
    EXPECT_EQ(desktop_->ClientToScreen(field.hwnd(), {0, 0}).x, desktop_->ClientToScreen(group.hwnd(), {10, 0}).x);
    // Outside the group's area it is out of Tab's reach.
    const std::vector<Control*> order = form_->TabOrder();
    EXPECT_TRUE(std::find(order.begin(), order.end(), &field) == order.end());
    // No container goes inside itself or what it holds.
    EXPECT_FALSE(form_->SetContainer(group, &group));
    EXPECT_TRUE(form_->SetContainer(field, nullptr));
    EXPECT_EQ(desktop_->GetParent(field.hwnd()), form_->hwnd());
}

TEST_F(ControlsTest, AModalFormTakesTheKeysUntilItIsHiddenAndTheFocusComesBack) {
    auto& field = Get<EditField>("Field");
    ASSERT_TRUE(field.HasFocus());
    DesignParseError err;
    auto d = parse_design(R"(Begin Form Dialog
  ClientWidth = 3000
  ClientHeight = 1500
  Begin EditField Answer
    Left = 150
    Top = 150
    Width = 1500
    Height = 330
  End
End
)", &err);
    ASSERT_TRUE(d) << err.message;
    Form dialog(*desktop_, *d, form_->hwnd());
    ASSERT_TRUE(dialog.Load(factory_));
    std::vector<std::string> seen;
    form_->On("Field", kLostFocus, [&] { seen.push_back("field lost the focus"); });
    // The user types into the dialog, then a button of it hides it.
    int step = 0;
    ui::Timer script(*desktop_, 50, [&] {
        if (step++ == 0)
            backend_->Type("42");
        else
            dialog.Hide();
    });
    script.Start();
    EXPECT_TRUE(dialog.ShowModal(form_->hwnd()));
    script.Stop();
    EXPECT_EQ(dialog.FindAs<EditField>("Answer")->Text(), "42");
    EXPECT_EQ(field.Text(), "");
    Settle();
    // Back on the form: the field has the focus again and never heard it had left.
    EXPECT_TRUE(field.HasFocus());
    EXPECT_TRUE(seen.empty());
    // Centred on the owner.
    const gfx::Rect owner = form_->Bounds(), box = dialog.Bounds();
    EXPECT_LE(std::abs((owner.x + owner.width / 2) - (box.x + box.width / 2)), 1);
}

// Labels, pictures and images report clicks only: a click is a left press on the control
// and its release there, wherever the pointer went in between.
class ReportingClicksTest : public FormFixture {
protected:
    void SetUp() override {
        Open(R"(Begin Form F
  ClientWidth = 6000
  ClientHeight = 3000
  Begin Label Caption
    Left = 150
    Top = 150
    Width = 1200
    Height = 300
    Caption = "设定工资"
  End
  Begin PictureBox Box
    Left = 1800
    Top = 150
    Width = 1200
    Height = 900
  End
  Begin Image Picture
    Left = 3600
    Top = 150
    Width = 1200
    Height = 900
  End
End
)");
        for (const char* name : {"Caption", "Box", "Picture"}) {
            form_->On(name, kClick, [this, name] { clicks.push_back(name); });
        }
        LoadAndShow();
    }
    gfx::Point Inside(const char* name) { return ScreenOf(Get<Control>(name), {5, 5}); }
    gfx::Point Outside() { return desktop_->ClientToScreen(form_->hwnd(), {200, 150}); }
    void Drag(gfx::Point from, gfx::Point to) {
        backend_->MouseMoveTo(from);
        backend_->MouseDown(ui::kLeftButton);
        Settle();
        backend_->MouseMoveTo(to);
        backend_->MouseUp(ui::kLeftButton);
        Settle();
    }
    std::vector<std::string> clicks;
};

TEST_F(ReportingClicksTest, OnlyAReleaseEndingAPressOnTheControlClicks) {
    for (const char* name : {"Caption", "Box", "Picture"}) {
        SCOPED_TRACE(name);
        clicks.clear();
        Drag(Inside(name), Inside(name));
        EXPECT_EQ(clicks, std::vector<std::string>{name}) << "press and release on it";
        clicks.clear();
        Drag(Outside(), Inside(name));
        EXPECT_TRUE(clicks.empty()) << "pressed elsewhere, released on it";
        Drag(Inside(name), Outside());
        EXPECT_TRUE(clicks.empty()) << "pressed on it, released elsewhere";
        EXPECT_EQ(desktop_->GetCapture(), 0) << "the release gives the pointer back";
        Drag(Outside(), Inside(name));
        EXPECT_TRUE(clicks.empty()) << "an earlier press does not linger";
    }
}

// A handler that unloads the form frees the control whose event it handles while that
// control is still inside its own message.
TEST(UnloadInAHandlerTest, TheControlRaisingTheEventTouchesNothingAfterwards) {
    struct Case {
        const char* control;
        const char* event;
        std::function<void(ui::HeadlessBackend&, gfx::Point)> act;
    };
    auto key = [](ui::KeyCode k) {
        return [k](ui::HeadlessBackend& b, gfx::Point) { b.KeyPress(k); };
    };
    auto click = [](ui::HeadlessBackend& b, gfx::Point p) { b.Click(p); };
    const Case cases[] = {
        {"Field", kKeyPress, key(ui::VK_ESCAPE)},
        {"Field", kKeyDown, key(ui::VK_ESCAPE)},
        {"Field", kMouseUp, click},
        {"Caption", kMouseUp, click},
        {"Box", kMouseUp, click},
        {"Notes", kKeyDown, key(ui::VK_DOWN)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control) + " " + c.event);
        auto backend = std::make_unique<ui::HeadlessBackend>(gfx::Size{800, 600});
        ui::HeadlessBackend& b = *backend;
        ui::Desktop desktop(std::move(backend));
        DesignParseError err;
        auto design = parse_design(R"(Begin Form F
  ClientWidth = 6000
  ClientHeight = 3000
  Begin EditField Field
    Left = 150
    Top = 150
    Width = 1500
    Height = 330
  End
  Begin Label Caption
    Left = 150
    Top = 900
    Width = 1200
    Height = 300
    Caption = "Caption"
  End
  Begin PictureBox Box
    Left = 1800
    Top = 900
    Width = 1200
    Height = 900
  End
  Begin TextBox Notes
    Left = 3300
    Top = 150
    Width = 2400
    Height = 900
    Text = "1\n2\n3\n4\n5\n6\n7\n8\n9"
  End
End
)", &err);
        ASSERT_TRUE(design) << err.message;
        Form form(desktop, *design);
        ASSERT_TRUE(form.Load(ControlFactory::WithBuiltins()));
        form.Show();
        desktop.DoEvents();
        Control* target = form.Find(c.control);
        ASSERT_NE(target, nullptr);
        target->SetFocus();
        desktop.DoEvents();
        int raised = 0;
        auto unload = [&] {
            ++raised;
            form.Unload();
        };
        const std::string event = c.event;
        if (event == kKeyPress)
            form.On(c.control, c.event, [&](KeyPressArgs&) { unload(); });
        else if (event == kKeyDown)
            form.On(c.control, c.event, [&](KeyArgs&) { unload(); });
        else
            form.On(c.control, c.event, [&](MouseArgs&) { unload(); });
        c.act(b, desktop.ClientToScreen(target->hwnd(), {5, 5}));
        desktop.DoEvents();
        EXPECT_EQ(raised, 1);
        EXPECT_EQ(form.hwnd(), 0u);
    }
}

TEST(PictureTest, AMissingPictureIsNoPicture) {
    EXPECT_EQ(LoadPicture(PictureRef{"no/such/picture.png"}), nullptr);
    EXPECT_EQ(LoadPicture(PictureRef{}), nullptr);
}

}  // namespace
}  // namespace kes::forms::testing

// Focus over the whole form: Tab and Shift+Tab by tab index, passing over what cannot take
// the focus; GotFocus / LostFocus; access keys; events reaching handlers by name.
#include <string>
#include <vector>

#include "platform/forms/edit_field.h"
#include "platform/forms/events.h"
#include "platform/forms/group_box.h"
#include "platform/ui/keys.h"
#include "tests/platform/forms/form_fixture.h"

namespace kes::forms::testing {
namespace {

// Fields in a tab order that differs from their creation order, inside and outside a
// group box, with one of each kind that Tab must pass over.
const char* kDesign = R"(Begin Form F
  ClientWidth = 6000
  ClientHeight = 4500
  Begin Frame Group
    Left = 150
    Top = 1500
    Width = 3000
    Height = 1500
    TabIndex = 2
  End
  Begin EditField A
    Left = 150
    Top = 150
    Width = 1500
    Height = 330
    TabIndex = 3
  End
  Begin Label LabelB
    Left = 1800
    Top = 150
    Width = 900
    Height = 300
    TabIndex = 0
    Caption = "&Bee"
  End
  Begin EditField B
    Left = 2700
    Top = 150
    Width = 1500
    Height = 330
    TabIndex = 1
  End
  Begin EditField Inner
    Container = "Group"
    Left = 150
    Top = 300
    Width = 1500
    Height = 330
    TabIndex = 4
  End
  Begin EditField Parked
    Container = "Group"
    Left = 9000
    Top = 300
    Width = 1500
    Height = 330
    TabIndex = 5
  End
  Begin EditField Off
    Left = 150
    Top = 3300
    Width = 1500
    Height = 330
    TabIndex = 6
    Enabled = False
  End
  Begin EditField Hidden
    Left = 1800
    Top = 3300
    Width = 1500
    Height = 330
    TabIndex = 7
    Visible = False
  End
  Begin EditField NoStop
    Left = 3450
    Top = 3300
    Width = 1500
    Height = 330
    TabIndex = 8
    TabStop = False
  End
  Begin EditField Last
    Index = 2
    Left = 3450
    Top = 3800
    Width = 1500
    Height = 330
    TabIndex = 9
  End
End
)";

class TabOrderTest : public FormFixture {
protected:
    void SetUp() override {
        Open(kDesign);
        for (const char* name : {"A", "B", "Inner", "Parked", "NoStop", "Last"}) {
            form_->On(name, kGotFocus, [this, name](int i) { log.push_back(std::string("+") + name + Suffix(i)); });
            form_->On(name, kLostFocus, [this, name](int i) { log.push_back(std::string("-") + name + Suffix(i)); });
        }
        LoadAndShow();
    }
    static std::string Suffix(int i) { return i < 0 ? "" : "(" + std::to_string(i) + ")"; }
    std::string Focused() const {
        Control* c = form_->ActiveControl();
        return c ? c->DisplayName() : "";
    }
    void Tab(bool back = false) {
        backend_->KeyPress(ui::VK_TAB, back ? ui::kShiftMask : 0);
        Settle();
    }
    std::vector<std::string> log;
};

TEST_F(TabOrderTest, TabVisitsTheFocusableControlsByTabIndexAndWraps) {
    std::vector<std::string> names;
    for (Control* c : form_->TabOrder()) names.push_back(c->DisplayName());
    EXPECT_EQ(names, (std::vector<std::string>{"B", "A", "Inner", "Last(2)"}));

    // Showing the form focused the first of them.
    EXPECT_EQ(Focused(), "B");
    std::vector<std::string> forward, backward;
    for (int i = 0; i < 5; ++i) {
        Tab();
        forward.push_back(Focused());
    }
    EXPECT_EQ(forward, (std::vector<std::string>{"A", "Inner", "Last(2)", "B", "A"}));
    for (int i = 0; i < 5; ++i) {
        Tab(true);
        backward.push_back(Focused());
    }
    EXPECT_EQ(backward, (std::vector<std::string>{"B", "Last(2)", "Inner", "A", "B"}));
}

TEST_F(TabOrderTest, WhatChangesAtRunTimeChangesTheOrder) {
    auto& parked = Get<EditField>("Parked");
    auto& off = Get<EditField>("Off");
    // Slid into its container (as a tab strip brings a page into view), enabled, shown.
    parked.SetLeft(1800);
    off.SetEnabled(true);
    Get<EditField>("A").SetVisible(false);
    std::vector<std::string> names;
    for (Control* c : form_->TabOrder()) names.push_back(c->DisplayName());
    EXPECT_EQ(names, (std::vector<std::string>{"B", "Inner", "Parked", "Off", "Last(2)"}));
    // A disabled container keeps what it holds out of reach.
    Get<GroupBox>("Group").SetEnabled(false);
    names.clear();
    for (Control* c : form_->TabOrder()) names.push_back(c->DisplayName());
    EXPECT_EQ(names, (std::vector<std::string>{"B", "Off", "Last(2)"}));
}

TEST_F(TabOrderTest, FocusMovesRaiseLostFocusThenGotFocusWithTheArrayIndex) {
    log.clear();
    Tab(true);  // B -> Last(2)
    Get<EditField>("NoStop").SetFocus();  // a control outside the Tab order still takes a click or code
    Settle();
    EXPECT_EQ(log, (std::vector<std::string>{"-B", "+Last(2)", "-Last(2)", "+NoStop"}));
}

TEST_F(TabOrderTest, ALostFocusHandlerThatTakesTheFocusBackWins) {
    // As a field refusing its value puts the focus back on itself.
    form_->On("B", kLostFocus, [this](int) {
        log.push_back("-B");
        Get<EditField>("B").SetFocus();
    });
    log.clear();
    Tab();
    Settle();
    EXPECT_EQ(Focused(), "B");
    EXPECT_TRUE(Get<EditField>("B").HasFocus());
    EXPECT_EQ(log, (std::vector<std::string>{"-B", "-A", "+B"}));
}

TEST_F(TabOrderTest, AnAccessKeyOnALabelFocusesTheControlAfterIt) {
    Tab();
    ASSERT_EQ(Focused(), "A");
    backend_->KeyPress('B', ui::kAltMask);
    Settle();
    EXPECT_EQ(Focused(), "B");
    // An access key nobody owns changes nothing.
    backend_->KeyPress('Q', ui::kAltMask);
    Settle();
    EXPECT_EQ(Focused(), "B");
}

TEST_F(TabOrderTest, TabCharactersNeverReachTheField) {
    auto& b = Get<EditField>("B");
    Tab(true);
    Tab();
    ASSERT_EQ(Focused(), "B");
    backend_->Type("x");
    Tab();
    EXPECT_EQ(b.Text(), "x");
    EXPECT_EQ(Get<EditField>("A").Text(), "");
}

TEST(EventTableTest, HandlersTakeTheIndexFirstAndMayChangeTheArguments) {
    EventTable events;
    std::vector<std::string> seen;
    events.On("Text", "Change", [&](int i) { seen.push_back("change " + std::to_string(i)); });
    events.On("text", "click", [&] { seen.push_back("click"); });
    events.On("TEXT", "KeyPress", [&](int i, KeyPressArgs& k) {
        seen.push_back("key " + std::to_string(i));
        k.key_ascii = 0;
    });
    events.On("Single", "KeyPress", [&](KeyPressArgs& k) { k.key_ascii = 'Z'; });

    KeyPressArgs k{'a'};
    EXPECT_TRUE(events.Raise("Text", 3, "Change"));
    EXPECT_TRUE(events.Raise("Text", 4, "CLICK"));
    EXPECT_TRUE(events.Raise("Text", 5, "KeyPress", k));
    EXPECT_EQ(k.key_ascii, 0);
    EXPECT_TRUE(events.Raise("Single", -1, "KeyPress", k));
    EXPECT_EQ(k.key_ascii, 'Z');
    EXPECT_EQ(seen, (std::vector<std::string>{"change 3", "click", "key 5"}));
    // No handler, or a handler for other arguments: nothing is called.
    EXPECT_FALSE(events.Raise("Other", -1, "Change"));
    EXPECT_FALSE(events.Raise("Text", 1, "KeyPress"));
    // A later handler replaces the earlier one.
    events.On("Text", "Change", [&] { seen.push_back("again"); });
    events.Raise("Text", 0, "Change");
    EXPECT_EQ(seen.back(), "again");
}

}  // namespace
}  // namespace kes::forms::testing

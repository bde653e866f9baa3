#include "widgets/fields/xp_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_fixture.h"
#include "platform/forms/events.h"

namespace kes::fields {
namespace {

class XpTextTest : public FormFixture {
 protected:
  XpTextTest() {
    form_.On("TextPerMes", forms::kChange, [this](int index) { changes.push_back(index); });
  }

  XpText* Make(int index = 0, double width = 975, forms::PropertyBag settings = {}) {
    forms::ControlDesign d = Place("xpText", "TextPerMes", index, {300, 300 + 450.0 * index, width, 330});
    d.settings = std::move(settings);
    XpText* t = form_.Create<XpText>(d);
    desktop_.DoEvents();
    return t;
  }

  std::vector<int> changes;  // array index of each Change the holder got
};

TEST_F(XpTextTest, WidthHasAMinimumAndHeightIsFixed) {
  XpText* t = Make(0, 300);
  EXPECT_EQ(t->Width(), 400);
  EXPECT_EQ(t->Edit().Width(), 289);
  t->SetHeight(600);
  EXPECT_EQ(t->Height(), 330);
  t->SetWidth(1245);
  EXPECT_EQ(t->Width(), 1245);
  EXPECT_EQ(t->Edit().Width(), 1134);
  EXPECT_EQ(t->Edit().Left(), 75);
  EXPECT_EQ(t->Edit().Height(), 210);
}

TEST_F(XpTextTest, FontMovesTheEditFieldUp) {
  XpText* t = Make();
  const struct {
    double points;
    double top;
  } cases[] = {{8.25, 60}, {9, 45}, {8.5, 60}, {9.5, 30}, {8.25, 60}};
  for (const auto& c : cases) {
    t->SetFont(forms::tahoma_font(c.points));
    EXPECT_EQ(t->Edit().Top(), c.top) << c.points;
    EXPECT_EQ(t->Height(), 330);
  }
}

TEST_F(XpTextTest, ValueReadsTheLeadingNumber) {
  XpText* t = Make();
  const struct {
    const char* text;
    double value;
  } cases[] = {{"12abc", 12}, {"", 0}, {".5", 0.5}, {"1,000", 1}, {" 3 4", 34}, {"-2.5E2", -250}, {"&H1F", 31}};
  for (const auto& c : cases) {
    t->SetText(c.text);
    EXPECT_EQ(t->Value(), c.value) << '"' << c.text << '"';
  }
}

TEST_F(XpTextTest, ValueWritesTheGeneralFormAndRaisesChangeOnce) {
  XpText* t = Make(4);
  t->SetValue(12.5);
  EXPECT_EQ(t->Text(), "12.5");
  EXPECT_EQ(changes, std::vector<int>{4});
  t->SetValue(100);
  EXPECT_EQ(t->Text(), "100");
  t->SetValue(1e16);
  EXPECT_EQ(t->Text(), "1E+16");
  EXPECT_EQ(changes.size(), 3u);
  // The same text again is no change, so handlers that rewrite texts on Change settle.
  t->SetValue(1e16);
  t->SetText("1E+16");
  EXPECT_EQ(changes.size(), 3u);
}

TEST_F(XpTextTest, HolderRewritingTheTextOnChangeSettles) {
  XpText* t = Make();
  // The entry rule of the wage fields: an emptied field shows 0 again.
  form_.On("TextPerMes", forms::kChange, [&](int) {
    changes.push_back(0);
    if (t->Text().empty()) t->SetText("0");
  });
  t->SetText("");
  EXPECT_EQ(t->Text(), "0");
  EXPECT_EQ(changes.size(), 2u);
}

TEST_F(XpTextTest, TypingGoesThroughKeyPressWhichMaySwallowOrReplace) {
  XpText* t = Make(2);
  t->SetText("");
  changes.clear();
  std::vector<int> presses;
  form_.On("TextPerMes", forms::kKeyPress, [&](int index, forms::KeyPressArgs& k) {
    presses.push_back(index);
    if (k.key_ascii == 'a') k.key_ascii = 0;
    if (k.key_ascii == ',') k.key_ascii = '.';
  });
  t->SetFocus();
  ASSERT_EQ(desktop_.GetFocus(), t->Edit().hwnd()) << "the caret goes into the edit field";
  backend_->Type("1a2,5");
  desktop_.DoEvents();
  EXPECT_EQ(t->Text(), "12.5");
  EXPECT_EQ(presses, (std::vector<int>{2, 2, 2, 2, 2}));
  EXPECT_EQ(changes.size(), 4u) << "no Change for the swallowed key";
  EXPECT_EQ(t->Value(), 12.5);
}

TEST_F(XpTextTest, PressOnTheMarginPutsTheCaretInTheField) {
  XpText* t = Make();
  t->SetText("");
  ClickAt(*t, {2, 10});
  ASSERT_EQ(desktop_.GetFocus(), t->Edit().hwnd());
  backend_->Type("7");
  desktop_.DoEvents();
  EXPECT_EQ(t->Text(), "7");
}

TEST_F(XpTextTest, LockedFieldTakesNoTyping) {
  XpText* t = Make();
  t->SetLocked(true);
  EXPECT_TRUE(t->Locked());
  t->SetFocus();
  backend_->Type("9");
  desktop_.DoEvents();
  EXPECT_EQ(t->Text(), "Text1");
  EXPECT_TRUE(changes.empty());
}

TEST_F(XpTextTest, BorderColourFollowsTheLastEnabledAssignment) {
  XpText* t = Make();
  EXPECT_EQ(ColourAt(*t, {0, 0}), 0x00808080u) << "as designed";
  EXPECT_EQ(ColourAt(*t, {64, 21}), 0x00808080u) << "bottom right of a 975 x 330 field";
  EXPECT_EQ(ColourAt(*t, {65, 10}), 0x00FFFFFFu) << "nothing drawn past the control";
  t->SetEnabled(true);
  EXPECT_EQ(ColourAt(*t, {0, 10}), 0x00B99D7Fu);
  t->SetEnabled(false);
  EXPECT_EQ(ColourAt(*t, {30, 0}), 0x00C0C0C0u);
  EXPECT_FALSE(t->Edit().IsEnabled());
  t->SetEnabled(true);
  EXPECT_TRUE(t->Edit().IsEnabled());
}

TEST_F(XpTextTest, StoredDisabledLooksEnabledButTakesNoInput) {
  forms::PropertyBag bag;
  bag.set("enabled", false);
  bag.set("text", std::string("4312"));
  XpText* t = Make(0, 975, bag);
  EXPECT_FALSE(t->Enabled());
  EXPECT_TRUE(t->Edit().IsEnabled()) << "the field keeps its enabled look";
  EXPECT_EQ(ColourAt(*t, {0, 0}), 0x00808080u);
  EXPECT_EQ(ColourAt(t->Edit(), {1, 1}), 0x00FFFFFFu) << "painted as an enabled field";
  XpText* by_code = Make(1);
  by_code->SetEnabled(false);
  EXPECT_NE(ColourAt(by_code->Edit(), {1, 1}), 0x00FFFFFFu) << "a field disabled by code greys";
  ClickAt(t->Edit(), {5, 5});
  backend_->Type("7");
  desktop_.DoEvents();
  EXPECT_EQ(t->Text(), "4312");
  EXPECT_NE(desktop_.GetFocus(), t->Edit().hwnd());
  for (forms::Control* c : form_.TabOrder()) EXPECT_NE(c, t);
}

TEST_F(XpTextTest, FieldKeepsItsLookWhileTheFormIsDisabledUnderADialog) {
  XpText* t = Make();
  t->SetEnabled(true);
  desktop_.EnableWindow(form_.hwnd(), false);
  t->Edit().Invalidate();
  EXPECT_EQ(ColourAt(t->Edit(), {1, 1}), 0x00FFFFFFu);
  EXPECT_FALSE(desktop_.IsEnabled(form_.hwnd())) << "the form stays disabled";
  desktop_.EnableWindow(form_.hwnd(), true);
}

TEST_F(XpTextTest, StoredSettingsLoadQuietlyAndSaveWhatWasLoaded) {
  forms::PropertyBag bag;
  bag.set("text", std::string());
  bag.set("value", 7.5);
  bag.set("font", forms::tahoma_font(9));
  XpText* t = Make(0, 975, bag);
  EXPECT_EQ(t->Text(), "");
  EXPECT_TRUE(changes.empty()) << "the holder is still loading";
  EXPECT_EQ(t->Value(), 0);

  t->SetValue(12.5);
  t->SetLargeChange(5);
  forms::PropertyBag saved;
  t->WriteProperties(saved);
  EXPECT_EQ(saved.read_double("Value", 0), 7.5) << "the loaded number, not the live one";
  EXPECT_EQ(saved.read_string("Text", "Text1"), "12.5");
  EXPECT_EQ(saved.read_double("LargeChange", 1), 5);
  EXPECT_EQ(t->LargeChange(), 5);
  EXPECT_EQ(saved.read_font("Font", {}), forms::tahoma_font(9));
  EXPECT_EQ(t->Edit().Top(), 45) << "laid out for the loaded font";
}

}  // namespace
}  // namespace kes::fields

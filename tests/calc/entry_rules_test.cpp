#include "calc/entry_rules.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace kes::calc {
namespace {

TEST_F(EngineTest, KeyFilterPassesDigitsPointAndBackspaceOnly) {
  for (const int key : std::initializer_list<int>{'0', '5', '9', '.', kBackspace}) {
    EXPECT_EQ(KeyFilter(window, key, kNumericKeys, true), key);
  }
  EXPECT_EQ(journal(), std::vector<std::string>{});
  for (const int key : std::initializer_list<int>{'a', 'A', '-', 13, ' ', ',', 0x4E2D, 0xB7, 0, -1}) {
    EXPECT_EQ(KeyFilter(window, key, kNumericKeys, true), 0) << key;
    EXPECT_EQ(journal(), std::vector<std::string>{"beep"}) << key;
  }
  EXPECT_EQ(KeyFilter(window, kBackspace, kNumericKeys, false), 0);
  // The list is compared without regard to case.
  EXPECT_EQ(KeyFilter(window, 'x', "X", false), 'x');
}

TEST_F(EngineTest, TypingPassesTheKeyFilter) {
  set(TextZhenCe(0), "");
  type(TextZhenCe(0), "1a.5");
  EXPECT_EQ(text(TextZhenCe(0)), "1.5");
  EXPECT_EQ(journal(), std::vector<std::string>{"beep"});
  type(TextZhenCe(0), "\b");
  EXPECT_EQ(text(TextZhenCe(0)), "1.");
}

TEST_F(EngineTest, TypedInputIsCutToTwoDecimals) {
  // Backspace cannot empty an input field: it shows "0" again at once.
  type(TextJiaBan(0), "\b");
  EXPECT_EQ(text(TextJiaBan(0)), "0");
  set(TextJiaBan(0), "12");
  type(TextJiaBan(0), ".345");
  EXPECT_EQ(text(TextJiaBan(0)), "12.34");
  set(TextJiaBan(4), "1");
  type(TextJiaBan(4), ".2.3");
  EXPECT_EQ(text(TextJiaBan(4)), "1.2.");
}

TEST_F(EngineTest, ChangeNormalisesInputFieldsOnly) {
  struct Case {
    ControlId field;
    const char* written;
    const char* shown;
  };
  const Case cases[] = {
      {TextPerMes(3), "", "0"},        {TextPerMes(9), "12.345", "12.34"},
      {TextJiaBan(8), "1.2.3", "1.2."}, {TextPerJia(4), "", "0"},
      {TextFinall(1), "0.999", "0.99"}, {TextFinall(5), "", "0"},
      {TextOld, "3000.125", "3000.12"}, {TextOld, "", "0"},
      {TextFinall(2), "1.5中文", "1.5中"}, {TextPerMes(0), "..123", "..1"},
      // Results and policy fields are left as written.
      {TextPerMes(10), "", ""},        {TextJiaBan(1), "1.234", "1.234"},
      {TextFinall(4), "", ""},         {TextComJia(0), "", ""},
      {TextZhenCe(0), "", ""},         {TextXiShus(6), "9.255", "9.255"},
  };
  for (const Case& c : cases) {
    set(c.field, "7");
    set(c.field, c.written);
    EXPECT_EQ(text(c.field), c.shown) << control_name(c.field) << " '" << c.written << "'";
  }
}

TEST_F(EngineTest, AnyPerJiaChangeNormalisesTheOtherDeduction) {
  window.attach(nullptr);
  set(TextPerJia(4), "");
  window.attach(&engine);
  set(TextPerJia(0), "448");
  EXPECT_EQ(text(TextPerJia(4)), "0");
}

TEST_F(EngineTest, PolicyAndRateChangesEnableSave) {
  EXPECT_FALSE(window.save_enabled());
  set(TextPerMes(3), "12");
  EXPECT_FALSE(window.save_enabled());
  set(TextZhenCe(0), "");
  EXPECT_TRUE(window.save_enabled());
  window.set_enabled(ComSave, false);
  type(TextXiShus(2), "5");
  EXPECT_TRUE(window.save_enabled());
}

TEST_F(EngineTest, SetWageWarningOnLeavingTheWageFieldWhenArmed) {
  const std::vector<std::string> warned = {
      "message 错误提示|您当前输入的 [设定工资] 低于本地最低工资标准,请核实...",
      "focus TextPerMes(0)"};
  const std::vector<std::string> none;
  struct Case {
    const char* minimum;
    const char* wage;
    bool armed;
    int left;
    bool warns;
  };
  const Case cases[] = {
      {"1200", "1000", true, 0, true},   {"1200", "1000", true, 3, false},
      {"1200", "1000", false, 0, false}, {"1200", "1200", true, 0, false},
      {"1200", "1.2.", true, 0, false},  {"", "1000", true, 0, false},
      {"1200abc", "1000", true, 0, true},
  };
  for (const Case& c : cases) {
    set(TextZhenCe(5), c.minimum);
    set(TextPerMes(0), c.wage);
    model.WarnSet = c.armed;
    window.leave(TextPerMes(c.left));
    EXPECT_EQ(journal(), c.warns ? warned : none)
        << c.minimum << " " << c.wage << " " << c.armed << " " << c.left;
  }
}

TEST_F(EngineTest, OldWageWarningOnLeavingTheOldWageFieldWhenArmed) {
  const std::vector<std::string> warned = {
      "message 错误提示|您当前输入的 [老工资] 低于本地最低工资标准,请核实...", "focus TextOld"};
  set(TextOld, "1000");
  window.leave(TextOld);
  EXPECT_EQ(journal(), std::vector<std::string>{});
  model.WarnOld = true;
  window.leave(TextOld);
  EXPECT_EQ(journal(), warned);
  set(TextOld, "1200");
  window.leave(TextOld);
  EXPECT_EQ(journal(), std::vector<std::string>{});
}

TEST_F(EngineTest, OldWageOptionTogglesTheFieldAndItsLabel) {
  EXPECT_FALSE(window.visible(TextOld));
  engine.check_old_click();
  EXPECT_TRUE(window.visible(TextOld));
  EXPECT_TRUE(window.visible(Label37));
  EXPECT_EQ(journal(), std::vector<std::string>{"focus TextOld"});
  engine.check_old_click();
  EXPECT_FALSE(window.visible(TextOld));
  EXPECT_FALSE(window.visible(Label37));
  EXPECT_EQ(journal(), std::vector<std::string>{});
}

}  // namespace
}  // namespace kes::calc

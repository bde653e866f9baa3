#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/fields/check_settings.h"
#include "widgets/fields/text_settings.h"

namespace kes::fields {
namespace {

std::vector<std::string> Keys(const forms::PropertyBag& bag) {
  std::vector<std::string> keys;
  for (const auto& e : bag.entries()) keys.push_back(e.key);
  return keys;
}

const forms::FontSpec kAmbient = forms::song_font(9);

TEST(TextSettings, NewControlStoresNothingAndReadsItsDefaults) {
  forms::PropertyBag bag;
  WriteTextSettings(bag, DefaultTextSettings(kAmbient), kAmbient);
  EXPECT_TRUE(bag.empty());
  TextSettings s = ReadTextSettings(bag, kAmbient);
  EXPECT_TRUE(s.enabled);
  EXPECT_FALSE(s.locked);
  EXPECT_EQ(s.text, "Text1");
  EXPECT_EQ(s.decimal, 0);
  EXPECT_EQ(s.large_change, 1);
  EXPECT_EQ(s.value, 0);
  EXPECT_EQ(s.font, kAmbient);
}

TEST(TextSettings, EveryKeyInItsOrderAndBackAgain) {
  TextSettings s;
  s.enabled = false;
  s.locked = true;
  s.text = "12.5";
  s.decimal = 2;
  s.large_change = 10;
  s.value = 3.25;
  s.font = forms::tahoma_font(8.25);
  forms::PropertyBag bag;
  WriteTextSettings(bag, s, kAmbient);
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"Enabled", "Locked", "Text", "Decimal", "LargeChange", "Value", "Font"}));

  TextSettings back = ReadTextSettings(bag, kAmbient);
  EXPECT_EQ(back.enabled, s.enabled);
  EXPECT_EQ(back.locked, s.locked);
  EXPECT_EQ(back.text, s.text);
  EXPECT_EQ(back.decimal, s.decimal);
  EXPECT_EQ(back.large_change, s.large_change);
  EXPECT_EQ(back.value, s.value);
  EXPECT_EQ(back.font, s.font);
}

TEST(TextSettings, ProgramFieldReadsFromLowerCaseKeys) {
  // How the program's result fields are kept: lower-case keys, an empty text, Tahoma.
  forms::PropertyBag bag;
  bag.set("enabled", false);
  bag.set("text", std::string());
  bag.set("font", forms::tahoma_font(8.25));
  TextSettings s = ReadTextSettings(bag, kAmbient);
  EXPECT_FALSE(s.enabled);
  EXPECT_EQ(s.text, "");
  EXPECT_EQ(s.font.face, "Tahoma");
  EXPECT_EQ(s.font.points, 8.25);
  EXPECT_EQ(s.large_change, 1);

  forms::PropertyBag again;
  WriteTextSettings(again, s, kAmbient);
  EXPECT_EQ(Keys(again), (std::vector<std::string>{"Enabled", "Text", "Font"})) << "an empty text differs from Text1";
}

const CheckHostDefaults kHost{"xpCheckbox1", kAmbient};

TEST(CheckSettings, NewBoxTakesTheHostsNameAndFont) {
  CheckSettings d = DefaultCheckSettings(kHost);
  EXPECT_EQ(d.caption, "xpCheckbox1");
  EXPECT_EQ(d.font, kAmbient);
  EXPECT_EQ(d.back_color, 0x8000000Fu);
  EXPECT_EQ(d.fore_color, 0u);
  EXPECT_TRUE(d.enabled);
  EXPECT_EQ(d.value, 0);
  forms::PropertyBag bag;
  WriteCheckSettings(bag, d, kHost);
  EXPECT_TRUE(bag.empty());
}

TEST(CheckSettings, EveryKeyInItsOrderAndBackAgain) {
  CheckSettings s;
  s.value = 1;
  s.caption = "是否保存本次记录";
  s.enabled = false;
  s.font = forms::song_font(10.5);
  s.back_color = 0x00FFFFFF;
  s.fore_color = 0x00C00000;
  forms::PropertyBag bag;
  WriteCheckSettings(bag, s, kHost);
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"Font", "Value", "Caption", "Enabled", "BackColor", "ForeColor"}));

  CheckSettings back = ReadCheckSettings(bag, kHost);
  EXPECT_EQ(back.value, 1);
  EXPECT_EQ(back.caption, s.caption);
  EXPECT_FALSE(back.enabled);
  EXPECT_EQ(back.font, s.font);
  EXPECT_EQ(back.back_color, s.back_color);
  EXPECT_EQ(back.fore_color, s.fore_color);
}

TEST(CheckSettings, KeysMatchWithoutCaseAndUnusualValuesSurvive) {
  forms::PropertyBag bag;
  bag.set("VALUE", std::int64_t{3});
  bag.set("backcolor", std::int64_t{0xFFFFFF});
  CheckSettings s = ReadCheckSettings(bag, kHost);
  EXPECT_EQ(s.value, 3);
  EXPECT_EQ(s.back_color, 0x00FFFFFFu);
  EXPECT_EQ(s.caption, "xpCheckbox1");
}

}  // namespace
}  // namespace kes::fields

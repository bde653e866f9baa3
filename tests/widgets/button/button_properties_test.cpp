// Looks' colours, the colour shift, access keys and the stored settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/property_bag.h"
#include "platform/gfx/color.h"
#include "tests/widgets/button/fake_host.h"
#include "widgets/button/access_key.h"
#include "widgets/button/button_model.h"
#include "widgets/button/button_properties.h"
#include "widgets/button/button_style.h"

namespace kes::button {
namespace {

TEST(ColourShift, RoundsHalvesToEvenAndClamps) {
  struct Case {
    forms::OleColor in;
    double f;
    forms::OleColor out;
  };
  const std::vector<Case> cases = {
      {0x404040, 0.1, 0x5A5A5A},  // 64 + 25.5 = 89.5 -> 90
      {0x414141, 0.1, 0x5A5A5A},  // 65 + 25.5 = 90.5 -> 90
      {0x404040, 0.3, 0x8C8C8C},  // 64 + 76.5 = 140.5 -> 140
      {0xD4D4D4, 0.06, 0xE3E3E3},
      {0xCA9E61, 0.3, 0xFFEAAE},  // blue clamps at 255
      {0x102030, -0.1, 0x000616},  // 48 - 25.5 = 22.5 -> 22; blue clamps at 0
  };
  for (const Case& c : cases) EXPECT_EQ(ShiftColour(c.in, c.f), c.out) << std::hex << c.in << " by " << c.f;
  // A system colour is translated first.
  EXPECT_EQ(ShiftColour(forms::kColorButtonFace, 0),
            static_cast<forms::OleColor>(gfx::translate_color(forms::kColorButtonFace)));
}

TEST(ButtonStyle, AssigningALookSetsItsColoursButLoadingDoesNot) {
  std::vector<std::string> log;
  FakeHost host;
  host.log = &log;
  ButtonEvents events;
  forms::PropertyBag bag;
  bag.set("ButtonStyle", std::int64_t{5});
  bag.set("BackColor", forms::OleColor{0x404040});
  bag.set("ForeColor", forms::OleColor{0xFFFFFF});
  ButtonModel model(host, events, ReadProperties(bag, {}));
  EXPECT_EQ(model.properties().back_color, 0x404040u);
  EXPECT_FALSE(model.properties().show_focus_rect);

  EXPECT_TRUE(model.SetButtonStyle(5));
  EXPECT_EQ(model.properties().back_color, 0xAA6D00u);
  EXPECT_EQ(model.properties().fore_color, 0xFFFFFFu);
  EXPECT_TRUE(model.properties().show_focus_rect);
  EXPECT_TRUE(model.SetButtonStyle(4));
  EXPECT_EQ(model.properties().back_color, 0xE3E3E3u);
  EXPECT_EQ(model.properties().fore_color, forms::kColorButtonText);
  EXPECT_FALSE(model.SetButtonStyle(16));
  EXPECT_EQ(model.properties().button_style, 4);
}

TEST(AccessKey, FollowsTheFirstSingleAmpersand) {
  struct Case {
    const char* caption;
    char32_t key;
  };
  const std::vector<Case> cases = {
      {"&Save", U's'},       {"Sa&ve", U'v'},    {"a&&b&C", U'c'},  {"&&", 0},       {"&", 0},
      {"ab&", 0},            {"&&&x", U'x'},     {"x&&&&y", 0},     {"a&&b", 0},     {"no key", 0},
      {"&\xC3\x84rger", U'\u00E4'},  // a Latin capital is lowered
      {"帮&助", U'助'},
  };
  for (const Case& c : cases) EXPECT_EQ(AccessKey(c.caption), c.key) << c.caption;
}

// Every property off its default, so every key is written.
ButtonProperties Unusual() {
  ButtonProperties p;
  p.button_style = 5;
  p.show_focus_rect = true;
  p.enabled = false;
  p.font = {"Tahoma", 8.25, 700, 0};
  p.back_color = 0x404040;
  p.caption = "计  算";
  p.fore_color = 0xFFFFFF;
  p.check_box_mode = true;
  p.value = true;
  p.mouse_pointer = 99;
  p.hand_pointer = true;
  p.mouse_icon = {"icons/hand.png"};
  p.picture = {"icons/a.png"};
  p.picture_hover = {"icons/b.png"};
  p.picture_align = 4;
  p.picture_size = 2;
  p.use_mask_color = true;
  p.mask_color = 0xA36B22;
  p.caption_align = 0;
  return p;
}

std::vector<std::string> Keys(const forms::PropertyBag& bag) {
  std::vector<std::string> keys;
  for (const auto& e : bag.entries()) keys.push_back(e.key);
  return keys;
}

TEST(StoredSettings, WrittenInTheirOrderAndReadBack) {
  forms::PropertyBag bag;
  WriteProperties(Unusual(), bag);
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"ButtonStyle", "ShowFocusRect", "Enabled", "Font", "BackColor", "Caption",
                                                  "ForeColor", "CheckBoxMode", "Value", "MousePointer", "HandPointer",
                                                  "MouseIcon", "Picture", "PictureHover", "PictureAlign", "pictureSize",
                                                  "UseMaskCOlor", "MaskColor", "CaptionAlign"}));
  EXPECT_EQ(ReadProperties(bag, {}), Unusual());
}

TEST(StoredSettings, DefaultsAreLeftOutAndReadBack) {
  const forms::FontSpec host{"宋体", 9, 400, 134};
  ButtonProperties p = ReadProperties(forms::PropertyBag{}, host);
  EXPECT_EQ(p.button_style, 1);
  EXPECT_EQ(p.caption, "kzbutton");
  EXPECT_EQ(p.font, host);
  EXPECT_EQ(p.back_color, static_cast<forms::OleColor>(gfx::translate_color(forms::kColorButtonFace)));
  EXPECT_EQ(p.mask_color, 0xE0E0E0u);
  forms::PropertyBag bag;
  WriteProperties(p, bag);
  // Font and the two colours have no default to leave out against.
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"Font", "BackColor", "ForeColor"}));
  EXPECT_EQ(ReadProperties(bag, host), p);
}

TEST(StoredSettings, CaptionsRoundTripWhateverTheyAre) {
  for (const char* caption : {"kzbutton", "kzbutton1", "", "OK"}) {
    ButtonProperties p;
    p.caption = caption;
    forms::PropertyBag bag;
    WriteProperties(p, bag);
    EXPECT_EQ(ReadProperties(bag, {}).caption, caption);
  }
}

TEST(StoredSettings, KeysAreMatchedWithoutRegardToCase) {
  forms::PropertyBag bag;
  bag.set("PICTURESIZE", std::int64_t{3});
  bag.set("usemaskcolor", true);
  bag.set("buttonstyle", std::int64_t{8});
  const ButtonProperties p = ReadProperties(bag, {});
  EXPECT_EQ(p.picture_size, 3);
  EXPECT_TRUE(p.use_mask_color);
  EXPECT_EQ(p.button_style, 8);
}

TEST(StoredSettings, ValueWithoutToggleModeAndUnknownLooksAreNotTaken) {
  forms::PropertyBag bag;
  bag.set("Value", true);
  bag.set("ButtonStyle", std::int64_t{42});
  const ButtonProperties p = ReadProperties(bag, {});
  EXPECT_FALSE(p.value);
  EXPECT_EQ(p.button_style, 1);
}

}  // namespace
}  // namespace kes::button

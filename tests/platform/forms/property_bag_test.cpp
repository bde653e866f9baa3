// Stored settings: keys without regard to case, typed reads with the caller's default,
// defaults left out on writing, and the text form of values and whole designs.
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "platform/forms/design.h"
#include "platform/forms/property_bag.h"

namespace kes::forms {
namespace {

TEST(PropertyBagTest, KeysMatchWithoutRegardToCaseAndKeepTheirFirstSpelling) {
    PropertyBag bag;
    bag.set("pictureSize", std::int64_t(2));
    bag.set("PictureSize", std::int64_t(3));  // the same key: replaced in place
    bag.set("UseMaskCOlor", true);
    EXPECT_EQ(bag.size(), 2u);
    EXPECT_EQ(bag.read_int32("PICTURESIZE", 0), 3);
    EXPECT_TRUE(bag.read_bool("usemaskcolor", false));
    EXPECT_EQ(bag.entries()[0].key, "pictureSize");
}

TEST(PropertyBagTest, AMissingKeyGivesTheCallersDefault) {
    const PropertyBag bag;
    EXPECT_EQ(bag.read_int16("Decimal", 7), 7);
    EXPECT_EQ(bag.read_string("Caption", "kzbutton"), "kzbutton");
    EXPECT_EQ(bag.read_color("BackColor", 0x8000000Fu), 0x8000000Fu);
    EXPECT_EQ(bag.read_font("Font", song_font(9, 700)), song_font(9, 700));
    EXPECT_TRUE(bag.read_picture("Picture").empty());
}

TEST(PropertyBagTest, TypedReadsConvertNumbersAndFallBackWhenTheyCannot) {
    PropertyBag bag;
    bag.set("Whole", std::int64_t(40000));
    bag.set("Half", 2.5);
    bag.set("Text", std::string("12"));
    bag.set("Colour", OleColor(0x80000012u));
    bag.set("Flag", true);
    EXPECT_EQ(bag.read_int16("Whole", -1), -1);  // out of range for 16 bits
    EXPECT_EQ(bag.read_int32("Whole", -1), 40000);
    EXPECT_DOUBLE_EQ(bag.read_double("Whole", 0), 40000.0);
    EXPECT_EQ(bag.read_int32("Half", 0), 2);       // halves to the even neighbour
    EXPECT_EQ(bag.read_int32("Text", -1), -1);     // a text is not a number
    EXPECT_EQ(bag.read_string("Whole", "dflt"), "dflt");
    EXPECT_EQ(bag.read_int32("Colour", 0), std::int32_t(0x80000012u));
    EXPECT_EQ(bag.read_color("Whole", 0), 40000u);
    EXPECT_EQ(bag.read_int16("Flag", 0), -1);      // True stored as a number is -1
    EXPECT_FALSE(bag.read_bool("Text", false));
    EXPECT_EQ(bag.read_font("Text", tahoma_font()), tahoma_font());
}

TEST(PropertyBagTest, WritingTheDefaultLeavesTheKeyOut) {
    PropertyBag bag;
    bag.write_int32("ButtonStyle", 1, 1);
    bag.write_bool("Enabled", true, true);
    bag.write_string("Caption", "kzbutton1", "kzbutton1");
    bag.write_font("Font", song_font(), song_font());
    EXPECT_TRUE(bag.empty());
    bag.write_int32("ButtonStyle", 5, 1);
    bag.write_color("BackColor", 0x404040, 0x8000000Fu);
    bag.write_double("LargeChange", 1.0, 1.0);
    EXPECT_EQ(bag.size(), 2u);
    // Writing the default again drops what an earlier write stored.
    bag.write_int32("buttonstyle", 1, 1);
    EXPECT_FALSE(bag.contains("ButtonStyle"));
    EXPECT_EQ(bag.read_color("BackColor", 0), 0x404040u);
}

TEST(PropertyBagTest, ValuesReadBackFromTheirTextForm) {
    const PropertyValue values[] = {
        true,
        false,
        std::int64_t(-32768),
        std::int64_t(9007199254740993),  // beyond a double's exact range
        1.0,
        8.25,
        -2.5e-7,
        std::string("计  算"),
        std::string("quote \" backslash \\ tab \t line\r\n\x01"),
        std::string(),
        OleColor(0x80000012u),
        OleColor(0x00FFFFFFu),
        FontSpec{"宋体", 9, 700, 134, true, true, false},
        tahoma_font(),
        PictureRef{"assets/icon 16.png"},
        PictureRef{},
    };
    for (const auto& v : values) {
        const std::string text = format_value(v);
        std::string error;
        auto back = parse_value(text, &error);
        ASSERT_TRUE(back) << text << ": " << error;
        EXPECT_EQ(*back, v) << text;
    }
}

TEST(PropertyBagTest, TextThatIsNotAValueIsRefusedWithAReason) {
    const char* bad[] = {
        "",           "\"open",         "\"bad \\q escape\"", "&H",          "&H123456789",
        "&G12",       "font(\"x\", 9)", "font(\"x\", 9, 400, 0, bold)", "picture(x)",
        "12 13",      "maybe",          "1e999",              "--1",
    };
    for (const char* text : bad) {
        std::string error;
        EXPECT_FALSE(parse_value(text, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

const char* kDesign = R"(; the message dialog, cut down
Begin Form ForMsgx
  Caption = "信息"
  ClientWidth = 5070
  ClientHeight = 2220
  Font = font("Tahoma", 8.25, 400, 0)
  Begin Label lbText
    Left = 1440
    Top = 820
    Width = 3135
    Height = 800
    BackStyle = 0
  End
  Begin kzbutton cmdButton
    Index = 2
    Left = 3120
    Top = 1680
    Width = 1005
    Height = 375
    TabIndex = 2
    Visible = False
    Caption = "Cancel"
    ButtonStyle = 5
    BackColor = &H00404040
  End
End
)";

TEST(DesignTextTest, ADesignReadsAndWritesBackToTheSameDesign) {
    DesignParseError err;
    auto d = parse_design(kDesign, &err);
    ASSERT_TRUE(d) << err.line << ": " << err.message;
    EXPECT_EQ(d->name, "ForMsgx");
    EXPECT_EQ(d->caption, "信息");
    EXPECT_EQ(twips_to_pixels(d->client_width), 338);
    ASSERT_EQ(d->controls.size(), 2u);
    const ControlDesign* b = d->find("CMDBUTTON", 2);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->display_name(), "cmdButton(2)");
    EXPECT_FALSE(b->visible);
    EXPECT_EQ(b->tab_index, 2);
    EXPECT_EQ(b->settings.read_string("caption", ""), "Cancel");
    EXPECT_EQ(b->settings.read_color("BackColor", 0), 0x404040u);
    EXPECT_EQ(d->find("cmdButton"), nullptr);  // index -1 is another control

    auto again = parse_design(format_design(*d), &err);
    ASSERT_TRUE(again) << err.line << ": " << err.message;
    EXPECT_EQ(*again, *d);
}

TEST(DesignTextTest, NestedBlocksAreHeldByTheEnclosingControl) {
    auto d = parse_design(R"(Begin Form F
  Begin Frame Group
    Index = 1
    Begin Label Caption1
    End
  End
End
)");
    ASSERT_TRUE(d);
    const ControlDesign* l = d->find("Caption1");
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->container, "Group");
    EXPECT_EQ(l->container_index, 1);
}

TEST(DesignTextTest, ABrokenDesignNamesTheLine) {
    const struct {
        const char* text;
        int line;
    } cases[] = {
        {"Begin Label X\nEnd\n", 1},
        {"Begin Form F\n  Caption = 12\nEnd\n", 2},
        {"Begin Form F\n  Begin Label A\n    Left = \"x\"\n  End\nEnd\n", 3},
        {"Begin Form F\n  Begin Label A\n  End\n  Begin Label a\n  End\nEnd\n", 5},
        {"Begin Form F\n  Begin Label A\n  End\n", 4},
        {"Begin Form F\nEnd\nBegin Form G\n", 3},
        {"Begin Form F\n  just words\nEnd\n", 2},
    };
    for (const auto& c : cases) {
        DesignParseError err;
        EXPECT_FALSE(parse_design(c.text, &err)) << c.text;
        EXPECT_EQ(err.line, c.line) << c.text << " -> " << err.message;
        EXPECT_FALSE(err.message.empty());
    }
}

TEST(DesignTextTest, TwipsBecomePixelsAtFifteenAPixelHalvesToEven) {
    const struct {
        double twips;
        int pixels;
    } cases[] = {{9990, 666}, {975, 65}, {7.5, 0}, {22.5, 2}, {330, 22}, {-15, -1}};
    for (const auto& c : cases) EXPECT_EQ(twips_to_pixels(c.twips), c.pixels) << c.twips;
}

}  // namespace
}  // namespace kes::forms

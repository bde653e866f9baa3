#include <gtest/gtest.h>

#include "platform/gfx/color.h"

namespace kes::gfx {
namespace {

TEST(Color, TranslationOfStoredColours) {
    struct Case {
        std::uint32_t stored;
        std::int32_t expected;
    };
    const Case cases[] = {
        {0x00404040, 0x404040},   // a plain colour stays
        {0x00FFFFFF, 0xFFFFFF},
        {0x8000000F, 0xC8D0D4},   // button face
        {0x80000012, 0x000000},   // button text
        {0x80000011, 0x808080},   // grey text
        {0x80000010, 0x808080},   // 3D shadow
        {0x80000014, 0xFFFFFF},   // 3D highlight
        {0x80000015, 0x404040},   // 3D dark shadow
        {0x80000016, 0xC8D0D4},   // 3D light
        {0x80000005, 0xFFFFFF},   // window
        {0x80000003, 0x808080},   // inactive caption
        {0x8000001F, -1},         // past the table
        {0x800000FF, -1},
        {0x80000100, -1},         // stray bits beside the index
        {0x01000005, -1},         // another kind of colour value
        {0xFFFFFFFF, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(translate_color(c.stored), c.expected) << std::hex << c.stored;

    EXPECT_EQ(resolve_color(0x8000000F), system_color(SystemColor::ButtonFace));
    EXPECT_EQ(resolve_color(0x8000001F), kBlack);
    EXPECT_EQ(Color::from_bgr(0x00B99D7F), (Color{0x7F, 0x9D, 0xB9}));
    EXPECT_EQ(Color::from_bgr(0x00B99D7F).bgr(), 0x00B99D7Fu);
    EXPECT_EQ(Color::from_argb((Color{1, 2, 3}).argb()), (Color{1, 2, 3}));
}

}  // namespace
}  // namespace kes::gfx

#include <gtest/gtest.h>

#include "platform/gfx/utf8.h"

namespace kes::gfx {
namespace {

TEST(Utf8, DecodesTextAndReplacesEachMalformedByte) {
    struct Case {
        std::string in;
        std::u32string out;
    };
    const Case cases[] = {
        {"", U""},
        {"Tax 3500", U"Tax 3500"},
        {"工资&", U"工资&"},
        {"\xF0\x9F\x98\x80", U"\U0001F600"},
        {"a\xFF" "b", U"a\uFFFDb"},                   // not a lead byte
        {"\xE5\xB7", U"\uFFFD\uFFFD"},                 // cut short
        {"\xC0\xAF", U"\uFFFD\uFFFD"},                 // overlong "/"
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},       // a surrogate
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
    };
    for (const Case& c : cases) EXPECT_EQ(decode_utf8(c.in), c.out) << c.in;

    EXPECT_EQ(encode_utf8(U"工资 Tax \U0001F600"), "工资 Tax \xF0\x9F\x98\x80");
    EXPECT_EQ(encode_utf8(char32_t(0xD800)), "\xEF\xBF\xBD");
    EXPECT_EQ(encode_utf8(char32_t(0x110000)), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kes::gfx

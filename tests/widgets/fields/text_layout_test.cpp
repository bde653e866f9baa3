#include "widgets/fields/text_layout.h"

#include <gtest/gtest.h>

namespace kes::fields {
namespace {

TEST(TextLayout, WidthHeightAndFontOffset) {
  struct Case {
    int width;
    double points;
    int out_width;
    int edit_width;
    int edit_top;
  };
  const Case cases[] = {
      {300, 8.25, 400, 289, 60},  // raised to the minimum
      {975, 8.25, 975, 864, 60},  // the program's fields
      {975, 8, 975, 864, 60},
      {975, 9, 975, 864, 45},
      {975, 8.5, 975, 864, 60},   // half a point rounds to even 0
      {975, 9.5, 975, 864, 30},   // one and a half round to even 2
      {975, 10.5, 975, 864, 30},  // two and a half round to even 2
      {975, 2192, 975, 864, -32700},  // the largest offset the original arithmetic held
      {975, 3000, 975, 864, -32768},  // far past the 16-bit range: held at its end
      {975, 1e30, 975, 864, -32768},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " twips, " << c.points << " points");
    TextLayout l = LayOutText(c.width, c.points);
    EXPECT_EQ(l.width, c.out_width);
    EXPECT_EQ(l.border_width, c.out_width);
    EXPECT_EQ(l.edit_width, c.edit_width);
    EXPECT_EQ(l.edit_top, c.edit_top);
    EXPECT_EQ(l.height, 330);
    EXPECT_EQ(l.border_height, 330);
    EXPECT_EQ(l.edit_left, 75);
    EXPECT_EQ(l.edit_height, 210);
  }
}

}  // namespace
}  // namespace kes::fields

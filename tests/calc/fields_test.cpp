#include "calc/fields.h"

#include <gtest/gtest.h>

namespace kes::calc {
namespace {

TEST(ControlNames, ReadBackWhatTheyWrite) {
  for (const ControlId field : all_fields()) {
    EXPECT_EQ(parse_control_name(control_name(field)), field) << control_name(field);
  }
  EXPECT_EQ(all_fields().size(), 65u);
  EXPECT_EQ(parse_control_name("CheckOld"), CheckOld);
}

TEST(ControlNames, RefuseIndexesTheArrayLacks) {
  for (const char* name : {"TextPerJia(7)", "TextPerMes(12)", "TextZhenCe(-1)", "TextOld(0)",
                           "TextPerMes()", "TextPerMes(1", "TextPerMes(x)", "textperMes(1)",
                           "TextFinall(10)", ""}) {
    EXPECT_EQ(parse_control_name(name), std::nullopt) << name;
  }
  EXPECT_EQ(control_name(TextPerJia(7)), "?");
  EXPECT_FALSE(is_field(TextComJia(7)));
  EXPECT_FALSE(is_field(CheckJi));
}

}  // namespace
}  // namespace kes::calc

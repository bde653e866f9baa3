#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace kes::calc {
namespace {

struct StrictCase {
  const char* text;
  std::optional<double> expected;
};

TEST(StrictReading, ReadsWholeDecimalNumbersAndRefusesEverythingElse) {
  const StrictCase cases[] = {
      {"12.5", 12.5},   {" 7 ", 7},     {"5.", 5},        {".5", 0.5},       {"-3", -3},
      {"+4", 4},        {"0", 0},       {"-0", 0},        {"00012.50", 12.5}, {"\t9\n", 9},
      {"", std::nullopt},     {" ", std::nullopt},     {".", std::nullopt},
      {"1.5E+07", 1.5e7}, {"1e5", 1e5},   {"2.5e-3", 0.0025}, {"-1.2E+03", -1200},
      {"1.2.", std::nullopt}, {"1.2.3", std::nullopt}, {"1E", std::nullopt},
      {"1e+", std::nullopt},  {"1D5", std::nullopt},   {"E5", std::nullopt},
      {"1e5.5", std::nullopt}, {"1e 5", std::nullopt}, {"1e5e5", std::nullopt},
      {"1,000", std::nullopt}, {"- 5", std::nullopt},  {"12abc", std::nullopt},
      {"&H10", std::nullopt}, {"+", std::nullopt},     {"-.", std::nullopt},
      {"1 2", std::nullopt},  {"--1", std::nullopt},   {"1-", std::nullopt},
  };
  for (const StrictCase& c : cases) {
    EXPECT_EQ(read_strict(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(StrictReading, RefusesANumberBeyondDoubleRangeButReadsATinyOneAsZero) {
  EXPECT_EQ(read_strict(std::string(400, '9')), std::nullopt);
  EXPECT_EQ(read_strict("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(read_strict("1e400"), std::nullopt);
  EXPECT_EQ(read_strict("0.00001e310"), 1e305);
  EXPECT_EQ(read_strict("1e-400"), 0.0);
  EXPECT_EQ(read_strict("1e-99999999999"), 0.0);
}

TEST(StrictReading, GivesTheNearestDouble) {
  // 0.1 is not exact in binary; the reading must still be the correctly rounded double.
  EXPECT_EQ(read_strict("0.1"), 0.1);
  EXPECT_EQ(read_strict("9.2"), 9.2);
  EXPECT_EQ(read_strict("21.75"), 21.75);
}

struct ValCase {
  const char* text;
  double expected;
};

TEST(LeadingNumberReading, FollowsValRules) {
  const ValCase cases[] = {
      {"12abc", 12},   {"", 0},          {".5", 0.5},     {"1,000", 1},    {" 3 4", 34},
      {"-2.5E2", -250}, {"1.2.", 1.2},   {"1.2.3", 1.2},  {"1D3", 1000},   {"2e-1", 0.2},
      {"5E", 5},        {"5E+", 5},      {"1 e 2", 100},  {"  +7", 7},     {"- 5", -5},
      {"&H1F", 31},     {"&hff", 255},   {"&O17", 15},    {"&o 1 7", 15},  {"&H", 0},
      {"&X1", 0},       {"&O9", 0},      {"abc", 0},      {"-", 0},        {".", 0},
      {"1e400", 0},     {"-.5x", -0.5},  {"3.e1", 30},    {"0x10", 0},     {"7.5%", 7.5},
  };
  for (const ValCase& c : cases) {
    EXPECT_EQ(read_val(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(LeadingNumberReading, AgreesWithStrictReadingWhereThatAccepts) {
  for (const char* text : {"12.5", " -3 ", ".5", "5.", "+0.25", "1234567.891"}) {
    const auto strict = read_strict(text);
    ASSERT_TRUE(strict) << text;
    EXPECT_EQ(read_val(text), *strict) << text;
  }
}

struct GeneralCase {
  double value;
  int digits;
  int exponent_from;
  const char* expected;
};

TEST(GeneralTextForm, WritesSignificantDigitsWithoutTrailingZeros) {
  const GeneralCase cases[] = {
      {5600.0f / 174, 7, 7, "32.18391"},
      {5600, 7, 7, "5600"},
      {0.1f, 7, 7, "0.1"},
      {0.5, 7, 7, "0.5"},
      {-0.0, 7, 7, "0"},
      {1e7, 7, 7, "1E+07"},
      {1.5e-5, 7, 7, "1.5E-05"},
      {9999999, 7, 7, "9999999"},
      {9999999.6, 7, 7, "1E+07"},  // rounds up into the exponent form
      {12345678, 7, 7, "1.234568E+07"},
      {0.0001, 7, 7, "0.0001"},
      {-221.8f, 7, 7, "-221.8"},
      {1e-300, 15, 15, "1E-300"},
      {12.5, 15, 15, "12.5"},
      {100, 15, 15, "100"},
      {0.1 + 0.2, 15, 15, "0.3"},
      {123456789012345, 15, 15, "123456789012345"},
      {1e15, 15, 15, "1E+15"},
      {1e16, 15, 15, "1E+16"},
      {-1234567.891, 15, 15, "-1234567.891"},
  };
  for (const GeneralCase& c : cases) {
    EXPECT_EQ(general_text(c.value, c.digits, c.exponent_from), c.expected) << c.value;
  }
}

TEST(GeneralTextForm, ValueTextTakesTheExponentFormOnlyBeyondFifteenDigits) {
  const std::pair<double, const char*> cases[] = {
      {0.00001, "0.00001"},
      {-0.000125, "-0.000125"},
      {1e-15, "0.000000000000001"},
      {1.5e-15, "1.5E-15"},
      {1.23e-14, "1.23E-14"},
      {999999999999999, "999999999999999"},
      {1e15, "1E+15"},
      {1.0 / 3, "0.333333333333333"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(value_text(value), expected) << value;
}

TEST(GeneralTextForm, ValueTextReadsBackToTheSameNumber) {
  for (const double v : {12.5, 100.0, 1.0 / 3, -2.5e-7, 98765.4321, 1e20, 0.0}) {
    const std::string text = value_text(v);
    EXPECT_NEAR(read_val(text), v, std::abs(v) * 1e-14) << text;
  }
}

}  // namespace
}  // namespace kes::calc

#include "calc/text_forms.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "calc/rounding.h"

namespace kes::calc {
namespace {

struct RoundCase {
  double value;
  int decimals;
  double expected;
};

TEST(Rounding, ExactHalvesGoToTheEvenNeighbour) {
  const RoundCase cases[] = {
      {0.125, 2, 0.12}, {0.375, 2, 0.38}, {2.5, 0, 2},     {3.5, 0, 4},      {-2.5, 0, -2},
      {-3.5, 0, -4},    {616.0000152, 2, 616}, {48.275862, 2, 48.28}, {0.0, 2, 0},
      {1.994, 2, 1.99}, {671.99997, 0, 672},
  };
  for (const RoundCase& c : cases) {
    EXPECT_EQ(round_half_even(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
  }
}

TEST(Narrowing, RefusesWhatAFloatCannotHold) {
  EXPECT_EQ(narrow(0.1), 0.1f);
  EXPECT_EQ(narrow(-3.0e38), -3.0e38f);
  EXPECT_EQ(narrow(static_cast<double>(FLT_MAX)), FLT_MAX);
  EXPECT_EQ(narrow(1e39), std::nullopt);
  EXPECT_EQ(narrow(-1e39), std::nullopt);
  EXPECT_EQ(narrow(INFINITY), std::nullopt);
  EXPECT_EQ(narrow(NAN), std::nullopt);
}

struct FloatFormCase {
  float value;
  const char* expected;
};

TEST(ShortForm, SevenSignificantDigits) {
  const FloatFormCase cases[] = {
      {5600.0f / 174, "32.18391"}, {5600, "5600"},      {0.1f, "0.1"},   {0.5f, "0.5"},
      {-0.0f, "0"},                {4090.2f, "4090.2"}, {1e7f, "1E+07"}, {1.5e-5f, "1.5E-05"},
      {-2400, "-2400"},            {515.2f, "515.2"},
  };
  for (const FloatFormCase& c : cases) EXPECT_EQ(short_form(c.value), c.expected) << c.value;
}

TEST(RoundedShortForm, RoundsToCentsFirst) {
  const FloatFormCase cases[] = {
      {35.26027f, "35.26"}, {221.8f, "221.8"}, {0.125f, "0.12"}, {-0.004f, "0"},
      {4090.2f, "4090.2"},  {1509.8f, "1509.8"}, {-3362.29f, "-3362.29"},
  };
  for (const FloatFormCase& c : cases) {
    EXPECT_EQ(rounded_short_form(c.value), c.expected) << c.value;
  }
}

TEST(RateForm, AlwaysWritesThePoint) {
  const FloatFormCase cases[] = {
      {30, "30."},     {34.48f, "34.48"}, {0, "0."},     {30.5f, "30.5"},   {31.03f, "31.03"},
      {48.28f, "48.28"}, {-1.5f, "-1.5"}, {-0.001f, "0."}, {0.004f, "0."},  {1e8f, "100000000."},
  };
  for (const FloatFormCase& c : cases) EXPECT_EQ(rate_form(c.value), c.expected) << c.value;
}

TEST(RoundedLongForm, FifteenDigitsOfTheRoundedDouble) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {0, "0"},           {195.63000000001, "195.63"}, {-0.001, "0"},
      {1234567.891, "1234567.89"}, {12345678.9, "1.23456789E+07"}, {-12.346, "-12.35"},
      {0.00001, "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(rounded_long_form(c.value), c.expected) << c.value;
}

}  // namespace
}  // namespace kes::calc

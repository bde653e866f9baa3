#include "calc/policy.h"

#include <gtest/gtest.h>

namespace kes::calc {
namespace {

// The policy figures at their defaults: cap 9800, limits 9711 and 2639.
ValueArray default_policy() {
  ValueArray zc;
  zc.set(0, 9800);
  zc.set(1, 9711);
  zc.set(2, 2639);
  zc.set(3, 2000);
  return zc;
}

TEST(IncomeTax, BracketsWithQuickDeductions) {
  struct Case {
    float x;
    float tax;
  };
  const Case cases[] = {
      {0, 0},         {-100, 0},          {500, 25},          {500.5f, 25.05f},
      {2000, 175},    {2312, 221.8f},     {5000, 625},        {20000, 3625},
      {39999, 8624.75f}, {40000, 8625},   {50000, 11625},     {60000, 14625},
      {80000, 21625}, {100000, 29625},    {100001, 29625.45f}, {120000, 38625},
  };
  for (const Case& c : cases) EXPECT_EQ(IncomeTax(c.x), c.tax) << c.x;
}

TEST(IncomeTax, IsContinuousAtEveryBound) {
  for (const float bound : {500.f, 2000.f, 5000.f, 20000.f, 40000.f, 60000.f, 80000.f, 100000.f}) {
    EXPECT_NEAR(IncomeTax(bound), IncomeTax(bound + 0.01f), 0.01) << bound;
  }
}

TEST(InsuranceBase, ClampsToTheLimitsLowerFirst) {
  const ValueArray zc = default_policy();
  const float cases[][2] = {{1000, 2639}, {2639, 2639}, {5600, 5600}, {9711, 9711},
                            {12000, 9711}, {-2400, 2639}};
  for (const auto& c : cases) EXPECT_EQ(InsuranceBase(zc, c[0]), c[1]) << c[0];
}

TEST(InsuranceBase, LowerLimitAboveUpperLimit) {
  ValueArray zc;
  zc.set(1, 3000);
  zc.set(2, 5000);
  EXPECT_EQ(InsuranceBase(zc, 4000), 5000);
  EXPECT_EQ(InsuranceBase(zc, 5000), 5000);
  EXPECT_EQ(InsuranceBase(zc, 5001), 3000);
}

TEST(FundBase, CapsWithoutLowerLimit) {
  const ValueArray zc = default_policy();
  const float cases[][2] = {{9799, 9799}, {9800, 9800}, {15000, 9800}, {100, 100}, {-5, -5}};
  for (const auto& c : cases) EXPECT_EQ(FundBase(zc, c[0]), c[1]) << c[0];
}

TEST(ValueArray, RefusesIndexesOutsideTwelveEntries) {
  ValueArray a;
  EXPECT_TRUE(a.set(11, 5));
  EXPECT_EQ(a.get(11), 5.0f);
  EXPECT_EQ(a.get(0), 0.0f);
  EXPECT_FALSE(a.set(12, 1));
  EXPECT_FALSE(a.set(-1, 1));
  EXPECT_EQ(a.get(12), std::nullopt);
  EXPECT_EQ(a.get(-1), std::nullopt);
}

}  // namespace
}  // namespace kes::calc

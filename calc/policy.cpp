#include "calc/policy.h"

namespace kes::calc {

float InsuranceBase(const ValueArray& ValZhenCe, float amount) {
  const float lower = ValZhenCe.get(2).value_or(0);
  const float upper = ValZhenCe.get(1).value_or(0);
  if (amount <= lower) return lower;
  if (amount > upper) return upper;
  return amount;
}

float FundBase(const ValueArray& ValZhenCe, float amount) {
  const float cap = ValZhenCe.get(0).value_or(0);
  return amount < cap ? amount : cap;
}

float IncomeTax(float x) {
  struct Bracket {
    double bound;
    bool inclusive;
    double rate;
    double deduction;
  };
  // The 40000 bound alone is strict; the tax is continuous there all the same.
  static constexpr Bracket kBrackets[] = {
      {500, true, 0.05, 0},         {2000, true, 0.10, 25},       {5000, true, 0.15, 125},
      {20000, true, 0.20, 375},     {40000, false, 0.25, 1375},   {60000, true, 0.30, 3375},
      {80000, true, 0.35, 6375},    {100000, true, 0.40, 10375},
  };
  if (x <= 0) return 0;
  const double amount = x;
  for (const Bracket& b : kBrackets) {
    if (b.inclusive ? amount <= b.bound : amount < b.bound) {
      return static_cast<float>(amount * b.rate - b.deduction);
    }
  }
  return static_cast<float>(amount * 0.45 - 15375);
}

}  // namespace kes::calc

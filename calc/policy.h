// Policy arithmetic: the social-insurance base, the housing-fund base and the
// monthly income tax on wages and salaries.
#pragma once

#include "calc/pay_model.h"

namespace kes::calc {

// The amount clamped to the limits ValZhenCe(2) (lower, tested first) and
// ValZhenCe(1) (upper).
float InsuranceBase(const ValueArray& ValZhenCe, float amount);

// The amount capped at ValZhenCe(0); there is no lower limit.
float FundBase(const ValueArray& ValZhenCe, float amount);

// Tax on x, the taxable wage above the threshold, by the nine-bracket table
// with quick deductions; 0 for x <= 0. Not yet rounded to decimals.
float IncomeTax(float x);

}  // namespace kes::calc

// The compute command: checks the wage, saves the pay record when asked,
// reads the input fields and writes the month's statement into the result
// fields.
#pragma once

#include "calc/pay_model.h"
#include "calc/window.h"

namespace kes::calc {

enum class ComputeOutcome {
  Completed,        // the statement was computed
  ZeroWage,         // the wage is 0 or not a number: results emptied
  BelowMinimum,     // the set wage is below the minimum wage: results emptied
  OldBelowMinimum,  // with CheckOld ticked, the old wage is below it or unreadable
  TooHigh,          // the wage is above 100000: message shown, window closed
};

struct ComputeReport {
  ComputeOutcome outcome = ComputeOutcome::Completed;
  int statements = 0;  // statements attempted (each entry and each field written)
  int skipped = 0;     // of those, the ones that faulted and were skipped
};

// Runs the command once. A statement that faults (a strict reading fails, a
// division by zero, a result that is not finite or does not fit 32 bits) is
// skipped and the entry or field it would have written keeps its previous
// value; nothing is thrown out of the command.
ComputeReport ComputeCommand(Window& window, PayModel& model);

// Empties the result fields (the value arrays are left as they are).
void ClearResults(Window& window);

}  // namespace kes::calc

// The script language of kestrane-calc: field writes, key presses, focus
// changes and compute commands, one a line, run against a fresh main window.
#pragma once

#include <istream>
#include <ostream>

namespace kes::calc {

// Runs the script read from `in` and writes what happens to `out`. Returns
// the exit status: 0 at the end of the script or when a command closes the
// window, 2 after a line it cannot run (reported on `err`, naming the line).
int run_calc_script(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kes::calc

// kestrane-calc: a month's pay statement from a script on standard input,
// without the window. Settings writes are printed, never stored.
#include <iostream>

#include "tools/kestrane-calc/script_runner.h"

int main() {
  std::ios::sync_with_stdio(false);
  return kes::calc::run_calc_script(std::cin, std::cout, std::cerr);
}

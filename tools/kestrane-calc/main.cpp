// kestrane-calc: a month's pay statement from a script on standard input,
// without the window. Settings writes are printed, never stored.
#include <iostream>
#include <string_view>

#include "tools/kestrane-calc/script_runner.h"

namespace {

constexpr std::string_view kUsage =
    "usage: kestrane-calc < script\n"
    "Runs the script's lines against a freshly opened main window and prints what happens.\n"
    "  Name(i)=text | TextOld=text   write a field's text (its change rules run)\n"
    "  CheckOld=0|1 | CheckJi=0|1    set a check box\n"
    "  WarnSet=0|1 | WarnOld=0|1     arm or disarm a minimum-wage warning\n"
    "  type Name(i)=chars            key presses at the end of the text (\\b is backspace)\n"
    "  leave Name(i)                 the field loses the focus\n"
    "  compute                       the compute command, then every field\n"
    "Blank lines and lines starting with # are skipped.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    const std::string_view arg = argv[1];
    if (argc == 2 && (arg == "--help" || arg == "-h")) {
      std::cout << kUsage;
      return 0;
    }
    std::cerr << "kestrane-calc: unexpected argument: " << arg << '\n' << kUsage;
    return 2;
  }
  std::ios::sync_with_stdio(false);
  return kes::calc::run_calc_script(std::cin, std::cout, std::cerr);
}

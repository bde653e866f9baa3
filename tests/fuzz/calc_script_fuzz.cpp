// kestrane-calc's script reader on any input: no crash, no sanitizer report,
// and only the two exit statuses it documents.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "tools/kestrane-calc/script_runner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out;
  std::ostringstream err;
  const int status = kes::calc::run_calc_script(in, out, err);
  if (status != 0 && status != 2) std::abort();
  return 0;
}

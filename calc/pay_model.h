// The numeric state behind the fields: eight arrays of 32-bit floats, the
// zero-wage counter and the two warning flags. The main window owns one for
// its whole life; nothing clears it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kes::calc {

// Twelve 32-bit entries, all 0 at first. An index outside 0 to 11 is refused
// (get gives nullopt, set returns false) rather than touching memory.
class ValueArray {
 public:
  static constexpr int kSize = 12;

  std::optional<float> get(int index) const;
  bool set(int index, float value);

 private:
  std::array<float, kSize> entries_{};
};

struct PayModel {
  ValueArray ValPerMes;
  ValueArray ValJiaBan;
  ValueArray ValPerJia;
  ValueArray ValComJia;
  ValueArray ValFinall;
  ValueArray ValZhenCe;  // entry 6: working hours per month
  ValueArray ValXiShus;  // rates as fractions
  ValueArray ValJiBen;   // the basic run on the set wage alone
  std::int16_t ZeroClicks = 0;  // compute commands refused for a zero wage
  bool WarnSet = false;         // the set-wage warning is armed
  bool WarnOld = false;         // the old-wage warning is armed
};

}  // namespace kes::calc

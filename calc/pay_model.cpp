#include "calc/pay_model.h"

namespace kes::calc {

std::optional<float> ValueArray::get(int index) const {
  if (index < 0 || index >= kSize) return std::nullopt;
  return entries_[static_cast<std::size_t>(index)];
}

bool ValueArray::set(int index, float value) {
  if (index < 0 || index >= kSize) return false;
  entries_[static_cast<std::size_t>(index)] = value;
  return true;
}

}  // namespace kes::calc

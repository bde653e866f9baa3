#include "widgets/hook/msg_table.h"

#include <cstdio>

namespace kes::hook {

TableEdit MsgTable::Add(std::int32_t msg) {
  if (msg == ALL_MESSAGES) {
    count_ = ALL_MESSAGES;
    return TableEdit::Done;
  }
  // The overflow test comes first: a full table refuses even a message it holds.
  if (limit_ && count_ >= *limit_) return TableEdit::Overflow;
  // A table that wanted everything starts over with this one message.
  if (count_ < 0) count_ = 0;
  // A copy behind a freed slot must be found before the freed slot is filled: otherwise the
  // message would sit twice, and deleting it once would leave it wanted.
  std::int32_t* freed = nullptr;
  for (std::int32_t i = 0; i < count_; ++i) {
    std::int32_t& s = slots_[static_cast<std::size_t>(i)];
    if (s == msg) return TableEdit::Done;
    if (s == 0 && !freed) freed = &s;
  }
  if (freed) {
    *freed = msg;
    return TableEdit::Done;
  }
  if (slots_.size() <= static_cast<std::size_t>(count_)) slots_.resize(static_cast<std::size_t>(count_) + 1);
  slots_[static_cast<std::size_t>(count_)] = msg;
  ++count_;
  return TableEdit::Done;
}

TableEdit MsgTable::Del(std::int32_t msg) {
  if (msg == ALL_MESSAGES) {
    count_ = 0;
    return TableEdit::Done;
  }
  for (std::int32_t i = 0; i < count_; ++i) {
    std::int32_t& s = slots_[static_cast<std::size_t>(i)];
    if (s == msg) {
      s = 0;
      return TableEdit::Done;
    }
  }
  return TableEdit::NotFound;
}

bool MsgTable::Matches(std::int32_t msg) const {
  if (count_ == ALL_MESSAGES) return true;
  // A freed slot holds 0 and must never match, not even message 0.
  if (msg == 0) return false;
  for (std::int32_t i = 0; i < count_; ++i)
    if (slots_[static_cast<std::size_t>(i)] == msg) return true;
  return false;
}

std::string HexNumber(std::int32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "&H%X", static_cast<unsigned>(static_cast<std::uint32_t>(value)));
  return buf;
}

std::string NotFoundText(std::int32_t msg) { return "Message " + HexNumber(msg) + " not found in table"; }

}  // namespace kes::hook

#pragma once
// One message table of a hooked window: the messages its owner wants to see in one phase.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kes::hook {

// A count of ALL_MESSAGES means every message is wanted.
inline constexpr std::int32_t ALL_MESSAGES = -1;
// Slots of the checked variant's tables.
inline constexpr std::int32_t MSG_ENTRIES = 32;

// Timing flags of sc_AddMsg and sc_DelMsg; 3 addresses both tables.
inline constexpr std::uint32_t MSG_BEFORE = 1;
inline constexpr std::uint32_t MSG_AFTER = 2;

enum class TableEdit {
  Done,
  Overflow,  // the table is full; nothing changed
  NotFound,  // the message to delete is not in the table
};

// Count 0: nothing wanted. Count n > 0: slots 1..n are in use, and a slot holding 0 was
// freed; it never matches and the next add reuses it. The count never shrinks on delete.
class MsgTable {
 public:
  // limit: the number of slots, or none for a table that grows without bound.
  explicit MsgTable(std::optional<std::int32_t> limit) : limit_(limit) {}

  TableEdit Add(std::int32_t msg);
  TableEdit Del(std::int32_t msg);
  bool Matches(std::int32_t msg) const;

  std::int32_t count() const { return count_; }
  // Slot i, counted from 1 as the count does.
  std::int32_t slot(std::int32_t i) const { return slots_[static_cast<std::size_t>(i - 1)]; }

 private:
  std::optional<std::int32_t> limit_;
  std::int32_t count_ = 0;
  std::vector<std::int32_t> slots_;
};

// "&H" + upper-case hexadecimal without leading zeros, negatives as 32-bit two's complement.
std::string HexNumber(std::int32_t value);

// The text reported when a message to delete is missing.
std::string NotFoundText(std::int32_t msg);

// The text reported when a fixed table is full.
inline constexpr const char* kOverflowText =
    "Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
    "ALL_MESSAGES instead of specific message values";

}  // namespace kes::hook

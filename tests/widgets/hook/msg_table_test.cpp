#include "widgets/hook/msg_table.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace kes::hook {
namespace {

constexpr std::int32_t kMove = 0x200;
constexpr std::int32_t kLeave = 0x2A3;
constexpr std::int32_t kActivate = 0x6;

// One edit and what the table should look like after it.
struct Op {
  enum Kind { Add, Del } kind;
  std::int32_t msg;
  TableEdit expect;
};

struct TableCase {
  std::string name;
  std::vector<Op> ops;
  std::int32_t count;
  std::vector<std::int32_t> slots;  // slots 1..count after the edits
  // Names the case in test listings instead of dumping its bytes.
  friend void PrintTo(const TableCase& c, std::ostream* os) { *os << c.name; }
};

class FixedTableCases : public ::testing::TestWithParam<TableCase> {};

TEST_P(FixedTableCases, EditsLeaveTheSlotsAndCount) {
  const TableCase& c = GetParam();
  MsgTable t(MSG_ENTRIES);
  for (const Op& op : c.ops) {
    const TableEdit got = op.kind == Op::Add ? t.Add(op.msg) : t.Del(op.msg);
    EXPECT_EQ(got, op.expect) << "msg " << op.msg;
  }
  ASSERT_EQ(t.count(), c.count);
  for (std::size_t i = 0; i < c.slots.size(); ++i) EXPECT_EQ(t.slot(static_cast<int>(i) + 1), c.slots[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FixedTableCases,
    ::testing::Values(
        TableCase{"SameMessageTwiceKeepsOneSlot", {{Op::Add, kMove, TableEdit::Done}, {Op::Add, kMove, TableEdit::Done}}, 1, {kMove}},
        TableCase{"FreedSlotIsReusedAndCountStays",
                  {{Op::Add, kMove, TableEdit::Done}, {Op::Add, kLeave, TableEdit::Done}, {Op::Del, kMove, TableEdit::Done},
                   {Op::Add, kActivate, TableEdit::Done}},
                  2, {kActivate, kLeave}},
        TableCase{"MessageBehindAFreedSlotIsNotAddedTwice",
                  {{Op::Add, kMove, TableEdit::Done}, {Op::Add, kLeave, TableEdit::Done}, {Op::Del, kMove, TableEdit::Done},
                   {Op::Add, kLeave, TableEdit::Done}, {Op::Del, kLeave, TableEdit::Done}},
                  2, {0, 0}},
        TableCase{"DeleteKeepsTheCount", {{Op::Add, kMove, TableEdit::Done}, {Op::Del, kMove, TableEdit::Done}}, 1, {0}},
        TableCase{"DeleteMissingIsNotFound", {{Op::Add, kLeave, TableEdit::Done}, {Op::Del, kMove, TableEdit::NotFound}}, 1, {kLeave}},
        TableCase{"DeleteAllEmptiesTheTable", {{Op::Add, kMove, TableEdit::Done}, {Op::Del, ALL_MESSAGES, TableEdit::Done}}, 0, {}},
        TableCase{"AllMessages", {{Op::Add, kMove, TableEdit::Done}, {Op::Add, ALL_MESSAGES, TableEdit::Done}}, ALL_MESSAGES, {}},
        TableCase{"OneMessageReplacesAll", {{Op::Add, ALL_MESSAGES, TableEdit::Done}, {Op::Add, kLeave, TableEdit::Done}}, 1, {kLeave}}),
    [](const auto& info) { return info.param.name; });

TEST(MsgTable, MatchesOnlyListedMessagesAndNeverAFreedSlot) {
  MsgTable t(MSG_ENTRIES);
  EXPECT_FALSE(t.Matches(kMove));  // count 0 wants nothing
  t.Add(kMove);
  t.Add(kLeave);
  t.Del(kMove);
  EXPECT_FALSE(t.Matches(kMove));
  EXPECT_TRUE(t.Matches(kLeave));
  EXPECT_FALSE(t.Matches(0));
  t.Add(ALL_MESSAGES);
  EXPECT_TRUE(t.Matches(kMove));
  EXPECT_TRUE(t.Matches(0x1234));
}

TEST(MsgTable, FullFixedTableRefusesEveryAddButAll) {
  MsgTable t(MSG_ENTRIES);
  for (std::int32_t m = 1; m <= MSG_ENTRIES; ++m) ASSERT_EQ(t.Add(m), TableEdit::Done);
  t.Del(5);  // a freed slot does not make room: the overflow test comes first
  EXPECT_EQ(t.Add(99), TableEdit::Overflow);
  EXPECT_EQ(t.Add(7), TableEdit::Overflow);
  EXPECT_EQ(t.count(), MSG_ENTRIES);
  EXPECT_FALSE(t.Matches(99));
  EXPECT_EQ(t.Add(ALL_MESSAGES), TableEdit::Done);
  EXPECT_EQ(t.count(), ALL_MESSAGES);
}

TEST(MsgTable, GrowingTableHasNoLimit) {
  MsgTable t(std::nullopt);
  for (std::int32_t m = 1; m <= 100; ++m) ASSERT_EQ(t.Add(m), TableEdit::Done);
  EXPECT_EQ(t.count(), 100);
  EXPECT_TRUE(t.Matches(100));
}

TEST(MsgTable, NotFoundTextWritesTheNumberInUpperCaseHex) {
  EXPECT_EQ(NotFoundText(0x200), "Message &H200 not found in table");
  EXPECT_EQ(NotFoundText(0x2A3), "Message &H2A3 not found in table");
  EXPECT_EQ(HexNumber(-2), "&HFFFFFFFE");
}

}  // namespace
}  // namespace kes::hook

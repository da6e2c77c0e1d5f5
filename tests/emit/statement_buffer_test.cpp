#include "emit/statement_buffer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "emit/module_writer.h"

namespace korva {
namespace {

std::vector<std::string> Entries(const StatementBuffer& buffer) {
  std::vector<std::string> out;
  for (int i = 1; i <= buffer.Used(); ++i) out.push_back(buffer.Entry(i));
  return out;
}

TEST(StatementBuffer, ProvisionalNumbersFollowThePositionThroughInsertions) {
  StatementBuffer body;
  body.Append(" a");
  body.Append(" step1");
  body.Append(" step2");
  body.InsertBeforeLast(2, " rep1");  // before the two per-step lines
  body.InsertBeforeLast(2, " rep2");  // again at the same place
  body.InsertBeforeLast(0, " last");
  body.InsertBeforeLast(99, " first");  // more than there are: at the start
  EXPECT_EQ(Entries(body), (std::vector<std::string>{" 10 first", " 20 a", " 30 rep1", " 40 rep2", " 50 step1",
                                                     " 60 step2", " 70 last"}));
  body.Append(" tail");
  EXPECT_EQ(body.Entry(8), " 80 tail");
}

TEST(StatementBuffer, MarkAndRollBackDropOnlyWhatCameAfter) {
  StatementBuffer calc;
  calc.Append(" x=1");
  calc.Append(" y=2");
  int mark = calc.Mark();
  calc.Append(" z=3");
  calc.InsertBeforeLast(1, " w=4");
  calc.RollBack(mark);
  EXPECT_EQ(Entries(calc), (std::vector<std::string>{" 10 x=1", " 20 y=2"}));
  calc.InsertBeforeLast(1, " v=5");
  mark = calc.Mark();
  calc.RollBack(1);  // a mark inside the part after an opening
  EXPECT_EQ(Entries(calc), (std::vector<std::string>{" 10 x=1"}));
  calc.Clear();
  EXPECT_EQ(calc.Used(), 0);
}

TEST(StatementBuffer, ReplacedEntryIsKeptWholeWithoutProvisionalNumber) {
  StatementBuffer calc;
  calc.Append(" x=1");
  calc.Append(" y=2");
  calc.Replace(2, " 20 y=3");
  EXPECT_EQ(calc.Entry(2), " 20 y=3");
  calc.Replace(1, "10");
  EXPECT_EQ(calc.Entry(1), "10");
  EXPECT_THROW(calc.Entry(3), std::out_of_range);
}

TEST(StatementBuffer, RenumberingRules) {
  StatementBuffer buffer;
  buffer.Append(" a=1");        // "0 " ends the provisional number
  buffer.Append("b=10 :c");     // no blank after the number: the first "0 " in the text counts
  buffer.Append("");            // a number alone
  buffer.Append("REMARK");      // no "0 ", a comment
  buffer.Append("x=1");         // no "0 ", no comment
  buffer.Replace(2, "b=10 :c");
  // After 7 statements already written, entry i becomes statement (7 + i) × 10.
  EXPECT_EQ(buffer.Renumbered(1, 7, FlushRule::kNumberAlone), " 80 a=1");
  EXPECT_EQ(buffer.Renumbered(2, 7, FlushRule::kNumberAlone), " 90 :c");
  EXPECT_EQ(buffer.Renumbered(3, 7, FlushRule::kNumberAlone), " 100");
  EXPECT_EQ(buffer.Renumbered(5, 7, FlushRule::kNumberAlone), " 120");
  EXPECT_EQ(buffer.Renumbered(3, 7, FlushRule::kMarkError), " 100 ERROR  30");
  EXPECT_EQ(buffer.Renumbered(4, 7, FlushRule::kMarkError), " 40REMARK");
  EXPECT_EQ(buffer.Renumbered(5, 7, FlushRule::kMarkError), " 120 ERROR  50x=1");
}

TEST(StatementBuffer, OpeningsAtTheSamePlaceStayCheapForThousandsOfLines) {
  // The set-up's pattern: per-repetition lines opened before a growing group
  // of per-step lines. The result must keep both groups in their order.
  StatementBuffer body;
  const int inputs = 20000;
  for (int i = 0; i < inputs; ++i) {
    body.InsertBeforeLast(i, " r" + std::to_string(i));
    body.Append(" s" + std::to_string(i));
  }
  ASSERT_EQ(body.Used(), 2 * inputs);
  EXPECT_EQ(body.Entry(1), " 10 r0");
  EXPECT_EQ(body.Entry(inputs), " " + std::to_string(inputs * 10) + " r" + std::to_string(inputs - 1));
  EXPECT_EQ(body.Entry(inputs + 1), " " + std::to_string((inputs + 1) * 10) + " s0");
  EXPECT_EQ(body.Entry(2 * inputs), " " + std::to_string(2 * inputs * 10) + " s" + std::to_string(inputs - 1));
}

}  // namespace
}  // namespace korva

#include "blocks/division.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(Division, SubsystemIdentifiersArePaddedToTheWidestNumber) {
  EXPECT_EQ(SubsystemId(3, 9), "SUB3");
  EXPECT_EQ(SubsystemId(1, 10), "SUB1 ");
  EXPECT_EQ(SubsystemId(10, 10), "SUB10");
  EXPECT_EQ(SubsystemId(7, 100), "SUB7  ");
  EXPECT_EQ(SubsystemNameLine(2, 12), "SUB2  Subsistema número 2");
}

TEST(Division, EquationBlocksTakeTheHeadLineAndItsIndentedContinuations) {
  EquationBlocks g({"AB AB = 1", "   + 2", "  no es continuacion", "CD CD = AB", "AB AB = 3", "   + 4", "ABX = 5"}, 2);
  std::vector<std::string> out;
  g.AppendBlocks("AB", out);
  EXPECT_EQ(out, (std::vector<std::string>{"AB AB = 1", "   + 2", "AB AB = 3", "   + 4", "ABX = 5"}));
  out.clear();
  g.AppendBlocks("CD", out);
  EXPECT_EQ(out, (std::vector<std::string>{"CD CD = AB"}));
  out.clear();
  g.AppendBlocks("EF", out);
  EXPECT_TRUE(out.empty());
}

TEST(Division, SuppliersAreTheSubsystemsComputingAnInput) {
  // Elements 1..4. SUB1 computes 3 from 1; SUB2 computes 4 from 3 and 1;
  // SUB3 holds 1 as its input only, like SUB1: sharing inputs connects nothing.
  Subsystems subs;
  subs.SubCount = 3;
  subs.SubMembers = {{}, {3, 1}, {4, 3, 1}, {2, 1}};
  subs.SubExpanded = {{}, {1, 0}, {1, 0, 0}, {1, 0}};
  std::vector<std::vector<int>> suppliers = SubsystemSuppliers(subs, 4);
  EXPECT_EQ(suppliers, (std::vector<std::vector<int>>{{}, {}, {1}, {}}));
  ModelTables level = SubsystemModel(subs, suppliers);
  EXPECT_EQ(FindSubsystem(level, "SUB2"), 2);
  EXPECT_EQ(FindSubsystem(level, "SUB4"), 0);
  EXPECT_EQ(SubsystemConnectionLines(level), (std::vector<std::string>{"SUB1   ", "SUB2    SUB1", "SUB3   "}));
}

}  // namespace
}  // namespace korva

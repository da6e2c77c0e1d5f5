// The statistics code's labels: as written, or moved past the lines of a
// model large enough to reach them, with every jump moved alike.
#include "simulator/result_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korva {
namespace {

std::vector<std::string> Emitted(long highestLabel) {
  MemorySink sink;
  ModuleWriter out(sink);
  EmitResultStatistics(out, highestLabel, 240);
  return sink.lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ResultStatistics, LabelsAsWrittenOrPastALargeModel) {
  std::vector<std::string> usual = Emitted(560);
  EXPECT_EQ(usual.front(), "9000 'cls:print");
  EXPECT_TRUE(Has(usual, "9010 N = NGLXI + 1: ReDim DIS(NR), FR(N), FT(N): R0 = 0.000001"));
  EXPECT_TRUE(Has(usual, "         B = B + RA: If A < B And A >= B - RA Then FR(L) = FR(L) + 1: GoTo 9100"));
  EXPECT_TRUE(Has(usual, "9120   Write #3, XM, XS, XI"));
  EXPECT_TRUE(Has(usual, "         Print #3, XI; \",0,0\""));
  EXPECT_TRUE(Has(usual, "9132 nx = nx + 1: Next: 'cls:print"));
  EXPECT_EQ(usual.back(), "     If UCase$(UA) = \"S\" Then GoTo 240");

  std::vector<std::string> large = Emitted(12340);
  EXPECT_EQ(large.front(), "29000 'cls:print");
  EXPECT_TRUE(Has(large, "         B = B + RA: If A < B And A >= B - RA Then FR(L) = FR(L) + 1: GoTo 29100"));
  EXPECT_TRUE(Has(large, "29135 Close #2, #3"));
  EXPECT_EQ(large.back(), usual.back()) << "the new simulation still begins at 240";
  for (const std::string& line : large) {
    size_t go = line.find("GoTo 9");
    EXPECT_EQ(go, std::string::npos) << line;
  }
}

}  // namespace
}  // namespace korva

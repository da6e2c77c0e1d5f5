// The loops of an influence graph: each set of elements that influence one
// another round a cycle, found without recursion however long the cycle.
#include <gtest/gtest.h>

#include "diagram/model_graph.h"

namespace korva {
namespace {

TEST(FindLoops, CyclesSelfInfluenceAndWhatMerelyFollowsThem) {
  // 0 -> 1 -> 2 is a chain; 3 influences itself; 4, 5, 6 go round; 7 and 8
  // influence each other and 9 only follows 8.
  const std::vector<std::pair<int, int>> connections = {{0, 1}, {1, 2}, {3, 3}, {4, 5}, {5, 4}, {5, 6},
                                                        {6, 4}, {7, 8}, {8, 7}, {8, 9}, {2, 4}};
  EXPECT_EQ(FindLoops(10, connections), (std::vector<std::vector<int>>{{3}, {4, 5, 6}, {7, 8}}));
  EXPECT_TRUE(FindLoops(3, {{0, 1}, {1, 2}, {0, 2}}).empty());
}

TEST(FindLoops, ACycleOfThreeHundredThousandElements) {
  const int n = 300000;
  std::vector<std::pair<int, int>> connections;
  for (int i = 0; i < n; ++i) connections.emplace_back(i, (i + 1) % n);
  std::vector<std::vector<int>> loops = FindLoops(n, connections);
  ASSERT_EQ(loops.size(), 1u);
  EXPECT_EQ(loops[0].size(), static_cast<size_t>(n));
}

}  // namespace
}  // namespace korva

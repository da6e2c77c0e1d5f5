#include "vbrun/vb_random.h"

#include <gtest/gtest.h>

#include <vector>

namespace korva::vbrun {
namespace {

std::vector<float> Take(VbRandom& random, int count) {
  std::vector<float> values;
  for (int i = 0; i < count; ++i) values.push_back(random.Next());
  return values;
}

TEST(VbRandom, StartsWithTheLanguagesOwnSequence) {
  VbRandom random;
  EXPECT_NEAR(random.Next(), 0.7055475, 1e-7);
  EXPECT_NEAR(random.Next(1.5f), 0.533424, 1e-7);
  EXPECT_NEAR(random.Next(0), 0.533424, 1e-7) << "Rnd(0) repeats the last value";
}

TEST(VbRandom, NegativeArgumentGivesTheSameValueFromAnyState) {
  VbRandom fresh, used;
  Take(used, 10);
  EXPECT_NEAR(fresh.Next(-1), 0.224007, 1e-6);
  EXPECT_EQ(used.Next(-1), fresh.Next(-1));
  EXPECT_EQ(Take(used, 5), Take(fresh, 5));
  EXPECT_NE(fresh.Next(-1), fresh.Next(-2));
}

TEST(VbRandom, RandomizeSeedReproducesARunFromTheSameState) {
  VbRandom a, b, c;
  a.Randomize(42);
  b.Randomize(42);
  c.Randomize(43);
  const std::vector<float> run = Take(a, 8);
  EXPECT_EQ(run, Take(b, 8));
  EXPECT_NE(run, Take(c, 8));

  // Randomize keeps the low bits of the state: the same seed later in a run
  // starts elsewhere, unless Rnd with a negative argument resets it first.
  a.Randomize(42);
  EXPECT_NE(Take(a, 8), run);
  a.Next(-1);
  a.Randomize(42);
  b.Next(-1);
  b.Randomize(42);
  EXPECT_EQ(Take(a, 8), Take(b, 8));
}

}  // namespace
}  // namespace korva::vbrun

// Starting a typed list again keeps the list written before under its own
// name: what was typed earlier is never lost by an "e".
#include <gtest/gtest.h>

#include "model/element_list.h"
#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::TempDir;

const std::string kKept = "La lista anterior queda guardada en BLR.txt";

TEST(ListRestart, TheEarlierListIsKeptAndTheNewOneTyped) {
  TempDir dir;
  dir.Write("LR.txt", "AA x\r\nBB y\r\n");
  dir.Write("BLR.txt", "mas antigua\r\n");
  ActivityRun a(dir.workDir(), "R", {"n", "e", "3", "CC z", "", "n", ""});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_TRUE(a.Showed(kKept));
  EXPECT_EQ(dir.Read("LR.txt"), "CC z\r\n");
  EXPECT_EQ(dir.Read("BLR.txt"), "AA x\r\nBB y\r\n") << "the older copy gives way to the list just replaced";
}

// The run ends before a name is typed: the list written before stands in its copy.
TEST(ListRestart, EndOfInputAfterStartingAgainLosesNothing) {
  TempDir dir;
  dir.Write("LR.txt", "AA x\r\nBB y\r\n");
  ActivityRun a(dir.workDir(), "R", {"n", "e", "3"});
  EXPECT_EQ(a.Try(ElementListDialogue), EndReason::kEndOfInput);
  EXPECT_EQ(dir.Read("BLR.txt"), "AA x\r\nBB y\r\n");
}

TEST(ListRestart, NoCopyOfAMissingOrBlankList) {
  for (const char* earlier : {"", "\r\n  \r\n"}) {
    TempDir dir;
    if (*earlier != '\0') dir.Write("LR.txt", earlier);
    ActivityRun a(dir.workDir(), "R", {"n", "e", "3", "CC z", "", "n", ""});
    ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
    EXPECT_FALSE(a.Showed(kKept));
    EXPECT_FALSE(dir.Has("BLR.txt"));
    EXPECT_EQ(dir.Read("LR.txt"), "CC z\r\n");
  }
}

}  // namespace
}  // namespace korva

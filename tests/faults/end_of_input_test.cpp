// The input ends at every question of a whole create dialogue: each run ends
// cleanly, says why, keeps every answer it was given in the log, and leaves
// the files as they stood when the question was asked, nothing half-written
// and no temporary behind.
#include <gtest/gtest.h>

#include <chrono>

#include "faults/population_dialogue.h"

namespace korva {
namespace {

using testing::FilesIn;
using testing::FirstRecords;
using testing::Outcome;
using testing::PopulationAnswers;
using testing::PopulationReferenceRun;
using testing::TempDir;

TEST(EndOfInputFault, AtEveryQuestionTheRunEndsCleanlyWithEveryAnswerGivenLogged) {
  const testing::PopulationReference& ref = PopulationReferenceRun();
  ASSERT_TRUE(ref.ok) << ref.failure;
  const std::vector<std::string>& answers = PopulationAnswers();
  const size_t n = answers.size();
  const auto start = std::chrono::steady_clock::now();
  for (size_t k = 0; k <= n; ++k) {
    SCOPED_TRACE("input ends after " + std::to_string(k) + " answers");
    TempDir dir;
    testing::PreparePopulation(dir.dir());
    Outcome run = testing::RunToEnd(testing::PopulationRun(dir.dir()),
                                    testing::AnswerLines(answers.begin(), answers.begin() + static_cast<long>(k)));
    ASSERT_NE(run.status, -1) << "the run did not end";
    EXPECT_FALSE(run.sanitizerSpoke) << run.err;
    if (k < n) {
      EXPECT_EQ(run.status, 1);
      EXPECT_NE(run.err.find("la entrada ha terminado"), std::string::npos) << run.err;
      // Every answer went to the question it was meant for, and the one left
      // unanswered is the next one.
      EXPECT_EQ(testing::PromptsIn(run.out), k + 1);
    } else {
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.err, "");
    }

    testing::Files left = FilesIn(dir.dir());
    EXPECT_EQ(testing::Temporaries(left), std::vector<std::string>{});
    EXPECT_EQ(left[testing::kPopulationLogName], FirstRecords(ref.log, ref.recordsAt[k]))
        << "the log holds the records of the answers given, whole, and nothing else";
    left.erase(testing::kPopulationLogName);
    // What stood when the question was asked stands still, completed by what
    // was written but not yet flushed; a file being written through a
    // temporary is in place with what was written of it, but for a module:
    // one not finished is never left under its name.
    const testing::Files& then = ref.filesAt[k];
    for (const auto& [name, bytes] : then) {
      std::string target = name;
      while (testing::IsTemporary(target)) target = target.substr(1, target.find(".korva-tmp-") - 1);
      if (target.ends_with(".bas") || target.ends_with(".tem")) {
        if (testing::IsTemporary(name)) {
          EXPECT_FALSE(left.count(target)) << target << " was left unfinished";
        }
        continue;
      }
      ASSERT_TRUE(left.count(target)) << target << " is missing";
      EXPECT_TRUE(left[target].starts_with(bytes)) << target << " lost what it held";
    }
    for (const auto& [name, bytes] : left) {
      bool known = then.count(name) != 0;
      for (const auto& [thenName, thenBytes] : then) {
        known = known || (testing::IsTemporary(thenName) && thenName.starts_with("." + name + ".korva-tmp-"));
      }
      EXPECT_TRUE(known) << name << " was written after the input ended";
    }
  }
  RecordProperty("seconds", static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(
                                                 std::chrono::steady_clock::now() - start)
                                                 .count()));
}

}  // namespace
}  // namespace korva

// korva killed (SIGKILL) somewhere in a whole create dialogue, then run again
// on the same answers log with the answers still to give: the model's files
// come out byte for byte as from one uninterrupted run.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "faults/population_dialogue.h"

namespace korva {
namespace {

using testing::Files;
using testing::FilesIn;
using testing::KorvaProcess;
using testing::LogRecords;
using testing::Outcome;
using testing::PopulationAnswers;
using testing::PopulationReference;
using testing::PopulationReferenceRun;
using testing::TempDir;

// The answers the second run needs after the first left `recorded` whole
// records in the log: the questions that are not logged are asked again while
// the log is replayed, and everything from the first logged answer the log
// lacks is asked anew.
std::string AnswersToResume(const PopulationReference& ref, size_t recorded) {
  const std::vector<std::string>& answers = PopulationAnswers();
  size_t last = 0;  // the last question asked with no more than `recorded` records in the log
  for (size_t j = 0; j <= answers.size(); ++j) {
    if (ref.recordsAt[j] <= recorded) last = j;
  }
  // Records beyond those at question `last` are the start of that answer's
  // own: the answer itself was recorded.
  size_t resume = recorded > ref.recordsAt[last] ? last + 1 : last;
  std::string text;
  for (size_t j = 0; j < resume && j < answers.size(); ++j) {
    if (!ref.Logged(j)) text += answers[j] + "\n";
  }
  return text + testing::AnswerLines(answers.begin() + static_cast<long>(std::min(resume, answers.size())),
                                     answers.end());
}

// Kills the run given the first `k` answers (and the answer k, `delayMs`
// after it was written, when `delayMs` is not negative), resumes it, and
// compares the files with the uninterrupted run's.
void KillAndResume(const PopulationReference& ref, size_t k, int delayMs) {
  const std::vector<std::string>& answers = PopulationAnswers();
  TempDir dir;
  testing::PreparePopulation(dir.dir());
  {
    KorvaProcess korva(testing::PopulationRun(dir.dir()));
    for (size_t j = 0; j < k; ++j) {
      ASSERT_TRUE(korva.WaitForPrompts(j + 1)) << korva.out();
      korva.Answer(answers[j]);
    }
    ASSERT_TRUE(korva.WaitForPrompts(k + 1)) << korva.out();
    if (delayMs >= 0) {
      korva.Answer(answers[k]);
      std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    }
    korva.Kill();
    korva.Finish();
    EXPECT_FALSE(korva.SanitizerSpoke()) << korva.err();
  }
  const std::string log = dir.Read(testing::kPopulationLogName);
  const size_t recorded = LogRecords(log).size();
  ASSERT_EQ(log, testing::FirstRecords(ref.log, recorded))
      << "the killed run's log is the start of the uninterrupted run's, in whole records";

  Outcome resumed = testing::RunToEnd(testing::PopulationRun(dir.dir()), AnswersToResume(ref, recorded));
  EXPECT_EQ(resumed.status, 0) << testing::Tail(resumed.out);
  EXPECT_FALSE(resumed.sanitizerSpoke) << resumed.err;
  // The temporaries the killed run could not take away went with the next
  // run; everything is the uninterrupted run's, the log included.
  Files left = FilesIn(dir.dir());
  EXPECT_EQ(testing::Temporaries(left), std::vector<std::string>{});
  for (const auto& [name, bytes] : ref.final) {
    ASSERT_TRUE(left.count(name)) << name << " is missing";
    EXPECT_TRUE(left[name] == bytes) << name << " differs from the uninterrupted run's";
  }
  for (const auto& [name, bytes] : left) EXPECT_TRUE(ref.final.count(name)) << name << " was not written by it";
}

TEST(InterruptedReplayFault, KilledWaitingForAnAnswerThenResumedGivesTheSameFiles) {
  const PopulationReference& ref = PopulationReferenceRun();
  ASSERT_TRUE(ref.ok) << ref.failure;
  const size_t n = PopulationAnswers().size();
  // The first and last questions and one in each stage of the dialogue.
  for (size_t k : {size_t{0}, size_t{3}, size_t{5}, size_t{8}, size_t{12}, size_t{15}, size_t{17}, size_t{22},
                   size_t{25}, size_t{31}, size_t{35}, n - 1}) {
    SCOPED_TRACE("killed at question " + std::to_string(k));
    KillAndResume(ref, k, -1);
  }
}

TEST(InterruptedReplayFault, KilledWhileWorkingOnAnAnswerThenResumedGivesTheSameFiles) {
  const PopulationReference& ref = PopulationReferenceRun();
  ASSERT_TRUE(ref.ok) << ref.failure;
  const size_t n = PopulationAnswers().size();
  // Answers that make files (list, matrix, order, equations, the data-entry
  // program and the simulator's head, the functions, the end of the cycle),
  // killed at once or a little later while korva works on them.
  int delay = 0;
  for (size_t k : {size_t{5}, size_t{7}, size_t{8}, size_t{11}, size_t{13}, size_t{21}, size_t{23}, size_t{27},
                   size_t{35}, n - 1, n - 1, n - 1}) {
    SCOPED_TRACE("killed " + std::to_string(delay) + " ms after answer " + std::to_string(k));
    KillAndResume(ref, k, delay);
    delay = (delay + 3) % 16;
  }
}

}  // namespace
}  // namespace korva

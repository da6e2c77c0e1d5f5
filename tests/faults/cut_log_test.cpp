// An answers log cut after any of its records, as a run killed or starved of
// disk at that record leaves it, is resumed by a later run; the resumed log
// must be the log of one uninterrupted run, so that it replays, and the
// modules must be that run's. The prey and predators example is answered from
// nothing once to learn every question's answer; each resumed run is then
// answered by its questions, in-process and again as a process of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "dispatch/main_dialogue.h"
#include "dispatch/run_state.h"
#include "support/file_lines.h"
#include "support/korva_process.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// The example's dialogue answered from nothing (log 1 does not exist yet);
// the working directory is asked first.
const std::vector<std::string> kAnswers = {
    "1", "c", "PRE", "seguir las poblaciones de presas y predadores", "s", "s", "n", "s", "n", "s", "n", "s", "n",
    "n", "s", "n", "s", "dia", "a", "s", "n", "0", "n", "s", "s", "n", "0", "n", "s", "n", "s", "n", "0", "n",
    "s", "n", "0", "n", "s", "n", "0", "n", "s", "n", "n", "n", "s", "XAN", "n", "n", "1",
    "XPR = XAN + dt * (ACP * XAN - BDP * XAN * YAN)", "n", "s", "n", "s", "YAN", "n", "n", "1",
    "YPR = YAN + dt * (DCD * XAN * YAN - CMD * YAN)", "n", "s", "n"};

const char* const kFiles[] = {"MODELO1.txt", "SPRE.bas", "DPRE.bas", "RPRE.bas"};

// Answers every question from what one run answered it: by the prompt and
// the number of records the log held when it was asked (a question of the
// log is asked at the same place of the log in every run), or by the prompt
// alone when that run gave it one answer only. Built from a list, it answers
// from the list and learns.
class AnsweringDialogue : public Dialogue {
 public:
  AnsweringDialogue(std::string log, std::vector<std::string> answers = {})
      : log_(std::move(log)), list_(answers.begin(), answers.end()) {}
  void Learn(const AnsweringDialogue& run) { known_ = run.known_; }

  void MessageBox(const std::string&) override {}
  std::optional<std::string> InputBox(const std::string& prompt) override {
    const size_t records = RecordsNow();
    if (!list_.empty()) {
      std::string answer = list_.front();
      list_.pop_front();
      known_.byPlace[{prompt, records}] = answer;
      auto [it, added] = known_.byPrompt.emplace(prompt, answer);
      if (it->second != answer) known_.ambiguous.insert(prompt);
      given.push_back(answer);
      return answer;
    }
    auto place = known_.byPlace.find({prompt, records});
    auto alone = known_.byPrompt.find(prompt);
    if (place != known_.byPlace.end()) {
      given.push_back(place->second);
    } else if (alone != known_.byPrompt.end() && !known_.ambiguous.contains(prompt)) {
      given.push_back(alone->second);
    } else {
      unknown.push_back(prompt);
      return std::nullopt;
    }
    return given.back();
  }
  std::vector<std::string> given;
  std::vector<std::string> unknown;

 private:
  size_t RecordsNow() const {
    std::ifstream in(log_, std::ios::binary);
    return static_cast<size_t>(std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
  }
  struct Known {
    std::map<std::pair<std::string, size_t>, std::string> byPlace;
    std::map<std::string, std::string> byPrompt;
    std::set<std::string> ambiguous;
  };
  std::string log_;
  std::deque<std::string> list_;
  Known known_;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n" + line;
  return text;
}

void CopyExampleInputs(const TempDir& dir) {
  const fs::path example = fs::path(KORVA_SOURCE_DIR) / "examples" / "presas";
  for (const char* name : {"LPRE.txt", "CPRE.txt"}) fs::copy_file(example / name, dir / name);
}

TEST(CutLogFault, ALogCutAfterAnyRecordIsResumedIntoTheLogOfOneRun) {
  // The uninterrupted run, and the answer of every question it asked.
  TempDir whole;
  CopyExampleInputs(whole);
  std::vector<std::string> answers = kAnswers;
  answers.insert(answers.begin(), whole.dir());
  AnsweringDialogue learner(whole / "MODELO1.txt", answers);
  {
    FileSystem files;
    RunState run(learner, files);
    ASSERT_EQ(MainDialogue(run), 0);
  }
  const std::string log = whole.Read("MODELO1.txt");
  const std::vector<std::string> records = testing::LinesOf(log);
  ASSERT_GT(records.size(), 60u);

  for (size_t cut = 0; cut < records.size(); ++cut) {
    SCOPED_TRACE("log cut after record " + std::to_string(cut));
    TempDir dir;
    CopyExampleInputs(dir);
    std::string head;
    for (size_t r = 0; r < cut; ++r) head += records[r] + "\r\n";
    dir.Write("MODELO1.txt", head);
    AnsweringDialogue box(dir / "MODELO1.txt", {dir.dir()});
    box.Learn(learner);
    FileSystem files;
    RunState run(box, files);
    ASSERT_EQ(MainDialogue(run), 0) << "questions not met in one run: " << Joined(box.unknown);
    for (const char* name : kFiles) EXPECT_EQ(dir.Read(name), whole.Read(name)) << name;

    // The same resume by the program itself, given the same answers on its input.
    TempDir again;
    CopyExampleInputs(again);
    again.Write("MODELO1.txt", head);
    testing::ProcessOptions options;
    options.args = {"-d", again.dir(), "-r", "1"};
    options.cwd = again.dir();
    std::string input;
    for (size_t i = 2; i < box.given.size(); ++i) input += box.given[i] + "\n";  // after directory and log
    testing::Outcome outcome = testing::RunToEnd(options, input);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    for (const char* name : kFiles) EXPECT_EQ(again.Read(name), whole.Read(name)) << name;
    if (::testing::Test::HasFailure()) break;  // one cut's report is enough
  }
}

}  // namespace
}  // namespace korva

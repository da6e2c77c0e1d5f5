#pragma once
// A create cycle of a small model "M" run in-process from the simulation
// set-up to the end of the program, with scripted answers and real files.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "model/model_fixture.h"
#include "support/dialogue_run.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva::testing {

using Lines = std::vector<std::string>;

// A create cycle of model "M" from the simulation set-up on.
struct CreateRun {
  CreateRun(const Lines& names, const Lines& matrix, Lines answers, const std::string& workDir = "")
      : a(workDir.empty() ? dir.workDir() : workDir, "M", std::move(answers)) {
    a.run.Cycle.Model = LeveledModelOf(names, matrix);
    a.run.Cycle.MainChoice = Activity::kCreate;
    a.run.Context.LogNumber = 1;
  }
  void Go() { ended = a.Try(Dispatch); }
  Lines Sim() const { return LinesOf(dir.Read("SM.bas")); }
  bool SimHas(const std::string& line) const {
    Lines sim = Sim();
    return std::find(sim.begin(), sim.end(), line) != sim.end();
  }
  size_t PromptAt(const std::string& prompt) const {
    Lines prompts = a.box.Prompts();
    return static_cast<size_t>(std::find(prompts.begin(), prompts.end(), prompt) - prompts.begin());
  }
  bool ShowedSome(const std::string& part) const {
    for (const std::string& m : a.box.Messages()) {
      if (m.find(part) != std::string::npos) return true;
    }
    return false;
  }
  TempDir dir;
  ActivityRun a;
  std::optional<EndReason> ended;
};

// Set-up answers of a static model without genetic algorithm whose inputs have no codes.
inline Lines StaticSetUp(int inputs) {
  Lines answers = {"n", "n"};
  for (int i = 0; i < inputs; ++i) answers.insert(answers.end(), {"n", "s"});
  answers.push_back("n");  // do not stop here
  return answers;
}

inline Lines Join(Lines first, const Lines& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

}  // namespace korva::testing

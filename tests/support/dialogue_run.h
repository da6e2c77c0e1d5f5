#pragma once
// Runs the program, or one activity of it, in-process with scripted answers
// and real files.
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "core/program_end.h"
#include "dispatch/activities.h"
#include "dispatch/main_dialogue.h"
#include "dispatch/run_state.h"
#include "dialogue/scripted_dialogue.h"
#include "files/file_system.h"

namespace korva::testing {

struct ScriptedRun {
  explicit ScriptedRun(std::vector<std::string> answers) : box(std::move(answers)), run(box, files) {}

  // True when some message box shows exactly this text.
  bool Showed(const std::string& text) const {
    for (const std::string& m : box.Messages()) {
      if (m == text) return true;
    }
    return false;
  }
  // How many input boxes asked exactly this prompt.
  int TimesAsked(const std::string& prompt) const {
    int n = 0;
    for (const std::string& p : box.Prompts()) n += p == prompt;
    return n;
  }

  ScriptedDialogue box;
  FileSystem files;
  RunState run;
};

// The whole program.
struct DialogueRun : ScriptedRun {
  using ScriptedRun::ScriptedRun;
  int Go() { return status = MainDialogue(run); }
  int status = -1;
};

// The activity of a menu letter ("c", "e", "b", "a"; nothing for any other).
inline std::optional<Activity> ActivityOf(const std::string& letter) {
  if (letter == "c") return Activity::kCreate;
  if (letter == "e") return Activity::kAssemble;
  if (letter == "b") return Activity::kBlocks;
  if (letter == "a") return Activity::kAnalogy;
  return std::nullopt;
}

// One activity inside a cycle: working directory, model name and menu choice
// set, answers log `logNumber` open (recording, or replaying when it exists).
struct ActivityRun : ScriptedRun {
  ActivityRun(const std::string& workDir, const std::string& modelName, std::vector<std::string> answers,
              const std::string& menuChoice = "c", int logNumber = 1)
      : ScriptedRun(std::move(answers)) {
    run.Context.WorkDir = workDir;
    run.Cycle.ModelName = modelName;
    run.Cycle.MainChoice = ActivityOf(menuChoice);
    run.Context.Log.Open(files, workDir, logNumber);
  }

  RunContext& context() { return run.Context; }
  CycleState& cycle() { return run.Cycle; }

  // Runs the activity, handed what it takes of the run state; the reason the
  // program ended, or nothing when it returned.
  template <class Step>
  std::optional<EndReason> Try(Step step) {
    try {
      if constexpr (std::is_invocable_v<Step, RunState&>) {
        step(run);
      } else if constexpr (std::is_invocable_v<Step, RunContext&, ModelCycle&, const StructurePath&>) {
        step(run.Context, run.Cycle, StructurePathFor(run.Cycle.MainChoice));
      } else if constexpr (std::is_invocable_v<Step, RunContext&, ModelCycle&>) {
        step(run.Context, run.Cycle);
      } else {
        step(run.Context, run.Cycle, run.Cycle.Sim, run.RunWide, run.Cycle.Simulator, SimulatorModule::Room{});
      }
    } catch (const ProgramEnd& end) {
      run.Context.Log.Close();
      return end.reason;
    }
    return std::nullopt;
  }
};

}  // namespace korva::testing

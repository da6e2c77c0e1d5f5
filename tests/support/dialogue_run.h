#pragma once
// Runs the program, or one activity of it, in-process with scripted answers
// and real files.
#include <optional>
#include <string>
#include <vector>

#include "core/main_dialogue.h"
#include "core/program_end.h"
#include "core/run_state.h"
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

// One activity inside a cycle: working directory, model name and menu choice
// set, answers log `logNumber` open (recording, or replaying when it exists).
struct ActivityRun : ScriptedRun {
  ActivityRun(const std::string& workDir, const std::string& modelName, std::vector<std::string> answers,
              std::string menuChoice = "c", int logNumber = 1)
      : ScriptedRun(std::move(answers)) {
    run.WorkDir = workDir;
    run.ModelName = modelName;
    run.MainChoice = std::move(menuChoice);
    run.Log.Open(files, workDir, logNumber);
  }

  // Runs the activity; the reason the program ended, or nothing when it returned.
  template <class Activity>
  std::optional<EndReason> Try(Activity activity) {
    try {
      activity(run);
    } catch (const ProgramEnd& end) {
      run.Log.Close();
      return end.reason;
    }
    return std::nullopt;
  }
};

}  // namespace korva::testing

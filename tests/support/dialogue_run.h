#pragma once
// Runs the whole program in-process with scripted answers and real files.
#include <string>
#include <vector>

#include "core/main_dialogue.h"
#include "core/run_state.h"
#include "dialogue/scripted_dialogue.h"
#include "files/file_system.h"

namespace korva::testing {

struct DialogueRun {
  explicit DialogueRun(std::vector<std::string> answers) : box(std::move(answers)), run(box, files) {}

  int Go() { return status = MainDialogue(run); }

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
  int status = -1;
};

}  // namespace korva::testing

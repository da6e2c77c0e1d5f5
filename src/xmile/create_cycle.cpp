#include "xmile/create_cycle.h"

#include "dispatch/main_dialogue.h"
#include "dispatch/run_state.h"
#include "files/file_system.h"

namespace korva::xmile {
namespace {

// The questions outside the answers log of a create cycle, and the answer of
// a modeller who goes on to the end.
struct Confirmation {
  const char* prompt;
  const char* answer;
};
constexpr Confirmation kConfirmations[] = {
    {"¿Seguimos?", "s"},
    {"¿Desea continuar?", "s"},
    {"¿Desea dejarlo para seguir en otro momento?", "n"},
    {"¿Desea corregir alguna sentencia?", "n"},
    {"¿Desea algo más?", "n"},
};

}  // namespace

void ConfirmingDialogue::MessageBox(const std::string& text) { lastMessage_ = text; }

std::optional<std::string> ConfirmingDialogue::InputBox(const std::string& prompt) {
  for (const Confirmation& c : kConfirmations) {
    if (prompt.find(c.prompt) != std::string::npos) {
      ++confirmations_;
      return std::string(c.answer);
    }
  }
  unanswered_.push_back(prompt);
  return std::nullopt;
}

CreateOutcome RunCreateCycle(const std::string& directory, int logNumber) {
  ConfirmingDialogue box;
  FileSystem files;
  RunState run(box, files);
  run.Context.GivenWorkDir = directory;
  run.Context.GivenLogNumber = logNumber;
  const int status = MainDialogue(run);
  CreateOutcome outcome;
  outcome.ok = status == 0 && box.Unanswered().empty();
  if (!box.Unanswered().empty()) {
    outcome.message = "korva preguntó algo que el fichero Modelo" + std::to_string(logNumber) +
                      ".txt no contesta: " + box.Unanswered().front();
  } else if (status != 0) {
    outcome.message = "korva se detuvo al construir los programas: " + box.LastMessage();
  }
  return outcome;
}

}  // namespace korva::xmile

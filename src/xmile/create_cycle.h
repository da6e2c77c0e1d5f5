#pragma once
// korva's own create cycle, run in this process on a prepared answers log:
// the confirmations outside the log ("¿Desea continuar?" and the like) are
// answered as a modeller who goes on would answer them; any other question
// means the log did not answer it, and stops the cycle.
#include <optional>
#include <string>
#include <vector>

#include "dialogue/dialogue.h"

namespace korva::xmile {

// Answers the create cycle's confirmations; counts, and refuses, the rest.
class ConfirmingDialogue : public Dialogue {
 public:
  void MessageBox(const std::string& text) override;
  std::optional<std::string> InputBox(const std::string& prompt) override;

  // The questions it could not answer (at most one: it ends the input there).
  const std::vector<std::string>& Unanswered() const { return unanswered_; }
  // The confirmations it answered.
  int Confirmations() const { return confirmations_; }
  // The last message shown (what korva said before a stop).
  const std::string& LastMessage() const { return lastMessage_; }

 private:
  std::vector<std::string> unanswered_;
  int confirmations_ = 0;
  std::string lastMessage_;
};

struct CreateOutcome {
  bool ok = false;
  std::string message;  // why not, Windows-1252
};

// `directory` holds the model's files and the log Modelo<logNumber>.txt.
CreateOutcome RunCreateCycle(const std::string& directory, int logNumber);

}  // namespace korva::xmile

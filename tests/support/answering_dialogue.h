#pragma once
// A dialogue that answers each input box by the first rule whose text the
// prompt holds; a rule with several answers gives them in turn and then
// repeats its last. A prompt no rule answers is the end of the input.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialogue/dialogue.h"
#include "dialogue/scripted_dialogue.h"

namespace korva::testing {

class AnsweringDialogue : public Dialogue {
 public:
  using Lines = std::vector<std::string>;
  explicit AnsweringDialogue(std::vector<std::pair<std::string, Lines>> rules) : rules_(std::move(rules)) {}
  void MessageBox(const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> InputBox(const std::string& prompt) override {
    for (auto& [text, answers] : rules_) {
      if (prompt.find(text) == std::string::npos) continue;
      std::string answer = answers.front();
      if (answers.size() > 1) answers.erase(answers.begin());
      return answer;
    }
    unanswered.push_back(prompt);
    return Unanswered(prompt);
  }
  std::optional<std::string> InputBoxWithHelp(const std::string& prompt, const HelpText& help) override {
    const std::string text = help ? help() : std::string();
    if (text.empty()) ScriptedDialogue::PromptsWithoutHelp().push_back(prompt);
    helps.push_back(text);
    return InputBox(prompt);
  }
  Lines messages;
  Lines unanswered;
  Lines helps;  // the help text of every question asked, in order

 protected:
  // The answer to a prompt no rule answers: none, the end of the input.
  virtual std::optional<std::string> Unanswered(const std::string&) { return std::nullopt; }

 private:
  std::vector<std::pair<std::string, Lines>> rules_;
};

}  // namespace korva::testing

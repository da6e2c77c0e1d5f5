#pragma once
// A dialogue driven by a queue of answers, keeping a transcript of every box:
// what the tests use to walk every path of the dialogue in-process.
#include <deque>
#include <string>
#include <vector>

#include "dialogue/dialogue.h"

namespace korva {

struct BoxRecord {
  enum Kind { kMessage, kInput } kind;
  std::string text;       // the message or the prompt (Windows-1252)
  std::string answer;     // for an input box, the answer given
  bool answered = false;  // false when the answers had run out
  std::string help;       // for an input box, the help text it carried
};

class ScriptedDialogue : public Dialogue {
 public:
  ScriptedDialogue() = default;
  explicit ScriptedDialogue(std::vector<std::string> answers);

  void Add(std::string answer) { answers_.push_back(std::move(answer)); }
  size_t remaining() const { return answers_.size(); }

  void MessageBox(const std::string& text) override;
  std::optional<std::string> InputBox(const std::string& prompt) override;
  std::optional<std::string> InputBoxWithHelp(const std::string& prompt, const HelpText& help) override;

  // The prompts of every input box asked without a help text, by any
  // scripted dialogue of the process: the tests check that there are none.
  static std::vector<std::string>& PromptsWithoutHelp();

  const std::vector<BoxRecord>& transcript() const { return transcript_; }
  // Texts of the message boxes, in order.
  std::vector<std::string> Messages() const;
  // Prompts of the input boxes, in order.
  std::vector<std::string> Prompts() const;

 private:
  std::deque<std::string> answers_;
  std::vector<BoxRecord> transcript_;
};

}  // namespace korva

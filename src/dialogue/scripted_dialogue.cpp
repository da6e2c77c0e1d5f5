#include "dialogue/scripted_dialogue.h"

namespace korva {

ScriptedDialogue::ScriptedDialogue(std::vector<std::string> answers) : answers_(answers.begin(), answers.end()) {}

void ScriptedDialogue::MessageBox(const std::string& text) {
  transcript_.push_back(BoxRecord{BoxRecord::kMessage, text, "", false, ""});
}

std::optional<std::string> ScriptedDialogue::InputBox(const std::string& prompt) {
  if (answers_.empty()) {
    transcript_.push_back(BoxRecord{BoxRecord::kInput, prompt, "", false, ""});
    return std::nullopt;
  }
  std::string answer = std::move(answers_.front());
  answers_.pop_front();
  transcript_.push_back(BoxRecord{BoxRecord::kInput, prompt, answer, true, ""});
  return answer;
}

std::optional<std::string> ScriptedDialogue::InputBoxWithHelp(const std::string& prompt, const HelpText& help) {
  const std::string text = help ? help() : std::string();
  if (text.empty()) PromptsWithoutHelp().push_back(prompt);
  std::optional<std::string> answer = InputBox(prompt);
  transcript_.back().help = text;
  return answer;
}

std::vector<std::string>& ScriptedDialogue::PromptsWithoutHelp() {
  static std::vector<std::string> prompts;
  return prompts;
}

std::vector<std::string> ScriptedDialogue::Messages() const {
  std::vector<std::string> out;
  for (const BoxRecord& box : transcript_) {
    if (box.kind == BoxRecord::kMessage) out.push_back(box.text);
  }
  return out;
}

std::vector<std::string> ScriptedDialogue::Prompts() const {
  std::vector<std::string> out;
  for (const BoxRecord& box : transcript_) {
    if (box.kind == BoxRecord::kInput) out.push_back(box.text);
  }
  return out;
}

}  // namespace korva

#pragma once
// The modal boxes through which the modeller and the system talk: a message box
// (text and OK) and an input box (prompt, text field, OK and Cancel). Texts are
// Windows-1252; a multi-line text has its lines joined by LF.
#include <optional>
#include <string>

namespace korva {

class Dialogue {
 public:
  virtual ~Dialogue() = default;

  virtual void MessageBox(const std::string& text) = 0;

  // The answer typed, empty for Cancel; nothing when the input has ended and
  // no answer can ever come.
  virtual std::optional<std::string> InputBox(const std::string& prompt) = 0;
};

}  // namespace korva

#pragma once
// The modal boxes through which the modeller and the system talk: a message box
// (text and OK) and an input box (prompt, text field, OK and Cancel). Texts are
// Windows-1252; a multi-line text has its lines joined by LF.
#include <functional>
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

  // The question's help text (Windows-1252, LF-separated; empty when it has
  // none), looked up only when a front-end needs it.
  using HelpText = std::function<std::string()>;

  // An input box that carries the question's help. A front-end where a person
  // answers may show the help on request ("?" or "ayuda" on a terminal, a
  // button elsewhere) and ask the same question again: the request is never
  // an answer. Where it cannot, as from a pipe, this is the plain input box.
  virtual std::optional<std::string> InputBoxWithHelp(const std::string& prompt, const HelpText& help) {
    (void)help;
    return InputBox(prompt);
  }

  // A line on the progress of a long step (Windows-1252); `finished` closes
  // it. A front-end may show it or not; boxes shown later take it away.
  virtual void Progress(const std::string& line, bool finished) {
    (void)line;
    (void)finished;
  }
  // Takes an unfinished progress line away before other output to the screen.
  virtual void ClearProgress() {}
};

}  // namespace korva

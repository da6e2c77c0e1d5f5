#pragma once
// The boxes on a terminal or a pipe. A box shows each LF-separated piece of its
// text on a line of its own, then an empty line. A message box then waits for
// Enter when the input is a terminal; an input box writes "> " and reads one
// line, whose line end (LF or CR LF) is not part of the answer. Text shown is
// UTF-8; typed text is taken as UTF-8 (or Windows-1252 where it is not valid UTF-8).
//
// When both the input and the output are a terminal, the boxes are dressed for
// a person: each opens with a rule that names it ("Mensaje", "Pregunta"), its
// text is folded at the terminal's width (80 columns at most), a message waits
// at "[Intro] " instead of after an empty line, and answers are read with line
// editing and the run's history. Progress lines go to the error stream when it
// is a terminal. None of this happens when the input is not a terminal.
//
// When the input is a terminal, "?" or "ayuda" typed at a question that has a
// help text shows the text (in a box of its own, "Ayuda", when dressed) and
// asks the question again. From a pipe they are answers like any other.
#include <cstdio>
#include <memory>

#include "dialogue/dialogue.h"
#include "dialogue/line_reader.h"
#include "dialogue/progress_line.h"

namespace korva {

class TerminalDialogue : public Dialogue {
 public:
  struct Options {
    bool waitsForEnter = false;  // a message box waits for Enter
    bool dressed = false;        // rules, folding and the "[Intro] " wait
    bool editing = false;        // line editing and history
    bool progress = false;       // progress lines on the error stream
    bool helpOnRequest = false;  // "?" or "ayuda" shows a question's help
    int width = 80;              // folding width of a dressed box
  };

  // The plain protocol; a message box waits for Enter when `interactive`.
  TerminalDialogue(std::FILE* in, std::FILE* out, bool interactive);
  TerminalDialogue(std::FILE* in, std::FILE* out, std::FILE* err, const Options& options);
  // On the process's standard streams, dressed as they allow.
  static TerminalDialogue Standard();

  void MessageBox(const std::string& text) override;
  std::optional<std::string> InputBox(const std::string& prompt) override;
  std::optional<std::string> InputBoxWithHelp(const std::string& prompt, const HelpText& help) override;
  void Progress(const std::string& line, bool finished) override;
  void ClearProgress() override;

 private:
  void ShowText(const std::string& text);

  std::FILE* in_;
  std::FILE* out_;
  Options options_;
  std::unique_ptr<LineReader> reader_;
  ProgressLine progress_;
};

}  // namespace korva

#pragma once
// The boxes on a terminal or a pipe. A box shows each LF-separated piece of its
// text on a line of its own, then an empty line. A message box then waits for
// Enter when the input is a terminal; an input box writes "> " and reads one
// line, whose line end (LF or CR LF) is not part of the answer. Text shown is
// UTF-8; typed text is taken as UTF-8 (or Windows-1252 where it is not valid UTF-8).
#include <cstdio>

#include "dialogue/dialogue.h"

namespace korva {

class TerminalDialogue : public Dialogue {
 public:
  TerminalDialogue(std::FILE* in, std::FILE* out, bool interactive);
  // On the process's standard input and output; interactive when stdin is a terminal.
  static TerminalDialogue Standard();

  void MessageBox(const std::string& text) override;
  std::optional<std::string> InputBox(const std::string& prompt) override;

 private:
  void ShowText(const std::string& text);
  bool ReadLine(std::string& line);

  std::FILE* in_;
  std::FILE* out_;
  bool interactive_;
};

}  // namespace korva

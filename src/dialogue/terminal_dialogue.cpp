#include "dialogue/terminal_dialogue.h"

#include <unistd.h>

#include "text/cp1252.h"

namespace korva {

TerminalDialogue::TerminalDialogue(std::FILE* in, std::FILE* out, bool interactive)
    : in_(in), out_(out), interactive_(interactive) {}

TerminalDialogue TerminalDialogue::Standard() { return TerminalDialogue(stdin, stdout, ::isatty(0) != 0); }

void TerminalDialogue::ShowText(const std::string& text) {
  // Each LF-separated piece on its own line: a trailing LF gives a last empty piece.
  std::string shown = Cp1252ToUtf8(text);
  std::fputs(shown.c_str(), out_);
  std::fputs("\n\n", out_);
}

bool TerminalDialogue::ReadLine(std::string& line) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::fgetc(in_)) != EOF) {
    any = true;
    if (c == '\n') break;
    line += static_cast<char>(c);
  }
  if (!any) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void TerminalDialogue::MessageBox(const std::string& text) {
  ShowText(text);
  std::fflush(out_);
  if (interactive_) {
    std::string ignored;
    ReadLine(ignored);
  }
}

std::optional<std::string> TerminalDialogue::InputBox(const std::string& prompt) {
  ShowText(prompt);
  std::fputs("> ", out_);
  std::fflush(out_);
  std::string line;
  if (!ReadLine(line)) {
    std::fputs("\n", out_);
    std::fflush(out_);
    return std::nullopt;
  }
  return Utf8ToCp1252(line);
}

}  // namespace korva

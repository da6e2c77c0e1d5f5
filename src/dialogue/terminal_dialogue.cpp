#include "dialogue/terminal_dialogue.h"

#include <unistd.h>

#include "dialogue/help_catalogue.h"
#include "dialogue/terminal_style.h"
#include "text/cp1252.h"

namespace korva {

TerminalDialogue::TerminalDialogue(std::FILE* in, std::FILE* out, bool interactive)
    : TerminalDialogue(in, out, stderr, Options{interactive, false, false, false, interactive, 80}) {}

TerminalDialogue::TerminalDialogue(std::FILE* in, std::FILE* out, std::FILE* err, const Options& options)
    : in_(in),
      out_(out),
      options_(options),
      reader_(options.editing ? MakeEditingReader(in, out) : MakeStreamReader(in, out)),
      progress_(err, options.progress) {}

TerminalDialogue TerminalDialogue::Standard() {
  Options options;
  options.waitsForEnter = ::isatty(0) != 0;
  options.dressed = options.waitsForEnter && ::isatty(1) != 0;
  options.editing = options.dressed;
  options.progress = ::isatty(2) != 0;
  options.helpOnRequest = options.waitsForEnter;
  options.width = options.dressed ? TerminalWidth(1, 80) : 80;
  return TerminalDialogue(stdin, stdout, stderr, options);
}

void TerminalDialogue::ShowText(const std::string& text) {
  if (!options_.dressed) {
    // Each LF-separated piece on its own line: a trailing LF gives a last empty piece.
    std::string shown = Cp1252ToUtf8(text);
    std::fputs(shown.c_str(), out_);
    std::fputs("\n\n", out_);
    return;
  }
  for (const std::string& line : FoldText(text, options_.width)) {
    std::fputs(Cp1252ToUtf8(line).c_str(), out_);
    std::fputs("\n", out_);
  }
}

void TerminalDialogue::MessageBox(const std::string& text) {
  progress_.Clear();
  if (options_.dressed) std::fprintf(out_, "\n%s\n", BoxRule("Mensaje", options_.width).c_str());
  ShowText(text);
  std::fflush(out_);
  if (options_.waitsForEnter) reader_->ReadLine(options_.dressed ? "[Intro] " : "", false);
}

std::optional<std::string> TerminalDialogue::InputBox(const std::string& prompt) {
  progress_.Clear();
  if (options_.dressed) std::fprintf(out_, "\n%s\n", BoxRule("Pregunta", options_.width).c_str());
  ShowText(prompt);
  std::optional<std::string> line = reader_->ReadLine("> ", true);
  if (!line) {
    std::fputs("\n", out_);
    std::fflush(out_);
    return std::nullopt;
  }
  return Utf8ToCp1252(*line);
}

std::optional<std::string> TerminalDialogue::InputBoxWithHelp(const std::string& prompt, const HelpText& help) {
  for (;;) {
    std::optional<std::string> answer = InputBox(prompt);
    if (!answer || !options_.helpOnRequest || !IsHelpRequest(*answer)) return answer;
    if (options_.dressed) std::fprintf(out_, "\n%s\n", BoxRule("Ayuda", options_.width).c_str());
    const std::string text = help ? help() : std::string();
    ShowText(text.empty() ? "Esta pregunta no tiene texto de ayuda." : text);
    std::fflush(out_);
  }
}

void TerminalDialogue::Progress(const std::string& line, bool finished) {
  progress_.Show(Cp1252ToUtf8(line), finished);
}

void TerminalDialogue::ClearProgress() { progress_.Clear(); }

}  // namespace korva

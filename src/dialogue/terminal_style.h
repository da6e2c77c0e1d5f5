#pragma once
// How boxes look on a terminal: a rule that names the kind of box, and texts
// folded at the terminal's width so that long lines stay readable.
#include <string>
#include <vector>

namespace korva {

// The pieces of a Windows-1252 text (split at LF), each folded at `width`
// characters: at the last blank that fits, or hard where a word is longer
// than the width. Blanks at a fold are dropped; an empty piece stays empty.
std::vector<std::string> FoldText(const std::string& text, int width);

// "── <label> ─────…" filling `width` columns (UTF-8).
std::string BoxRule(const std::string& label, int width);

// The columns of the terminal on `fd`, at most `cap`; `cap` when unknown.
int TerminalWidth(int fd, int cap);

}  // namespace korva

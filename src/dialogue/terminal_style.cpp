#include "dialogue/terminal_style.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

namespace korva {

std::vector<std::string> FoldText(const std::string& text, int width) {
  const size_t w = static_cast<size_t>(std::max(width, 10));
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    std::string piece = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (piece.size() <= w) {
      lines.push_back(piece);
    } else {
      size_t at = 0;
      while (piece.size() - at > w) {
        size_t cut = piece.rfind(' ', at + w);
        if (cut == std::string::npos || cut <= at) {
          lines.push_back(piece.substr(at, w));
          at += w;
          continue;
        }
        lines.push_back(piece.substr(at, cut - at));
        at = piece.find_first_not_of(' ', cut);
        if (at == std::string::npos) at = piece.size();
      }
      if (at < piece.size()) lines.push_back(piece.substr(at));
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

std::string BoxRule(const std::string& label, int width) {
  // U+2500, written as its UTF-8 bytes: the program's literals are Windows-1252.
  const std::string line = "\xE2\x94\x80";
  std::string rule = line + line + " " + label + " ";
  for (int column = static_cast<int>(label.size()) + 4; column < width; ++column) rule += line;
  return rule;
}

int TerminalWidth(int fd, int cap) {
  struct winsize size {};
  if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return std::min(static_cast<int>(size.ws_col), cap);
  return cap;
}

}  // namespace korva

#pragma once
// Reading one answer line. From a pipe or a file, the line is read as it
// comes; on a terminal, with line editing (cursor keys, deletion, the usual
// keys of a shell) and the history of the run's earlier answers (up and down
// arrows), when korva is built with libedit.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace korva {

class LineReader {
 public:
  virtual ~LineReader() = default;
  // Writes `prompt` (UTF-8, no line end) and reads a line without its line
  // end (LF or CR LF); nothing when the input has ended. A line read with
  // `remember` joins the history.
  virtual std::optional<std::string> ReadLine(const std::string& prompt, bool remember) = 0;
};

// Plain reading from `in`, the prompt written to `out`.
std::unique_ptr<LineReader> MakeStreamReader(std::FILE* in, std::FILE* out);

// Line editing with history on the terminal of `in` and `out`; the plain
// reader when korva is built without libedit.
std::unique_ptr<LineReader> MakeEditingReader(std::FILE* in, std::FILE* out);

}  // namespace korva

#pragma once
// The progress of long steps on a terminal: one line on the error stream,
// rewritten in place ("\r" and erase to the end of the line) at most ten times
// a second, ended with a line end when the step finishes, and taken away when
// other output comes. Disabled (the error stream is not a terminal), it writes
// nothing at all.
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace korva {

class ProgressLine {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  ProgressLine(std::FILE* out, bool enabled, Clock clock = std::chrono::steady_clock::now);

  // `line` is UTF-8.
  void Show(const std::string& line, bool finished);
  void Clear();
  bool open() const { return open_; }

 private:
  std::FILE* out_;
  bool enabled_;
  Clock clock_;
  bool open_ = false;  // an unfinished line stands on the screen
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace korva

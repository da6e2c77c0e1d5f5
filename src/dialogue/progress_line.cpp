#include "dialogue/progress_line.h"

namespace korva {

ProgressLine::ProgressLine(std::FILE* out, bool enabled, Clock clock)
    : out_(out), enabled_(enabled), clock_(std::move(clock)) {}

void ProgressLine::Show(const std::string& line, bool finished) {
  if (!enabled_) return;
  const auto now = clock_();
  if (!finished && open_ && now - last_ < std::chrono::milliseconds(100)) return;
  last_ = now;
  std::fputs("\r", out_);
  std::fputs(line.c_str(), out_);
  std::fputs("\033[K", out_);
  if (finished) std::fputs("\n", out_);
  std::fflush(out_);
  open_ = !finished;
}

void ProgressLine::Clear() {
  if (!enabled_ || !open_) return;
  std::fputs("\r\033[K", out_);
  std::fflush(out_);
  open_ = false;
}

}  // namespace korva

#pragma once
// Where generated lines go: a file being written, or memory (what the tests of
// the generators read back). A line is given without its line end.
#include <string>
#include <string_view>
#include <vector>

namespace korva {

class LineSink {
 public:
  virtual ~LineSink() = default;
  virtual void WriteLine(std::string_view text) = 0;
};

// Keeps every line written, in order.
class MemorySink : public LineSink {
 public:
  void WriteLine(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

}  // namespace korva

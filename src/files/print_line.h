#pragma once
// A line built as the target language's Print # builds it: numbers with a
// leading blank when not negative and a trailing blank, Tab(n) to go to column
// n (on a new line when the line is already past it), Spc(n) for n blanks.
#include <string>
#include <string_view>

#include "files/line_sink.h"

namespace korva {

class PrintLine {
 public:
  PrintLine() = default;
  // Each line that a Tab ends is written to `sink` at once and forgotten, so
  // that only the current line is held; Finish writes that one.
  explicit PrintLine(LineSink& sink) : sink_(&sink) {}

  PrintLine& Text(std::string_view text);
  PrintLine& Number(long long n);
  // Column n counts from 1; Tab to a column already passed starts a new line.
  PrintLine& Tab(int column);
  PrintLine& Spc(int count);

  // The text built; lines started by Tab are separated by "\r\n". With a
  // sink, only the current line.
  const std::string& str() const { return text_; }
  // With a sink: writes the current line to it.
  void Finish();

 private:
  LineSink* sink_ = nullptr;
  int column() const;  // current column, from 1
  std::string text_;
  size_t lineStart_ = 0;
};

}  // namespace korva

#pragma once
// A line built as the target language's Print # builds it: numbers with a
// leading blank when not negative and a trailing blank, Tab(n) to go to column
// n (on a new line when the line is already past it), Spc(n) for n blanks.
#include <string>
#include <string_view>

namespace korva {

class PrintLine {
 public:
  PrintLine& Text(std::string_view text);
  PrintLine& Number(long long n);
  // Column n counts from 1; Tab to a column already passed starts a new line.
  PrintLine& Tab(int column);
  PrintLine& Spc(int count);

  // The text built; lines started by Tab are separated by "\r\n".
  const std::string& str() const { return text_; }

 private:
  int column() const;  // current column, from 1
  std::string text_;
  size_t lineStart_ = 0;
};

}  // namespace korva

#include "files/print_line.h"

#include "text/vb_text.h"

namespace korva {

int PrintLine::column() const { return static_cast<int>(text_.size() - lineStart_) + 1; }

PrintLine& PrintLine::Text(std::string_view text) {
  text_ += text;
  return *this;
}

PrintLine& PrintLine::Number(long long n) {
  text_ += NumText(n);
  text_ += ' ';
  return *this;
}

PrintLine& PrintLine::Tab(int column) {
  if (column < 1) column = 1;
  if (this->column() > column) {
    if (sink_ != nullptr) {
      sink_->WriteLine(text_);
      text_.clear();
    } else {
      text_ += "\r\n";
    }
    lineStart_ = text_.size();
  }
  text_.append(static_cast<size_t>(column - this->column()), ' ');
  return *this;
}

void PrintLine::Finish() {
  if (sink_ == nullptr) return;
  sink_->WriteLine(text_);
  text_.clear();
  lineStart_ = 0;
}

PrintLine& PrintLine::Spc(int count) {
  if (count > 0) text_.append(static_cast<size_t>(count), ' ');
  return *this;
}

}  // namespace korva

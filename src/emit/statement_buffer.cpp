#include "emit/statement_buffer.h"

#include <algorithm>
#include <stdexcept>

#include "emit/module_writer.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {

const StatementBuffer::Statement& StatementBuffer::At(int i) const {
  if (i < 1 || i > Used()) throw std::out_of_range("statement " + std::to_string(i) + " is not in the buffer");
  size_t index = static_cast<size_t>(i - 1);
  return index < before_.size() ? before_[index] : after_[index - before_.size()];
}

StatementBuffer::Statement& StatementBuffer::At(int i) {
  return const_cast<Statement&>(static_cast<const StatementBuffer&>(*this).At(i));
}

void StatementBuffer::MoveGapTo(size_t position) {
  while (before_.size() > position) {
    after_.push_front(std::move(before_.back()));
    before_.pop_back();
  }
  while (before_.size() < position) {
    before_.push_back(std::move(after_.front()));
    after_.pop_front();
  }
}

void StatementBuffer::Append(std::string text, StatementMark mark) {
  if (after_.empty()) {
    before_.push_back(Statement{std::move(text), true, mark});
  } else {
    after_.push_back(Statement{std::move(text), true, mark});
  }
}

void StatementBuffer::InsertBeforeLast(int k, std::string text, StatementMark mark) {
  size_t used = static_cast<size_t>(Used());
  size_t position = used - std::clamp<size_t>(static_cast<size_t>(std::max(k, 0)), 0, used);
  MoveGapTo(position);
  before_.push_back(Statement{std::move(text), true, mark});
}

std::string StatementBuffer::Entry(int i) const {
  const Statement& s = At(i);
  return s.numbered ? LineNumberText(i) + s.text : s.text;
}

void StatementBuffer::Replace(int i, std::string text) {
  Statement& s = At(i);
  s = Statement{std::move(text), false, StatementMark{s.mark.role, 0}};
}

void StatementBuffer::Suppress(int i) {
  Statement& s = At(i);
  s = Statement{" ", true, StatementMark{s.mark.role, 0}};
}

void StatementBuffer::RollBack(int mark) {
  size_t keep = static_cast<size_t>(std::clamp(mark, 0, Used()));
  if (keep >= before_.size()) {
    after_.resize(keep - before_.size());
  } else {
    before_.resize(keep);
    after_.clear();
  }
}

void StatementBuffer::Clear() {
  before_.clear();
  after_.clear();
}

std::string StatementBuffer::Renumbered(int i, int counter, FlushRule rule) const {
  const std::string entry = Entry(i);
  const long long number = static_cast<long long>(counter) + i;
  size_t at = entry.find("0 ");
  if (at != std::string::npos) return NumText(number) + entry.substr(at);
  if (rule == FlushRule::kNumberAlone) return LineNumberText(number);
  // A comment stays as it is; anything else is shown to the compiler as an error.
  if (UpperCase(entry).find("REM") != std::string::npos) return entry;
  return LineNumberText(number) + " ERROR " + entry;
}

}  // namespace korva

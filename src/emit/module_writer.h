#pragma once
// The one place that knows the line numbers of a generated module. A module's
// counter is the number of its last numbered line divided by 10; a numbered
// line takes the next value of the counter, times 10, in one of the two forms
// the modules use: with the leading blank of the number-to-text rule (" 140")
// or without it ("230", the fixed parts of the simulator). Some unnumbered
// lines also take a number of the counter, which is then skipped.
#include <functional>
#include <string>
#include <string_view>

#include "emit/statement_buffer.h"
#include "emit/templates.h"
#include "files/line_sink.h"

namespace korva {

// " 140" for counter value 14: the line number with its leading blank.
std::string LineNumberText(long long counter);
// "140" for counter value 14.
std::string PlainLineNumberText(long long counter);

class ModuleWriter {
 public:
  // A writer with nowhere to write yet: writing a line through it is a fault
  // of the program (std::logic_error).
  ModuleWriter() = default;
  // Lines go to `sink`, which must outlive the writer; numbering goes on after `counter`.
  explicit ModuleWriter(LineSink& sink, int counter = 0) : sink_(&sink), counter_(counter) {}

  // The writer keeps its count but writes no more (its sink is closed).
  void Detach() { sink_ = nullptr; }

  int Counter() const { return counter_; }
  void SetCounter(int counter) { counter_ = counter; }

  void Line(std::string_view text);           // as it is; the counter stays
  void CountedLine(std::string_view text);    // as it is, taking a number of the counter
  void Numbered(std::string_view text);       // " 140" + text
  void PlainNumbered(std::string_view text);  // "140" + text

  // Every line of a template, as it is.
  void Template(TemplateId id, const TemplateValues& values = {});

  // Writes the buffered statements renumbered after the counter (see
  // StatementBuffer::Renumbered), moves the counter past them and empties the buffer.
  // `written`, when given, sees each line as written with its entry's mark.
  void Flush(StatementBuffer& buffer, FlushRule rule,
             const std::function<void(const std::string&, StatementMark)>& written = {});

 private:
  LineSink& Sink();

  LineSink* sink_ = nullptr;
  int counter_ = 0;
};

}  // namespace korva

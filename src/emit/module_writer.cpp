#include "emit/module_writer.h"

#include <stdexcept>

#include "text/vb_text.h"

namespace korva {

std::string LineNumberText(long long counter) { return NumText(counter * 10); }

std::string PlainLineNumberText(long long counter) { return PlainNum(counter * 10); }

LineSink& ModuleWriter::Sink() {
  if (sink_ == nullptr) throw std::logic_error("a module is written before it is opened");
  return *sink_;
}

void ModuleWriter::Line(std::string_view text) { Sink().WriteLine(text); }

void ModuleWriter::CountedLine(std::string_view text) {
  ++counter_;
  Sink().WriteLine(text);
}

void ModuleWriter::Numbered(std::string_view text) {
  ++counter_;
  std::string line = LineNumberText(counter_);
  Sink().WriteLine(line.append(text));
}

void ModuleWriter::PlainNumbered(std::string_view text) {
  ++counter_;
  std::string line = PlainLineNumberText(counter_);
  Sink().WriteLine(line.append(text));
}

void ModuleWriter::Template(TemplateId id, const TemplateValues& values) {
  for (const std::string& line : ExpandTemplate(id, values)) Sink().WriteLine(line);
}

void ModuleWriter::Flush(StatementBuffer& buffer, FlushRule rule,
                         const std::function<void(const std::string&, StatementMark)>& written) {
  const int used = buffer.Used();
  for (int i = 1; i <= used; ++i) {
    const std::string line = buffer.Renumbered(i, counter_, rule);
    Sink().WriteLine(line);
    if (written) written(line, buffer.MarkOf(i));
  }
  counter_ += used;
  buffer.Clear();
}

}  // namespace korva

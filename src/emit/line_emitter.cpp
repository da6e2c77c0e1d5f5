#include "emit/line_emitter.h"

#include "text/vb_text.h"

namespace korva {

std::string Quoted(std::string_view text) {
  std::string out(1, QuoteChar);
  out += text;
  out += QuoteChar;
  return out;
}

std::string NumberedLine(long long number, std::string_view text) { return NumText(number) + std::string(text); }

std::string PlainNumberedLine(long long number, std::string_view text) { return PlainNum(number) + std::string(text); }

void EmitTemplate(OutputFile& out, std::string_view name, const TemplateValues& values) {
  for (const std::string& line : ExpandTemplate(name, values)) out.WriteLine(line);
}

}  // namespace korva

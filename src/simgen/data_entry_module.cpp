#include "simgen/data_entry_module.h"

#include "emit/line_emitter.h"
#include "text/vb_text.h"

namespace korva {
namespace {

void ReplaceAll(std::string& text, const std::string& marker, const std::string& value) {
  for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + value.size())) {
    text.replace(at, marker.size(), value);
  }
}

}  // namespace

void WriteDataProgramHeader(OutputFile& out, const std::string& modelName, const std::string& uncertaintyChoice) {
  EmitTemplate(out, "data_entry/header.bas", {{"MODEL", modelName}});
  if (uncertaintyChoice == "a" || uncertaintyChoice == "t") {
    EmitTemplate(out, "data_entry/uncertainty_help.bas", {{"MODEL", modelName}});
  }
  EmitTemplate(out, "data_entry/header_end.bas", {{"MODEL", modelName}});
}

void WriteDataProgramMenu(OutputFile& out) { EmitTemplate(out, "data_entry/menu.bas"); }

void WriteDataSection(OutputFile& out, const InputCode& code, int& counter, bool stripMarkers) {
  const int first = counter + 1;
  const int last = counter + static_cast<int>(code.dataLines.size());
  // Jumps go to the next input's first line, or back five lines for a correction.
  const std::string next = NumText((last + 1) * 10LL);
  const std::string back = NumText((last - 5) * 10LL);
  for (size_t k = 0; k < code.dataLines.size(); ++k) {
    std::string text = code.dataLines[k];
    ReplaceAll(text, kJumpNext, next);
    ReplaceAll(text, kJumpBack, back);
    if (stripMarkers) text = StripMarkers(text);
    out.WriteLine(NumberedLine((first + static_cast<long long>(k)) * 10, text));
  }
  counter = last;
}

void WriteDataProgramClosing(OutputFile& out, int& counter) {
  for (const char* text : {" close #1,#2,#3", " nx=nx+1:goto 19", " End Sub"}) {
    out.WriteLine(NumberedLine(++counter * 10LL, text));
  }
}

}  // namespace korva

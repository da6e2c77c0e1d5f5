#include "simgen/data_entry_module.h"

namespace korva {

void WriteDataProgramHeader(ModuleWriter& out, const std::string& modelName, bool withUncertainty) {
  out.Template(TemplateId::kDataEntryHeader, {{"MODEL", modelName}});
  if (withUncertainty) out.Template(TemplateId::kDataEntryUncertaintyHelp, {{"MODEL", modelName}});
  out.Template(TemplateId::kDataEntryHeaderEnd, {{"MODEL", modelName}});
}

void WriteDataProgramMenu(ModuleWriter& out) { out.Template(TemplateId::kDataEntryMenu); }

void WriteDataSection(ModuleWriter& out, const InputCode& code, bool stripMarkers) {
  const long long last = out.Counter() + static_cast<long long>(code.dataLines.size());
  const std::string next = LineNumberText(last + 1);
  const std::string back = LineNumberText(last - 5);
  for (const DataLine& line : code.dataLines) {
    std::string text = stripMarkers ? StripMarkers(line.text) : line.text;
    if (line.jump == DataJump::kNextInput) text += next;
    if (line.jump == DataJump::kCorrection) text += back;
    out.Numbered(text);
  }
}

void WriteDataProgramClosing(ModuleWriter& out) {
  for (const char* text : {" close #1,#2,#3", " nx=nx+1:goto 19", " End Sub"}) out.Numbered(text);
}

}  // namespace korva

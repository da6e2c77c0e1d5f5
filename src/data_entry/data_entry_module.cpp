#include "data_entry/data_entry_module.h"

#include "core/guarded_files.h"
#include "emit/emitted_text.h"
#include "text/vb_text.h"

namespace korva {

std::string StripMarkers(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != '\xF1') out += c;  // ñ
  }
  return out;
}

void WriteDataProgramHeader(ModuleWriter& out, const std::string& modelName, bool withUncertainty) {
  out.Template(TemplateId::kDataEntryHeader, {{"MODEL", modelName}});
  if (withUncertainty) out.Template(TemplateId::kDataEntryUncertaintyHelp, {{"MODEL", modelName}});
  out.Template(TemplateId::kDataEntryHeaderEnd,
               {{"MODEL", modelName}, {"MENU", PlainNum(emitted::kDataEntryMenuLabel)}});
}

void DataEntryModule::Start(RunContext& run, const std::string& path, const std::string& modelName,
                            bool withUncertainty) {
  file_ = OpenGuardedOutput(run, path);
  out_ = ModuleWriter(*file_);
  WriteDataProgramHeader(out_, modelName, withUncertainty);
  out_.Template(TemplateId::kDataEntryMenu, {{"MENU", PlainNum(emitted::kDataEntryMenuLabel)},
                                             {"FIRST_SECTION", PlainLineNumberText(emitted::kDataSectionsStart + 1)}});
  out_.SetCounter(emitted::kDataSectionsStart);
}

void DataEntryModule::AddSection(const DataSection& section, bool stripMarkers) {
  WriteDataSection(out_, section, stripMarkers);
}

void WriteDataSection(ModuleWriter& out, const DataSection& section, bool stripMarkers) {
  const long long last = out.Counter() + static_cast<long long>(section.size());
  const std::string next = LineNumberText(last + 1);
  const std::string back = LineNumberText(last - 5);
  for (const DataLine& line : section) {
    std::string text = stripMarkers ? StripMarkers(line.text) : line.text;
    if (line.jump == DataJump::kNextInput) text += next;
    if (line.jump == DataJump::kCorrection) text += back;
    out.Numbered(text);
  }
}

void DataEntryModule::Finish(RunContext& run) {
  const std::string menu = PlainNum(emitted::kDataEntryMenuLabel);
  for (const std::string& text : {std::string(" close #1,#2,#3"), " nx=nx+1:goto " + menu, std::string(" End Sub")}) {
    out_.Numbered(text);
  }
  out_.Detach();
  CloseGuarded(run, file_);
}

}  // namespace korva

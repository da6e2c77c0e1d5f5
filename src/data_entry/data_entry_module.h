#pragma once
// The data-entry program "D<model>.bas": header, menu and file handling (the
// header also written by the model assembler), one section per input
// variable, closing lines. It is written as it goes, under a hidden name
// until it is whole.
#include <memory>
#include <string>

#include "core/run_context.h"
#include "data_entry/data_section.h"
#include "emit/module_writer.h"
#include "files/file_system.h"

namespace korva {

// The header, with the help on uncertain data when the model has uncertainty.
void WriteDataProgramHeader(ModuleWriter& out, const std::string& modelName, bool withUncertainty);

// An input's section, numbered after the writer's counter; its jumps go to
// the line after the section and to five lines before its last.
void WriteDataSection(ModuleWriter& out, const DataSection& section, bool stripMarkers);

class DataEntryModule {
 public:
  // Opens `path` and writes the header and the menu; a failure is reported
  // and ends the program.
  void Start(RunContext& run, const std::string& path, const std::string& modelName, bool withUncertainty);

  // An input's section, numbered after the last.
  void AddSection(const DataSection& section, bool stripMarkers);

  // The closing lines; the file is closed.
  void Finish(RunContext& run);

  int Counter() const { return out_.Counter(); }

 private:
  std::unique_ptr<OutputFile> file_;
  ModuleWriter out_;
};

}  // namespace korva

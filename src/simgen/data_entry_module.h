#pragma once
// The data-entry program "D<model>.bas": header, menu and file handling (also
// written by the model assembler), one section per input variable, closing lines.
#include <string>

#include "emit/module_writer.h"
#include "simgen/input_code.h"

namespace korva {

// The line counter of the data-entry program once its menu is written: the
// first input's section begins at line 140.
inline constexpr int kDataSectionsStart = 13;

// The header, with the help on uncertain data when the model has uncertainty.
void WriteDataProgramHeader(ModuleWriter& out, const std::string& modelName, bool withUncertainty);
void WriteDataProgramMenu(ModuleWriter& out);

// An input's section, numbered after the writer's counter; its jumps go to
// the line after the section and to five lines before its last.
void WriteDataSection(ModuleWriter& out, const InputCode& code, bool stripMarkers);

// " close #1,#2,#3", " nx=nx+1:goto 19", " End Sub", numbered.
void WriteDataProgramClosing(ModuleWriter& out);

}  // namespace korva

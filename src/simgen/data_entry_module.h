#pragma once
// The data-entry program "D<model>.bas": header, menu and file handling (also
// written by the model assembler), one section per input variable, closing lines.
#include <string>

#include "files/file_system.h"
#include "simgen/input_code.h"

namespace korva {

void WriteDataProgramHeader(OutputFile& out, const std::string& modelName, const std::string& uncertaintyChoice);
void WriteDataProgramMenu(OutputFile& out);

// Writes an input's section, numbering its lines from `counter` + 1 (× 10) and
// leaving `counter` at its last line.
void WriteDataSection(OutputFile& out, const InputCode& code, int& counter, bool stripMarkers);

// " close #1,#2,#3", " nx=nx+1:goto 19", " End Sub", numbered after `counter`.
void WriteDataProgramClosing(OutputFile& out, int& counter);

}  // namespace korva

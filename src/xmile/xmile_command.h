#pragma once
// korva-xmile's commands: importar, simular, exportar. The texts it prints go
// to `out` (what was done) and `err` (what went wrong), in UTF-8.
#include <cstdio>
#include <string>
#include <vector>

namespace korva::xmile {

// `args`: the command line without the program's name (Windows-1252).
// Returns the exit status (messages.h).
int RunXmileCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// The model's name when none is given: the letters and digits of the file's
// name (without folder and extension), upper-cased, at most 8; "XMILE" when
// it has none.
std::string DefaultModelName(const std::string& file);

}  // namespace korva::xmile

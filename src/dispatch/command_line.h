#pragma once
// korva's command line: the options that answer the start-up questions, and
// the usage and version texts.
#include <optional>
#include <string>
#include <vector>

namespace korva {

struct CommandLine {
  bool Help = false;
  bool Version = false;
  std::optional<std::string> WorkDir;  // answers "¿En que directorio desea trabajar?"
  std::optional<int> LogNumber;        // answers the first cycle's answers-log question
  std::string Error;                   // what is wrong with the arguments; empty when nothing
};

// `args` without the program's name, in Windows-1252 as every text of the program.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The usage text, in Spanish as the dialogue is.
const char* KorvaUsage();

// "korva <version>".
std::string KorvaVersion();

}  // namespace korva

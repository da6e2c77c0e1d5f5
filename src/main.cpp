// korva: leads a modeller through the dialogue that builds a simulation model.
#include <cstdio>
#include <string>
#include <vector>

#include "dialogue/terminal_dialogue.h"
#include "dispatch/command_line.h"
#include "dispatch/main_dialogue.h"
#include "files/file_system.h"
#include "files/temporaries.h"
#include "text/cp1252.h"

namespace {

void Print(std::FILE* out, const std::string& cp1252) {
  std::string utf8 = korva::Cp1252ToUtf8(cp1252);
  std::fwrite(utf8.data(), 1, utf8.size(), out);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(korva::Utf8ToCp1252(argv[i]));
  korva::CommandLine line = korva::ParseCommandLine(args);
  if (!line.Error.empty()) {
    Print(stderr, "korva: " + line.Error + " (pruebe korva --help)\n");
    return 2;
  }
  if (line.Help) {
    Print(stdout, korva::KorvaUsage());
    return 0;
  }
  if (line.Version) {
    Print(stdout, korva::KorvaVersion() + "\n");
    return 0;
  }
  korva::RemoveTemporariesOnSignal();
  korva::FileSystem files;
  korva::TerminalDialogue box = korva::TerminalDialogue::Standard();
  korva::RunState run(box, files);
  run.Context.GivenWorkDir = line.WorkDir;
  run.Context.GivenLogNumber = line.LogNumber;
  return korva::MainDialogue(run);
}

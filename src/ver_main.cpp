// korva-ver: a model's influence diagram, charts of its results and the
// results as CSV, from the files of the model's folder.
#include <cstdio>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "files/temporaries.h"
#include "text/cp1252.h"
#include "ver/ver_commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  korva::ver::Parsed parsed = korva::ver::ParseArguments(arguments);
  if (parsed.help) {
    std::fputs(korva::Cp1252ToUtf8(korva::ver::Usage()).c_str(), stdout);
    return korva::ver::kExitDone;
  }
  if (parsed.version) {
    std::printf("korva-ver %s\n", KORVA_VERSION);
    return korva::ver::kExitDone;
  }
  if (!parsed.request) {
    std::fputs(korva::Cp1252ToUtf8("korva-ver: " + parsed.message + "\n").c_str(), stderr);
    return korva::ver::kExitBadInput;
  }
  korva::RemoveTemporariesOnSignal();
  korva::FileSystem files;
  return korva::ver::Run(*parsed.request, files, stdout, stderr);
}

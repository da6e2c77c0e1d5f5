// korva-xmile: models in and out of korva as XMILE, the field's exchange format.
#include <cstdio>
#include <string>
#include <vector>

#include "files/temporaries.h"
#include "text/cp1252.h"
#include "xmile/xmile_command.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(korva::Utf8ToCp1252(argv[i]));
  korva::RemoveTemporariesOnSignal();
  return korva::xmile::RunXmileCommand(args, stdout, stderr);
}

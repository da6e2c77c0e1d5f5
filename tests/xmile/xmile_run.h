#pragma once
// korva-xmile run in this process, with what it prints kept.
#include <cstdio>
#include <string>
#include <vector>

#include "text/cp1252.h"
#include "xmile/xmile_command.h"

namespace korva::testing {

struct XmileRun {
  int status = -1;
  std::string out, err;  // Windows-1252, as the program's own texts
};

inline std::string Drained(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

inline XmileRun RunXmile(const std::vector<std::string>& args) {
  XmileRun run;
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  run.status = xmile::RunXmileCommand(args, out, err);
  run.out = Utf8ToCp1252(Drained(out));
  run.err = Utf8ToCp1252(Drained(err));
  return run;
}

// The source tree's copy of the public test models.
inline std::string ReferenceModel(const std::string& path) {
  return std::string(KORVA_SOURCE_DIR) + "/tests/xmile/reference/" + path;
}

}  // namespace korva::testing

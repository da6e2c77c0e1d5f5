#pragma once
// What the benchmarks of korva-vbrun against hand-written ports share: the
// process's CPU time (the interpreter runs on a thread of its own, so the
// thread's clock would miss it) and a run of a module with answers in order
// (a whole file is read with create_model.h's ReadWhole).
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "create_model.h"
#include "dialogue/scripted_dialogue.h"
#include "files/file_system.h"
#include "vbrun/runner.h"

namespace korva::bench {

// User and system time of the whole process so far, in seconds.
inline double ProcessCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs `module` in the current directory with the answers given in order;
// the exit status of korva-vbrun.
inline int RunModule(const std::string& module, std::vector<std::string> answers, double seed = 1) {
  ScriptedDialogue box(std::move(answers));
  FileSystem files;
  vbrun::RunRequest request;
  request.modules = {module};
  request.seed = seed;
  std::FILE* sink = std::fopen("/dev/null", "w");
  const int status = vbrun::RunModules(request, box, files, sink, sink);
  std::fclose(sink);
  return status;
}

}  // namespace korva::bench

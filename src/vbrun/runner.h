#pragma once
// korva-vbrun as a whole: reads the modules, checks them, runs Sub Main and
// reports what went wrong in the modeller's terms.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "dialogue/dialogue.h"
#include "files/file_system.h"

namespace korva::vbrun {

struct RunRequest {
  std::vector<std::string> modules;  // file names of the modules
  std::optional<double> seed;
};

// Exit statuses.
constexpr int kExitFinished = 0;
constexpr int kExitRunFailed = 1;   // a run-time error, or the input ended
constexpr int kExitNotStarted = 2;  // bad usage, a module unreadable, a syntax or compile error

// Runs the modules; messages go to `messages` (UTF-8), Debug.Print to `debug`.
int RunModules(const RunRequest& request, Dialogue& dialogue, FileSystem& files, std::FILE* messages, std::FILE* debug);

}  // namespace korva::vbrun

#pragma once
// Runs a checked program from its Sub Main: the variables, the files open by
// number, the call frames with their loops, GoSub returns and error handlers.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogue/dialogue.h"
#include "files/file_system.h"
#include "vbrun/program.h"
#include "vbrun/vb_error.h"
#include "vbrun/vb_random.h"

namespace korva::vbrun {

struct RunOptions {
  std::optional<double> seed;  // Randomize without argument takes this seed instead of the clock
  std::FILE* debug = stderr;   // where Debug.Print writes (UTF-8)
  // Bounds for a run that must stay short whatever the program (fuzzing): when
  // not 0, the run ends as at End after this many instructions, and an array of
  // more elements than this is out of memory (error 7).
  long stepLimit = 0;
  size_t elementLimit = 0;
};

// How a run ended.
struct RunOutcome {
  enum class Kind { kFinished, kRuntimeError, kInputEnded } kind = Kind::kFinished;
  VbError error{0, {}};
};

class Interpreter {
 public:
  Interpreter(const Program& program, Dialogue& dialogue, FileSystem& files, RunOptions options);
  ~Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  // Runs Sub Main to its end or to End; closes every file left open.
  RunOutcome Run();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace korva::vbrun

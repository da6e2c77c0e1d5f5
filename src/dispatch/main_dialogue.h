#pragma once
#include "dispatch/run_state.h"

namespace korva {

// The whole program: banner, greeting and working directory, then cycles of
// answers log, main menu, common questions and the chosen activity, until the
// modeller wants nothing more. Returns the exit status: 0 when the dialogue
// ended by itself or by a "t" answer, 1 after a reported error or at the end of
// the input. The answers log is closed and every file left as it stands.
int MainDialogue(RunState& run);

}  // namespace korva

#pragma once
#include "core/run_state.h"

namespace korva {

// The blocks path: forming hierarchical subsystems and dividing the model into subsystem files.
void FormBlocks(RunState& run);

}  // namespace korva

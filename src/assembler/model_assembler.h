#pragma once
#include "core/run_state.h"

namespace korva {

// The assemble path: the older assembler of subsystem models.
void AssembleModels(RunState& run);

}  // namespace korva

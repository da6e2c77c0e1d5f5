#pragma once
#include "core/run_state.h"

namespace korva {

// The analogy path: proposing a model for a new problem from a library of models.
void AnalogySearch(RunState& run);

}  // namespace korva

#pragma once
#include "core/run_context.h"
#include "model/model_cycle.h"

namespace korva {

// The analogy path: proposing a model for a new problem from a library of
// models, whose equations files hold at most `maxGLines` lines each.
void AnalogySearch(RunContext& run, ModelCycle& cycle, int maxGLines);

}  // namespace korva

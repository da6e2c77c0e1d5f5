#pragma once
#include "core/run_context.h"
#include "model/model_cycle.h"

namespace korva {

// The assemble path: the older assembler of subsystem models.
void AssembleModels(RunContext& run, ModelCycle& cycle);

}  // namespace korva

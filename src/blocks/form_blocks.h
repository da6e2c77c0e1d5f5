#pragma once
#include "model/model_cycle.h"

namespace korva {

// The blocks path: forming hierarchical subsystems and dividing the model into subsystem files.
void FormBlocks(RunContext& run, ModelCycle& cycle);

}  // namespace korva

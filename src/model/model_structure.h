#pragma once
#include "model/model_cycle.h"

namespace korva {

enum class StepOutcome {
  kGoOn,      // the next step of the cycle follows
  kEndCycle,  // the modeller chose to end the cycle here
};

// The create dialogue of the model structure: element list, connection matrix,
// calculation order and the ordering of the equations and specifications files.
// Taken on the create, blocks and assemble paths, each with its own `path`.
StepOutcome ModelStructureDialogue(RunContext& run, ModelCycle& cycle, const StructurePath& path);

}  // namespace korva

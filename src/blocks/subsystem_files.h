#pragma once
// The division step of the blocks path: the proposal, and when the modeller
// accepts it, the files of every subsystem and of the subsystem-level model.
#include "blocks/forming.h"
#include "model/model_cycle.h"

namespace korva {

void DivideIntoSubsystems(RunContext& run, ModelCycle& cycle, const Subsystems& subs);

}  // namespace korva

#pragma once
// The division step of the blocks path: the proposal, and when the modeller
// accepts it, the files of every subsystem and of the subsystem-level model.
#include "blocks/forming.h"
#include "core/run_state.h"

namespace korva {

void DivideIntoSubsystems(RunState& run, const Subsystems& subs);

}  // namespace korva

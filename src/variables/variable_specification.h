#pragma once
#include "core/run_context.h"
#include "model/model_cycle.h"
#include "simgen/simulation_state.h"

namespace korva {

// The specification of every calculated element, its equations and the
// completion of the generated modules: the stage that follows the simulation
// set-up on the create path.
void VariableSpecification(RunContext& run, ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide);

}  // namespace korva

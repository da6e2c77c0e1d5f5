#pragma once
#include "core/run_context.h"
#include "model/model_cycle.h"
#include "simgen/simulation_state.h"

namespace korva {

// The simulation set-up of a create cycle: options, simulator and data-entry
// modules, input variables. The simulator is left open in `sim` for the
// equations stage; the modeller may also stop here, which ends the program.
void SimulationSetup(RunContext& run, const ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide);

// Closes the simulator module, as far as it is written; a failure is reported
// and ends the program.
void CloseSimulator(RunContext& run, SimulationState& sim);

}  // namespace korva

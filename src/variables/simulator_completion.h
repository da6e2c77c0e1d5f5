#pragma once
// The end of the simulator, once its calculation section is closed: the end of
// the main procedure and the procedures the simulator calls.
#include "core/run_context.h"
#include "simgen/simulation_state.h"

namespace korva {

// Writes, in order: the end of the main procedure and, in a simulator with
// repetitions, the three sampling routines; then closes the simulator.
void CompleteSimulator(RunContext& run, SimulationState& sim);

}  // namespace korva

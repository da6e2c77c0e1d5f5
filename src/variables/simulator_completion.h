#pragma once
// The end of the simulator, once its calculation section is closed: the end of
// the main procedure and the procedures the simulator calls.
#include "core/run_context.h"
#include "model/model_cycle.h"
#include "simgen/simulation_state.h"

namespace korva {

// Writes, in order: in a simulator with repetitions the statistics of the
// repeated runs; the end of the main procedure; in a simulator with
// repetitions the three sampling routines; in an optimised model the genetic
// algorithm's routines; then closes the simulator.
void CompleteSimulator(RunContext& run, const ModelCycle& cycle, SimulationState& sim);

}  // namespace korva

#pragma once
#include "core/run_context.h"
#include "model/simulation_state.h"

namespace korva {

// The options of the simulation: genetic algorithm (with its variables),
// dynamic system (with its unit) and uncertainty of the inputs. All through
// the answers log.
void SimulationOptionsDialogue(RunContext& run, SimulationState& sim);

}  // namespace korva

#pragma once
#include "core/run_state.h"

namespace korva {

// The options of the simulation: genetic algorithm (with its variables),
// dynamic system (with its unit) and uncertainty of the inputs. All through
// the answers log.
void SimulationOptionsDialogue(RunState& run);

}  // namespace korva

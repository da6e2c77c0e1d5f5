#pragma once
#include "core/run_state.h"

namespace korva {

// The simulation set-up of a create cycle: options, simulator and data-entry modules, input variables.
void SimulationSetup(RunState& run);

}  // namespace korva

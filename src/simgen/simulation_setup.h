#pragma once
#include "core/run_context.h"
#include "model/model_cycle.h"
#include "model/simulation_state.h"
#include "simulator/simulator_module.h"

namespace korva {

// The simulation set-up of a create cycle: options, the data-entry program,
// the simulator's head and body, input variables. The simulator is left to
// the specification stage; the modeller may also stop here, which ends the
// program with the data-entry program in place and no simulator.
void SimulationSetup(RunContext& run, const ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide,
                     SimulatorModule& simulator, SimulatorModule::Room room);

}  // namespace korva

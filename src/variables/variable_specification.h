#pragma once
#include "core/run_context.h"
#include "model/model_cycle.h"
#include "model/simulation_state.h"
#include "simulator/simulator_module.h"
#include "variables/specification_state.h"

namespace korva {

// The stage that follows the simulation set-up on the create path: every
// calculated element, level by level and in list order within a level, is
// specified, its function obtained and turned into statements of the
// simulator's calculation section; then the calculation section is closed,
// the simulator completed and saved with its declarations in front. The
// results program is begun before the first question and saved last; the
// modeller is then told which modules were written.
void VariableSpecification(RunContext& run, ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide,
                           SpecificationState& state, SimulatorModule& simulator);

}  // namespace korva

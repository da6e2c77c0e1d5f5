#include "variables/simulator_completion.h"

#include "simgen/simulation_setup.h"

namespace korva {
namespace {

// The end of a simulation of a simulator with repetitions: the simulation is
// counted and the next one begins.
void WriteRepeatedRunsEnd(ModuleWriter& out) { out.Line(" nx=nx+1:next"); }

}  // namespace

void CompleteSimulator(RunContext& run, SimulationState& sim) {
  ModuleWriter& out = sim.SimWriter;
  const bool repetitions = sim.WithUncertainty();
  // With repetitions the loop of simulations is still open: it is closed
  // here, where the statistics of the repeated runs are to be computed.
  if (repetitions) WriteRepeatedRunsEnd(out);
  out.Line(" End sub");
  out.Line("   ");
  // The routines that draw the values of uncertain inputs (gs170) and
  // functions (gs210) from a normal (gs120) or a discrete distribution.
  if (repetitions) out.Template(TemplateId::kSimulatorSamplingRoutines);
  // The genetic algorithm's routines follow the sampling routines.
  CloseSimulator(run, sim);
}

}  // namespace korva

#include "variables/simulator_completion.h"

#include "results/result_statistics.h"
#include "simgen/simulation_setup.h"
#include "variables/genetic_routines.h"

namespace korva {

void CompleteSimulator(RunContext& run, const ModelCycle& cycle, SimulationState& sim) {
  ModuleWriter& out = sim.SimWriter;
  const bool repetitions = sim.WithUncertainty();
  // With repetitions the loop of simulations is still open: the statistics
  // of the repeated runs end each simulation and close it.
  if (repetitions) EmitResultStatistics(out, 10L * out.Counter());
  out.Line(" End sub");
  out.Line("   ");
  // The routines that draw the values of uncertain inputs (gs170) and
  // functions (gs210) from a normal (gs120) or a discrete distribution.
  if (repetitions) out.Template(TemplateId::kSimulatorSamplingRoutines);
  // The genetic algorithm's routines follow the sampling routines.
  if (sim.GeneticAlgorithm) WriteGeneticRoutines(run, cycle, sim);
  CloseSimulator(run, sim);
}

}  // namespace korva

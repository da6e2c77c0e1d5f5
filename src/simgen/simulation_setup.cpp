#include "simgen/simulation_setup.h"

#include "core/program_end.h"
#include "core/questions.h"
#include "data_entry/data_entry_module.h"
#include "simgen/input_variables.h"
#include "simgen/simulation_options.h"

namespace korva {

void SimulationSetup(RunContext& run, const ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide,
                     SimulatorModule& simulator, SimulatorModule::Room room) {
  SimulationOptionsDialogue(run, sim);

  // The data-entry program is built under a hidden name and put in place at
  // the end of this step; the simulator is saved at the end of the specification.
  DataEntryModule data;
  data.Start(run, StagedModelFile(run, cycle, "D", ".bas"), cycle.ModelName, sim.WithUncertainty());
  simulator.Start(cycle.ModelName, sim, room);
  InputVariablesStep(run, cycle.Model, sim, wide, simulator, data);
  data.Finish(run);
  CommitStaged(run, ModelFile(run, cycle, "D", ".bas"));
  simulator.CloseSetUp(sim);

  if (AskUnloggedChoice(run, "¿Desea dejarlo para seguir en otro momento?", {"s", "n", ""}) == "s") {
    run.Log.Close();
    Tell(run, "¡Hasta la proxima!");
    EndProgram(EndReason::kFinished);
  }
}

}  // namespace korva

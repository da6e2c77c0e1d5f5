#include "simgen/simulation_setup.h"

#include "core/guarded_files.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "simgen/data_entry_module.h"
#include "simgen/input_variables.h"
#include "simgen/simulation_options.h"
#include "simgen/simulator_body.h"
#include "simgen/simulator_module.h"

namespace korva {

void SimulationSetup(RunContext& run, const ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide) {
  SimulationOptionsDialogue(run, sim);

  // The modules are built under hidden names and put in place once whole: the
  // data-entry program at the end of this step, the simulator at the end of
  // the specification.
  std::unique_ptr<OutputFile> dataFile = OpenGuardedOutput(run, StagedModelFile(run, cycle, "D", ".bas"));
  ModuleWriter data(*dataFile);
  WriteDataProgramHeader(data, cycle.ModelName, sim.WithUncertainty());
  WriteDataProgramMenu(data);

  sim.SimFile = OpenGuardedOutput(run, StagedModelFile(run, cycle, "S", ".bas"));
  sim.SimWriter = ModuleWriter(*sim.SimFile);
  WriteSimulatorHeader(cycle.ModelName, sim);
  WriteRunParameters(sim);
  WriteSimulationLoopHead(sim);

  data.SetCounter(kDataSectionsStart);
  InputVariablesStep(run, cycle.Model, sim, wide, data);
  WriteDataProgramClosing(data);
  CloseGuarded(run, dataFile);
  CommitStaged(run, ModelFile(run, cycle, "D", ".bas"));

  PlaceLoopHeaders(sim);
  WriteBody(sim);

  if (AskUnloggedChoice(run, "¿Desea dejarlo para seguir en otro momento?", {"s", "n", ""}) == "s") {
    CloseSimulator(run, sim);
    run.Log.Close();
    Tell(run, "¡Hasta la proxima!");
    EndProgram(EndReason::kFinished);
  }
}

void CloseSimulator(RunContext& run, SimulationState& sim) {
  if (sim.SimFile == nullptr) return;
  sim.SimWriter.Detach();
  CloseGuarded(run, sim.SimFile);
}

}  // namespace korva

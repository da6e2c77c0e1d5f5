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

void SimulationSetup(RunState& run) {
  SimulationState& sim = run.Sim;
  // A new set-up starts from nothing but the run-wide answers.
  std::unique_ptr<OutputFile> previous = std::move(sim.SimFile);
  if (previous) CloseGuarded(run, previous);
  sim = SimulationState{};

  SimulationOptionsDialogue(run);

  std::unique_ptr<OutputFile> dataFile = OpenGuardedOutput(run, ModelFile(run, "D", ".bas"));
  WriteDataProgramHeader(*dataFile, run.ModelName, sim.UncertaintyChoice);
  WriteDataProgramMenu(*dataFile);

  sim.SimLineCounter = 0;
  sim.SimFile = OpenGuardedOutput(run, ModelFile(run, "S", ".bas"));
  WriteSimulatorHeader(run);
  WriteRunParameters(run);
  WriteSimulationLoopHead(run);

  sim.EmitSlotsUsed = 0;
  sim.PerStepLines = 0;
  sim.ValueChangeInputCount = 0;
  sim.NonInputCount = 0;
  sim.DataLineCounter = 13;
  InputVariablesStep(run, *dataFile);
  WriteDataProgramClosing(*dataFile, sim.DataLineCounter);
  CloseGuarded(run, dataFile);

  PlaceLoopHeaders(run);
  WriteBody(run);

  if (AskUnloggedChoice(run, "¿Desea dejarlo para seguir en otro momento?", {"s", "n", ""}) == "s") {
    CloseGuarded(run, sim.SimFile);
    run.Log.Close();
    Tell(run, "¡Hasta la proxima!");
    EndProgram(EndReason::kFinished);
  }
  sim.EmitSlotsUsed = 0;
}

}  // namespace korva

#include "dispatch/activities.h"

#include "analogy/analogy_search.h"
#include "assembler/model_assembler.h"
#include "blocks/form_blocks.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "simgen/simulation_setup.h"
#include "variables/variable_specification.h"

namespace korva {
namespace {

// The create path: the simulation set-up, then the specification stage, which
// ends the program once the three modules are written. The
// simulator's statement buffer starts with room for 10 + 8 × the inputs, and
// a function may have as many lines as the ordered equations file, or 100.
void Create(RunState& run) {
  CycleState& cycle = run.Cycle;
  int inputs = 0;
  for (int i = 1; i <= cycle.Model.ElementCount; ++i) inputs += cycle.Model.CalcLevel[i] == 1;
  SimulatorModule::Room room;
  room.statements = 10 + 8 * inputs;
  room.functionLines = cycle.MatrixFromEquations ? static_cast<int>(cycle.GLines.size()) : 100;
  SimulationSetup(run.Context, cycle, cycle.Sim, run.RunWide, cycle.Simulator, room);
  VariableSpecification(run.Context, cycle, cycle.Sim, run.RunWide, cycle.Spec, cycle.Simulator);
  // The three modules are written: the run ends here, its answers log closed.
  EndProgram(EndReason::kFinished);
}

}  // namespace

StructurePath StructurePathFor(const std::optional<Activity>& choice) {
  StructurePath path;
  path.AnnouncesEquations = choice == Activity::kCreate;
  path.OffersEquationsFile = choice != Activity::kAssemble;
  path.OrdersEquations = choice == Activity::kCreate || choice == Activity::kBlocks;
  path.OffersSpecificationOrdering = choice == Activity::kCreate;
  return path;
}

StepOutcome RunModelStructure(RunState& run) {
  return ModelStructureDialogue(run.Context, run.Cycle, StructurePathFor(run.Cycle.MainChoice));
}

void Dispatch(RunState& run) {
  CheckEndOfReplay(run.Context);
  if (!run.Cycle.MainChoice) return;
  switch (*run.Cycle.MainChoice) {
    case Activity::kBlocks:
      FormBlocks(run.Context, run.Cycle);
      break;
    case Activity::kCreate:
      Create(run);
      break;
    case Activity::kAssemble:
      AssembleModels(run.Context, run.Cycle);
      break;
    case Activity::kAnalogy:
      break;  // the analogy search runs before the model structure
  }
}

void RunAnalogySearch(RunState& run, int maxGLines) { AnalogySearch(run.Context, run.Cycle, maxGLines); }

}  // namespace korva

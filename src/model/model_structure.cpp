#include "model/model_structure.h"

#include "core/log_labels.h"
#include "core/questions.h"
#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/element_list.h"
#include "model/file_ordering.h"

namespace korva {

StepOutcome ModelStructureDialogue(RunContext& run, ModelCycle& cycle, const StructurePath& path) {
  if (ElementListDialogue(run, cycle) == StepOutcome::kEndCycle) return StepOutcome::kEndCycle;
  if (ConnectionMatrixDialogue(run, cycle, path) == StepOutcome::kEndCycle) return StepOutcome::kEndCycle;
  // A matrix with loops cannot be ordered: after the report the modeller may
  // look at the matrix again, then corrects its file and replays.
  while (!CalculationOrderStep(run, cycle, path)) {
    if (AskLoggedChoice(run, kLabelMatrixViewAgain, "¿Desea comprobar de nuevo la matriz? (S/N/T)",
                        {"s", "n", "t"}) != "s") {
      return StepOutcome::kEndCycle;
    }
    ReviewMatrix(run, cycle);
    if (AskUnloggedChoice(run, "¿Desea continuar?", {"s", "n", ""}) == "n") return StepOutcome::kEndCycle;
  }
  FileOrderingStep(run, cycle, path);
  return StepOutcome::kGoOn;
}

}  // namespace korva

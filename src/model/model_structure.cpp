#include "model/model_structure.h"

namespace korva {

StepOutcome ModelStructureDialogue(RunState& /*run*/) {
  // The element list, matrix and calculation order steps are not built yet:
  // the cycle goes straight on to the dispatch.
  return StepOutcome::kGoOn;
}

}  // namespace korva

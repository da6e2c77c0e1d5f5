#include "variables/variable_specification.h"

namespace korva {

void VariableSpecification(RunContext& /*run*/, ModelCycle& /*cycle*/, SimulationState& /*sim*/,
                           RunWideAnswers& /*wide*/) {
  // Not built yet: the stage returns at once and the create cycle ends.
}

}  // namespace korva

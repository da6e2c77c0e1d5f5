#pragma once
#include "core/run_state.h"

namespace korva {

// The specification of every calculated element, its equations and the completion of the generated modules.
void VariableSpecification(RunState& run);

}  // namespace korva

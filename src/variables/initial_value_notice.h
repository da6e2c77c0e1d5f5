#pragma once
// The notice at the end of the specification of a model with repetitions:
// the state elements whose initial values were not declared uncertain, as the
// uncertainty question advised.
#include <string>
#include <vector>

#include "model/element_spec.h"
#include "model/model_tables.h"
#include "model/simulation_state.h"

namespace korva {

// The notice naming each such element with its initial value; empty when
// the model has no repetitions or every initial value is uncertain.
std::string CertainInitialValuesNotice(const ModelTables& model, const SimulationState& sim,
                                       const std::vector<ElementSpec>& states);

}  // namespace korva

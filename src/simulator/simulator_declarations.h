#pragma once
// The declarations of the model's elements, which the simulator module puts
// in front of its lines once every element is specified.
#include <string>
#include <vector>

#include "emit/type_groups.h"
#include "model/model_tables.h"
#include "model/simulation_state.h"

namespace korva {

// The declaration lines: the deftype line, t and dt, the elements by type
// group (ten names a statement, arrays with "()", the first-time flags of the
// arrays), the value arrays of the inputs with changes of value, and the
// genetic algorithm's arrays.
std::vector<std::string> SimulatorDeclarations(const ModelTables& model, const SimulationState& sim);

}  // namespace korva

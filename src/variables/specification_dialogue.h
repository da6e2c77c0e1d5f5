#pragma once
// The questions that specify a calculated element: uncertainty, state and
// initial value, dimensions and sizes, table and points. Codes in square
// brackets in the element's name answer them in advance; every answer goes
// through the answers log.
#include "core/run_context.h"
#include "model/model_cycle.h"
#include "model/simulation_state.h"
#include "model/element_spec.h"

namespace korva {

// "¿Tiene todas las funciones grabadas y correctas?": true for "s". In replay,
// a record that is not this question's shows "Error de descuadre en fichero
// Modelo" with the log number and ends the program.
bool AskFunctionsRecorded(RunContext& run);

// The element's questions, from the uncertainty question to the table's
// number of points. `codesTrusted`: the modeller trusts the codes, so no
// notice about subscripts is shown.
ElementSpec SpecifyElement(RunContext& run, const ModelCycle& cycle, const SimulationState& sim, bool codesTrusted,
                           int index);

}  // namespace korva

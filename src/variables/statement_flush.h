#pragma once
// Writing the held-back statements of the calculation section to the
// simulator, after offering the modeller the correction of any of them.
#include "core/run_context.h"
#include "simgen/simulation_state.h"

namespace korva {

// After an element: true when the statements held back are many for the room
// the buffer was given (fewer than 25 places left of half of it, and more
// than 25 statements).
bool FlushDue(const SimulationState& sim);

// Unless the codes are trusted, asks "¿Desea corregir alguna sentencia?" until
// the answer is not "s" (each "s" corrects one statement through the answers
// log; "t" ends the program); then writes every statement, renumbered after
// those already in the simulator, and empties the buffer.
void FlushStatements(RunContext& run, SimulationState& sim, bool codesTrusted);

}  // namespace korva

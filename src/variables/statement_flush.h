#pragma once
// Writing the held-back statements of the calculation section to the
// simulator, after offering the modeller the correction of any of them.
#include "core/run_context.h"
#include "simulator/simulator_module.h"

namespace korva {

// Unless the codes are trusted, asks "¿Desea corregir alguna sentencia?" until
// the answer is not "s" (each "s" corrects one statement through the answers
// log; "t" ends the program); then writes every statement, renumbered after
// those already in the simulator, and empties the buffer.
void FlushStatements(RunContext& run, SimulatorModule& simulator, bool codesTrusted);

}  // namespace korva

#pragma once
#include "core/run_state.h"
#include "simgen/input_code.h"

namespace korva {

// Settles every input variable (the elements of level 1, in list order) from
// its bracket codes or by questions through the answers log, and writes its
// code: the reading statement into the simulator, its section into the
// data-entry program and its lines into the simulator body.
void InputVariablesStep(RunState& run, OutputFile& dataFile);

// The answers of one input, from its codes or the answers log or questions.
InputSettings SettleInput(RunState& run, int element, bool useCodes);

}  // namespace korva

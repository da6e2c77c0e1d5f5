#pragma once
#include "core/run_context.h"
#include "emit/module_writer.h"
#include "model/model_tables.h"
#include "simgen/input_code.h"
#include "simgen/simulation_state.h"

namespace korva {

// Settles every input variable (the elements of level 1, in list order) from
// its bracket codes or by questions through the answers log, and writes its
// code: the reading statement into the simulator, its section into the
// data-entry program `data` and its lines into the simulator body.
void InputVariablesStep(RunContext& run, const ModelTables& model, SimulationState& sim, RunWideAnswers& wide,
                        ModuleWriter& data);

// The answers of one input, from its codes or the answers log or questions.
InputSettings SettleInput(RunContext& run, const ModelTables& model, const SimulationState& sim, int element,
                          bool useCodes);

}  // namespace korva

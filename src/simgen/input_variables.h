#pragma once
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/run_context.h"
#include "data_entry/data_entry_module.h"
#include "model/model_tables.h"
#include "simgen/input_code.h"
#include "model/simulation_state.h"
#include "simulator/simulator_module.h"

namespace korva {

// Settles every input variable (the elements of level 1, in list order) from
// its bracket codes or by questions through the answers log, and writes its
// code: the reading statement and its lines of the body into the simulator,
// its section into the data-entry program.
void InputVariablesStep(RunContext& run, const ModelTables& model, SimulationState& sim, RunWideAnswers& wide,
                        SimulatorModule& simulator, DataEntryModule& data);

// The names a dimension size may hold. `usable`: the earlier inputs whose
// values may size a later input's arrays (certain, scalar inputs with a single
// value, read before it from the data file), each with the variable that holds
// its value in the data-entry program. `elements`: every element's identifier.
// Both in upper case: the generated programs ignore case.
struct SizeInputs {
  std::unordered_map<std::string, std::string> usable;
  std::unordered_set<std::string> elements;
};

// The answers of one input, from its codes or the answers log or questions. A
// dimension size naming an element that is not one of `sizeInputs` is refused
// with a message and asked again: its value is not known when the data are read.
InputSettings SettleInput(RunContext& run, const ModelTables& model, const SimulationState& sim, int element,
                          bool useCodes, const SizeInputs& sizeInputs = {});

}  // namespace korva

#pragma once
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

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

// The names a dimension size may hold: the earlier inputs whose values may
// size a later input's arrays (certain, scalar inputs with a single value, read
// before it from the data file), each with the variable that holds its value
// in the data-entry program, and every element's identifier. Both compared in
// upper case: the generated programs ignore case. Each is indexed only when a
// size is first looked at, as far as it has grown: most models size no array
// by a name.
class SizeInputs {
 public:
  SizeInputs() = default;
  explicit SizeInputs(const ModelTables& model) : model_(&model) {}

  // Element `element`, an input, may size the arrays of the inputs after it.
  void AddUsable(int element) { usableElements_.push_back(element); }
  // The data-entry variable of the usable input named `upperWord`; nullptr when none.
  const std::string* UsableVariable(const std::string& upperWord) const;
  // Whether `upperWord` is an element's identifier.
  bool IsElement(const std::string& upperWord) const;

 private:
  const ModelTables* model_ = nullptr;
  std::vector<int> usableElements_;
  mutable size_t usableIndexed_ = 0;  // how many of usableElements_ are in usable_
  mutable std::unordered_map<std::string, std::string> usable_;
  mutable std::optional<std::unordered_set<std::string>> elements_;
};

// The answers of one input, from its codes or the answers log or questions. A
// dimension size naming an element that is not one of `sizeInputs` is refused
// with a message and asked again: its value is not known when the data are read.
InputSettings SettleInput(RunContext& run, const ModelTables& model, const SimulationState& sim, int element,
                          bool useCodes, const SizeInputs& sizeInputs = {});

}  // namespace korva

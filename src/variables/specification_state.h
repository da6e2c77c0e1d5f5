#pragma once
// What the specification stage keeps from one element to the next and hands
// to the completion of the modules: the results of the accepted elements, the
// size variables, the gene count, the initial-value statements and the place
// reached in the ordered equations file.
#include <string>
#include <vector>

#include "results_program/result_variable.h"
#include "text/string_map.h"
#include "model/element_spec.h"
#include "variables/record_size.h"

namespace korva {

struct SpecificationState {
  // "¿Tiene todas las funciones grabadas y correctas?" answered "s": every
  // function is read from the ordered equations file, else typed and the file
  // written anew.
  bool FunctionsRecorded = false;
  // The blocks of the ordered equations file (functions recorded), one per
  // calculated element in calculation order, and the next one to take.
  std::vector<std::vector<std::string>> EquationBlocks;
  size_t NextBlock = 0;

  // The accepted elements in calculation order, and the size of the results record.
  std::vector<ResultVariable> ResultVariables;
  RecordSize Record;

  // The dimension sizes that name a variable, each once, in order of first appearance.
  std::vector<std::string> SizeVariables;
  StringMap<bool> SizeVariableSeen;

  // The text of the chromosome's first dimension size.
  std::string GeneCountText;

  // The statements that give the state elements' initial values their new
  // values, gathered into lines of about 76 characters.
  std::vector<std::string> InitialValueSlots;
  // The state elements accepted, in calculation order.
  std::vector<ElementSpec> StateElements;

  // How many functions carry uncertainty: drawn like the uncertain inputs.
  int UncertainFunctionCount = 0;

  // How many dimensional elements have been accepted: the next one's
  // first-time flag is "k" + this + 1.
  int DimensionalSpecified = 0;
  // The loops the last accepted element left open ("next:" a dimension).
  std::string PreviousLoopCloser;

  void AddSizeVariable(const std::string& name) {
    if (SizeVariableSeen.try_emplace(name, true).second) SizeVariables.push_back(name);
  }
};

}  // namespace korva

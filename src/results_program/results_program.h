#pragma once
// The results program R<model>.bas: its head, made before the elements are
// specified; one entry of the table of result variables per accepted element;
// and, once the simulator is complete, the choice of the simulation, the
// reading of its control file, the table and the representer module. The
// program keeps its lines until it is saved.
#include <string>
#include <vector>

#include "core/run_context.h"
#include "model/model_tables.h"
#include "model/simulation_state.h"
#include "results_program/result_variable.h"

namespace korva {

class ResultsProgram {
 public:
  // The head. `computed` is the number of calculated elements.
  void Start(const std::string& modelName, const SimulationState& sim, int computed);

  // The entry of the k-th accepted element (k from 1).
  void Add(const ResultVariable& variable, int k);

  // The choice of the simulation, the table of result variables and the
  // representer module. `uncertainCount` counts the uncertain inputs and functions.
  void Finish(const ModelTables& model, int uncertainCount, const std::vector<std::string>& sizeVariables);

  // Writes the whole program to `path`; a failure is reported and ends the program.
  void Save(RunContext& run, const std::string& path) const;

  const std::vector<std::string>& Text() const { return lines_; }

 private:
  void EndLine();

  std::vector<std::string> lines_;  // the head, then what follows the table
  std::vector<std::string> table_;
  std::string line_ = " :";
  long nextNumber_ = 60;
  // The head gave the chart buffer its third row.
  bool headThirdRow_ = false;
};

// The message that ends a create run, naming the three modules.
std::string GenerationEndMessage(const std::string& modelName);

}  // namespace korva

#pragma once
// The results program R<model>.bas: its head, written before the elements are
// specified; one entry of the table of result variables per accepted element,
// kept in R<model>.tem meanwhile; and, once the simulator is complete, the
// choice of the simulation, the table and the representer module.
#include <memory>
#include <string>

#include "core/run_context.h"
#include "model/model_cycle.h"
#include "simgen/simulation_state.h"
#include "variables/specification_state.h"

namespace korva {

class ResultsProgram {
 public:
  // Writes the head (the file made anew and closed) and opens the table's
  // temporary file. `computed` is the number of calculated elements.
  void Start(RunContext& run, const ModelCycle& cycle, const SimulationState& sim, int computed);

  // The entry of the k-th accepted element (k from 1).
  void Add(const ResultVariable& variable, int k);

  // Appends the choice of the simulation, the table of result variables and
  // the representer module, and closes the program; the temporary file is deleted.
  void Finish(RunContext& run, const ModelCycle& cycle, const SimulationState& sim, const SpecificationState& state);

 private:
  void EndLine();

  std::unique_ptr<OutputFile> body_;
  std::string line_ = " :";
  long nextNumber_ = 60;
  // The head gave the chart buffer its third row.
  bool headThirdRow_ = false;
};

// The message that ends a create run, naming the three modules.
std::string GenerationEndMessage(const std::string& modelName);

}  // namespace korva

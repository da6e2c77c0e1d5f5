#pragma once
// The statements of the simulator's calculation section: those of one element
// (closing the previous element's loops, sizing an array the first time, its
// loops, its function, the draw of an uncertain value, the output), and those
// that close the section after the last element.
#include <string>
#include <vector>

#include "model/element_spec.h"
#include "model/simulation_state.h"
#include "simulator/element_text.h"
#include "simulator/simulator_statement.h"

namespace korva {

struct ElementStatementInput {
  const ElementSpec& element;
  const std::vector<std::string>& lines;   // the function's lines
  const std::vector<std::string>& lookup;  // a table's lookup statements
  std::string previousCloser;              // the loops the previous element left open
  int guardNumber = 0;                     // r of the first-time flag "k" + r of an array
  bool chromosome = false;                 // the genetic algorithm's chromosome variable
  std::string output;                      // the element's output statement
};

// Each statement, its text beginning with a blank, in the order they are numbered.
SimulatorStatements ElementStatements(const ElementStatementInput& in);

// The closing of the calculation section after the last element: the last
// loops closed, the initial values renewed, the progress report, the end of
// the time loop, the start indexes of changing inputs reset, the control file
// of the simulation written and the simulation loop closed (a new simulation
// asked for goes back to `restartLabel`).
struct CalculationClosing {
  const std::string& previousCloser;                  // the loops the last element left open
  const std::vector<ElementSpec>& stateElements;      // in calculation order
  const std::vector<std::string>& initialValueSlots;  // the initial values' new values, in lines
  std::string recordSize;                             // the values of a record ("" for none)
  const std::vector<std::string>& sizeVariables;      // each once, in order of first appearance
  long restartLabel = 0;
};
SimulatorStatements ClosingStatements(const CalculationClosing& in, const SimulationState& sim, ResultsFile results);

// Whether the simulator writes its results as records of every repetition.
inline ResultsFile ResultsFileOf(const SimulationState& sim) {
  return sim.WithUncertainty() ? ResultsFile::kRecords : ResultsFile::kText;
}

}  // namespace korva

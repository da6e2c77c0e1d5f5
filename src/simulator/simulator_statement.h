#pragma once
// The statements of the simulator's body and calculation section as the
// simulator module keeps them: the text, and what the module needs to know of
// each when it copies the calculation into the evaluation of a candidate of
// the genetic algorithm.
#include <string>
#include <vector>

#include "emit/statement_buffer.h"

namespace korva {

enum class StatementRole : unsigned char {
  kPlain,             // copied, the candidate in place of the chromosome variable
  kEvaluationStart,   // the time-loop head or the equations mark: the copy starts after it
  kSizing,            // an array's first-time sizing test and redim: copied as they are
  kChromosomeSizing,  // the chromosome's first-time sizing: left out
  kChromosomeLoops,   // the chromosome's loops, which run the algorithm first: copied without it
  kFunctionLine,      // a line of the function: left out when it takes the best individual
  kOutput,            // the output of a value: left out
  kCalculationEnd,    // the copy ends before it
};

struct SimulatorStatement {
  std::string text;
  StatementRole role = StatementRole::kPlain;
  // The length of the output statement that ends the text (a table's last
  // lookup statement), left out of the copy.
  size_t outputTail = 0;

  StatementMark Mark() const { return StatementMark{static_cast<unsigned char>(role), outputTail}; }
};

using SimulatorStatements = std::vector<SimulatorStatement>;

}  // namespace korva

#pragma once
// The lines of an element's function: read from the ordered equations file or
// typed by the modeller, and, for a table, its points, which go to the table
// data file named by the element's identifier.
//
// A block of the ordered equations file begins with a line that does not begin
// with a blank and goes on with lines that do. A table's block holds its table
// data: the header line first, then one point a line (each after a blank), so
// that the points never become statements of the simulator.
#include <string>
#include <vector>

#include "core/run_context.h"
#include "model/model_cycle.h"
#include "model/element_spec.h"
#include "variables/specification_state.h"

namespace korva {

// The blocks of the ordered equations file, in order; empty lines belong to none.
std::vector<std::vector<std::string>> SplitEquationBlocks(const std::vector<std::string>& lines);

struct FunctionText {
  // The function's lines, as numbered into the simulator (line 1 may be its header).
  std::vector<std::string> Lines;
  // A table's data: its header line, then its points.
  std::vector<std::string> TableData;
  bool Literal = false;  // some point holds a double quote
};

// The function's lines of `element`: the next block of the ordered equations file
// when the functions are recorded, else typed (a table's header line and
// points, or the function's lines and their correction). A table's data file
// is written. A block that is missing or longer than `maxLines` is reported
// and ends the program.
FunctionText ObtainFunction(RunContext& run, const ModelCycle& cycle, const SpecificationState& state,
                            const ElementSpec& element, int maxLines);

// The function as the ordered equations file keeps it: the first line without
// leading blank, every further line after one.
std::vector<std::string> EquationBlockOf(const ElementSpec& element, const FunctionText& function);

}  // namespace korva

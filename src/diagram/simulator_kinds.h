#pragma once
// What the simulator module tells of each element beyond the matrix: which
// calculated elements are states (their value copied at the end of a step
// into the input that holds the previous value), which are tables (looked up
// in the data file named by their identifier), and which inputs and
// functions are uncertain (drawn by the sampling routines).
#include <string>
#include <vector>

#include "diagram/model_graph.h"

namespace korva {

// Marks the kinds in `graph` from the lines of S<model>.bas.
void ApplySimulatorKinds(const std::vector<std::string>& simulatorLines, ModelGraph& graph);

}  // namespace korva

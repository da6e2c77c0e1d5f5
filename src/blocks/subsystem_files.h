#pragma once
// Dividing the model into the subsystems formed: each subsystem's element
// list, matrix and equations (LSUB, CSUB, GSUB files), and the model one level
// up whose elements are the subsystems (ls, cs, es files).
#include <string>
#include <vector>

#include "blocks/block_forming.h"
#include "core/run_state.h"

namespace korva {

// "SUB" + number, padded with blanks to the width of the largest number.
std::string SubsystemId(int k, int subCount);

// The subsystems each subsystem depends on (ascending): those that compute an
// element that is an input of it.
std::vector<std::vector<int>> SubsystemSuppliers(const BlockForming& forming, int elementCount);

// The proposal and, when accepted, every division file.
void DivideIntoSubsystems(RunState& run, const BlockForming& forming);

}  // namespace korva

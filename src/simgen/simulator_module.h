#pragma once
// The fixed parts of the simulator "S<model>.bas": header (also written by the
// model assembler), normal table, run parameters, simulation loop head and
// results file.
#include "core/run_state.h"

namespace korva {

// Writes the header; with uncertainty also the normal table, after which the
// line counter is 22, so the programme-title line is 230.
void WriteSimulatorHeader(RunState& run);
void WriteNormalTable(OutputFile& out);

// "udi=", the run-parameter questions of the generated program, the loop over
// the simulations and the opening of its data and results files.
void WriteRunParameters(RunState& run);
void WriteSimulationLoopHead(RunState& run);

}  // namespace korva

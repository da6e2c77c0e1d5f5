#pragma once
// The fixed parts of the simulator "S<model>.bas": header (also written by the
// model assembler), normal table, run parameters, simulation loop head and
// results file. All go through the simulator's writer, sim.SimWriter.
#include <string>

#include "emit/module_writer.h"
#include "simgen/simulation_state.h"

namespace korva {

// Writes the header; with uncertainty also the normal table, after which the
// line counter is 22, so the programme-title line is 230.
void WriteSimulatorHeader(const std::string& modelName, SimulationState& sim);
void WriteNormalTable(ModuleWriter& out);

// "udi=", the run-parameter questions of the generated program, the loop over
// the simulations and the opening of its data and results files.
void WriteRunParameters(SimulationState& sim);
void WriteSimulationLoopHead(SimulationState& sim);

}  // namespace korva

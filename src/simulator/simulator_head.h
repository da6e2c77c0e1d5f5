#pragma once
// The fixed head of the simulator "S<model>.bas": the declarations of the
// algorithm's and the sampling's variables, the main procedure's header, the
// normal table, the programme title, the run parameters and the head of the
// loop over the simulations.
#include <string>

#include "emit/module_writer.h"
#include "model/simulation_state.h"

namespace korva {

// Up to the header of the main procedure "Public Sub S<model>()".
void WriteMainProcedureHeader(ModuleWriter& out, const std::string& modelName, const SimulationState& sim);

// With uncertainty the normal table, after which the counter is set so that
// the title is 230; then the title and the blank identification line.
// Returns the label of that line, where a new simulation starts again.
long WriteProgramTitle(ModuleWriter& out, const std::string& modelName, const SimulationState& sim);

void WriteNormalTable(ModuleWriter& out);

// "udi=", the run-parameter questions of the generated program.
void WriteRunParameters(ModuleWriter& out, const SimulationState& sim);

// The loop over the simulations and the opening of its data and results
// files; with uncertainty it ends with the count of uncertain quantities.
void WriteSimulationLoopHead(ModuleWriter& out, const SimulationState& sim);

}  // namespace korva

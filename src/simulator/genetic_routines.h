#pragma once
// The genetic algorithm of an optimised model's simulator: the driver ALGGEN,
// the initial population, selection, immigration and reproduction. The
// evaluation of one candidate (calcobj) is made by the simulator module from
// the statements it wrote.
#include <string>
#include <vector>

#include "model/simulation_state.h"

namespace korva {

// The lines of ALGGEN, POBLINIC, SELEC, INMIGR and REPRO for these options.
std::vector<std::string> GeneticProcedures(const SimulationState& sim);

}  // namespace korva

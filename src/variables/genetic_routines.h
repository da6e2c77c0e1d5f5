#pragma once
// The genetic algorithm of an optimised model's simulator: the driver ALGGEN,
// the initial population, selection, immigration and reproduction, and the
// evaluation of one candidate chromosome (calcobj), made from the simulator's
// own calculation section.
#include <string>
#include <vector>

#include "core/run_context.h"
#include "model/model_cycle.h"
#include "simgen/simulation_state.h"

namespace korva {

// The lines of ALGGEN, POBLINIC, SELEC, INMIGR and REPRO for these options.
std::vector<std::string> GeneticProcedures(const SimulationState& sim);

// The body of calcobj from the simulator's lines: the calculation section's
// lines, without the output statements, the chromosome's first-time sizing, the
// call of the algorithm and the chromosome's own assignment, with the
// chromosome's identifier made XXX; each line led by three blanks.
std::vector<std::string> EvaluationLines(const std::vector<std::string>& simulator, const std::string& chromosome);

// Appends the procedures to the simulator, open for appending; calcobj is
// made through S<model>.tem. The simulator is left open for appending.
void WriteGeneticRoutines(RunContext& run, const ModelCycle& cycle, SimulationState& sim);

}  // namespace korva

#pragma once
// Simulating an imported model with korva's own programs, in this process:
// the create cycle replays the prepared log into the three modules, the
// data-entry program (in korva-vbrun's interpreter) saves the data of
// simulation 1 and the simulator runs it; the records it leaves are read
// back as XMILE reports them.
//
// The simulator computes, at each step, the flows and auxiliaries from the
// stocks at the start of the step and the stocks at its end, and records
// both (read back by run_results). So the row of time t takes the stocks from the record of the step
// that ends at t (the initial values at the start time) and the flows and
// auxiliaries from the step that starts at t: the simulation runs one step
// past the stop time.
#include <string>
#include <vector>

#include "xmile/import_plan.h"

namespace korva::xmile {

struct SimulationTable {
  std::vector<std::string> header;  // "Time", then the names as the file writes them (UTF-8)
  std::vector<std::vector<double>> rows;
};

struct SimulationOutcome {
  bool ok = false;
  std::string message;  // why not (Windows-1252)
  SimulationTable table;
};

// The answers that the data-entry program takes to save the inputs' values
// as simulation 1, and that the simulator takes to run it.
std::vector<std::string> DataEntryAnswers(const ImportPlan& plan);
std::vector<std::string> SimulatorAnswers(const SimSpecs& sim);

// `directory` holds the files of the import (model `modelName`, log
// `logNumber`); everything the programs write is left there.
SimulationOutcome SimulateImported(const ImportPlan& plan, const std::string& directory,
                                   const std::string& modelName, int logNumber);

// The table as CSV text (comma-separated, names quoted when they need it).
std::vector<std::string> CsvLines(const SimulationTable& table);

}  // namespace korva::xmile

#pragma once
// The assemble path: the older assembler of subsystem models. It tells the
// modeller that it is superseded, asks whether to go on, asks the assembly
// parameters through the answers log, writes the header of a data-entry program
// for the assembled model in the directory chosen for the assembled programs,
// and ends the program.
#include <string>

#include "core/run_context.h"
#include "model/model_cycle.h"

namespace korva {

// The answers of the assembly, as typed (none is validated); the directories
// carry the "\" appended to them.
struct AssemblyParameters {
  long MaxConnections = 0;
  std::string ReadDir;
  std::string WriteDir;
  std::string Uncertainty;  // lower-cased: "a", "t", "n" or anything typed
  std::string Dynamic;      // lower-cased
};

// The file the data-entry header goes to: the working directory, the write
// directory, "d", the model name and ".bas".
std::string AssembledDataProgramName(const RunContext& run, const ModelCycle& cycle, const AssemblyParameters& p);

// Returns only when the modeller declines to go on; otherwise the program ends.
void AssembleModels(RunContext& run, ModelCycle& cycle);

}  // namespace korva

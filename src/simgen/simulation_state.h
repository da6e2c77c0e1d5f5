#pragma once
// What the simulation set-up settles and keeps for the later stages: the
// options of the simulation, the counters of the generated modules and the
// per-element flags of the input variables.
#include <memory>
#include <string>
#include <vector>

#include "files/file_system.h"

namespace korva {

struct SimulationState {
  // Options.
  std::string GaChoice;              // "s" or "n"
  std::string ChromosomeVar;
  std::string InitialChromosomeVar;
  std::string ChromosomeParamsVar;
  int MaxAlleles = 0;                // 0: continuous genes
  std::string ObjectiveVar;
  std::string DynamicChoice;         // "s" or "n"
  std::string TimeUnit;
  std::string UncertaintyChoice;     // "a", "t", "n"; empty for a static system

  // Counters of the inputs: uncertain quantities (nvi), per-step random
  // lines, inputs with changes of value, elements that are not inputs.
  int UncertainCount = 0;
  int ChangingInputCount = 0;
  int ValueChangeInputCount = 0;
  int NonInputCount = 0;

  // Line counters of the modules: the simulator's (lines are counter × 10)
  // and the data-entry program's; lines of the simulator body in use.
  int SimLineCounter = 0;
  int DataLineCounter = 0;
  int EmitSlotsUsed = 0;
  int PerStepLines = 0;  // the last lines of the body, run at every step

  // The start-index statements ": l<id>=1" of inputs with changes of value,
  // gathered for models with uncertainty (a new line past 76 characters).
  std::vector<std::string> ValueChangeInits;

  // Per element (1..N): uncertain input under uncertainty "a", dimensional,
  // number of values (changes + 1; 1 for other elements).
  std::vector<int> UncertainFlags;
  std::vector<int> DimensionalFlags;
  std::vector<int> ValueCounts;

  // The simulator module, open from the set-up to the end of the equations stage.
  std::unique_ptr<OutputFile> SimFile;
};

// Answer to "¿Desea utilizar los códigos entre corchetes sin comprobar nada?":
// asked at most once in a run of the program; empty until then.
struct RunWideAnswers {
  std::string BracketCodesTrusted;
};

}  // namespace korva

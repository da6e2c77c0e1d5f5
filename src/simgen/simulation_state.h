#pragma once
// What the simulation set-up settles and keeps for the later stages of a create
// cycle: the options of the simulation, the counters of the input variables,
// their per-element flags, and the simulator module being written. A new cycle
// starts from a new one.
#include <memory>
#include <string>
#include <vector>

#include "emit/module_writer.h"
#include "emit/statement_buffer.h"
#include "files/file_system.h"

namespace korva {

// The answer to the uncertainty question ("a", "t", "n"); not asked for a
// static model. A replayed answer that is none of the three counts as not asked.
enum class Uncertainty {
  kUnasked,
  kSomeInputs,  // "a": asked input by input
  kAllInputs,   // "t"
  kNoInputs,    // "n"
};

struct SimulationState {
  // Options.
  bool GeneticAlgorithm = false;  // "¿Algoritmo genético?" answered "s"
  std::string ChromosomeVar;
  std::string InitialChromosomeVar;
  std::string ChromosomeParamsVar;
  int MaxAlleles = 0;  // 0: continuous genes
  std::string ObjectiveVar;
  std::string DynamicChoice;  // "¿Sistema dinámico?" as answered: also the generated program's udi
  std::string TimeUnit;
  Uncertainty UncertaintyChoice = Uncertainty::kUnasked;

  bool IsDynamic() const { return DynamicChoice == "s"; }

  // Uncertainty in some or all inputs: the simulator draws random values.
  bool WithUncertainty() const {
    return UncertaintyChoice == Uncertainty::kSomeInputs || UncertaintyChoice == Uncertainty::kAllInputs;
  }

  // Counters of the inputs: uncertain quantities (nvi), per-step random
  // lines, inputs with changes of value, elements that are not inputs.
  int UncertainCount = 0;
  int ChangingInputCount = 0;
  int ValueChangeInputCount = 0;
  int NonInputCount = 0;

  // The start-index statements ": l<id>=1" of inputs with changes of value,
  // gathered for models with uncertainty (a new line past 76 characters).
  std::vector<std::string> ValueChangeInits;

  // Per element (1..N): uncertain input under uncertainty "a", dimensional,
  // number of values (changes + 1; 1 for other elements).
  std::vector<int> UncertainFlags;
  std::vector<int> DimensionalFlags;
  std::vector<int> ValueCounts;

  // The simulator module, open from the set-up to the end of the equations
  // stage, and its numbering (SimLineCounter is SimWriter.Counter()).
  std::unique_ptr<OutputFile> SimFile;
  ModuleWriter SimWriter;
  // The statements held back before they are written; EmitSlotCount is where
  // its count starts (10 + 8 × the inputs) and GLineReserve the equation-line
  // reserve, both set when the create activity starts.
  StatementBuffer EmitSlots;
  int EmitSlotCount = 0;
  int GLineReserve = 0;
};

// What a run keeps across its cycles.
struct RunWideAnswers {
  // "¿Desea utilizar los códigos entre corchetes sin comprobar nada?": asked at
  // most once in a run, when the first name with codes is met.
  enum class CodesTrust { kUnasked, kTrusted, kChecked };
  CodesTrust BracketCodesTrusted = CodesTrust::kUnasked;
};

}  // namespace korva

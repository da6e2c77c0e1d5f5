#pragma once
// What the simulation set-up settles and keeps for the later stages of a create
// cycle: the options of the simulation, the counters of the input variables
// and their per-element flags. A new cycle starts from a new one.
#include <string>
#include <vector>

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

  // Counters of the inputs: uncertain inputs, inputs drawn anew at every
  // step, inputs with changes of value.
  int UncertainInputCount = 0;
  int ChangingInputCount = 0;
  int ValueChangeInputCount = 0;

  // The start-index statements ": l<id>=1" of inputs with changes of value,
  // gathered for models with uncertainty (a new line past 76 characters).
  std::vector<std::string> ValueChangeInits;

  // Per element (1..N): uncertain input under uncertainty "a", dimensional,
  // number of values (changes + 1; 1 for other elements).
  std::vector<int> UncertainFlags;
  std::vector<int> DimensionalFlags;
  std::vector<int> ValueCounts;

  // Whether input `element` is drawn at random: all inputs under "t", the flagged ones under "a".
  bool IsUncertainInput(int element) const {
    return UncertaintyChoice == Uncertainty::kAllInputs ||
           (element >= 0 && static_cast<size_t>(element) < UncertainFlags.size() &&
            UncertainFlags[static_cast<size_t>(element)] == 1);
  }
};

// What a run keeps across its cycles.
struct RunWideAnswers {
  // "¿Desea utilizar los códigos entre corchetes sin comprobar nada?": asked at
  // most once in a run, when the first name with codes is met.
  enum class CodesTrust { kUnasked, kTrusted, kChecked };
  CodesTrust BracketCodesTrusted = CodesTrust::kUnasked;
};

}  // namespace korva

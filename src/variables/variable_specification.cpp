#include "variables/variable_specification.h"

#include <memory>

#include "core/guarded_files.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "simgen/bracket_codes.h"
#include "text/vb_text.h"
#include "variables/calculation_section.h"
#include "variables/function_check.h"
#include "variables/function_source.h"
#include "variables/simulator_completion.h"
#include "variables/simulator_declarations.h"
#include "variables/specification_dialogue.h"
#include "variables/statement_flush.h"
#include "variables/table_lookup.h"

namespace korva {
namespace {

// A slot of initial-value statements is closed once longer than this.
constexpr size_t kSlotLength = 76;

// The calculated elements in calculation order: level 2 and up, list order within a level.
std::vector<int> CalculationOrder(const ModelTables& model) {
  std::vector<std::vector<int>> byLevel(static_cast<size_t>(std::max(model.LevelCount, 1)) + 1);
  for (int i = 1; i <= model.ElementCount; ++i) {
    const int level = model.CalcLevel[i];
    if (level >= 2 && level <= model.LevelCount) byLevel[static_cast<size_t>(level)].push_back(i);
  }
  std::vector<int> order;
  order.reserve(static_cast<size_t>(model.ElementCount));
  for (const std::vector<int>& level : byLevel) order.insert(order.end(), level.begin(), level.end());
  return order;
}

class SpecificationStage {
 public:
  SpecificationStage(RunContext& run, ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide,
                     SpecificationState& state)
      : run_(run),
        cycle_(cycle),
        sim_(sim),
        state_(state),
        codesTrusted_(wide.BracketCodesTrusted == RunWideAnswers::CodesTrust::kTrusted),
        results_(ResultsFileOf(sim)) {}

  void Run() {
    state_.FunctionsRecorded = AskFunctionsRecorded(run_);
    const std::string equations = ModelFile(run_, cycle_, "F", ".txt");
    if (state_.FunctionsRecorded) {
      state_.EquationBlocks = SplitEquationBlocks(ReadGuardedLines(run_, equations));
    } else {
      typedEquations_ = OpenGuardedOutput(run_, equations);
    }
    for (int element : CalculationOrder(cycle_.Model)) {
      SpecifyUntilAccepted(element);
      if (FlushDue(sim_)) FlushStatements(run_, sim_, codesTrusted_);
    }
    if (typedEquations_ != nullptr) CloseGuarded(run_, typedEquations_);

    RewriteSimulator(run_, cycle_, sim_, state_.GeneCountText);
    for (std::string& statement : ClosingStatements(state_, sim_, results_))
      sim_.EmitSlots.Append(std::move(statement));
    FlushStatements(run_, sim_, codesTrusted_);
    CompleteSimulator(run_, sim_);
  }

 private:
  // The element's specification, function and statements, again from its
  // first question while the modeller rejects them.
  void SpecifyUntilAccepted(int element) {
    const int maxLines = std::max(sim_.GLineReserve, 1);
    const ModelTables& model = cycle_.Model;
    const bool hasCodes = !CodeSection(model.ElementList[element], model.IdLength).empty();
    for (;;) {
      const int mark = sim_.EmitSlots.Mark();
      ElementSpec spec = SpecifyElement(run_, cycle_, sim_, codesTrusted_, element);
      FunctionText function = ObtainFunction(run_, cycle_, state_, spec, maxLines);
      const std::string output = OutputStatement(spec, sim_.IsDynamic(), results_);
      std::vector<std::string> lookup;
      if (spec.IsTable) {
        lookup = TableLookupStatements(spec, function.Literal, output);
        if (!codesTrusted_ && !LookupAccepted(lookup)) continue;
      }
      const bool chromosome = sim_.GeneticAlgorithm && spec.Id == sim_.ChromosomeVar;
      ElementStatementInput input{
          spec, function.Lines, lookup, state_.PreviousLoopCloser, state_.DimensionalSpecified + 1, chromosome, output};
      for (std::string& statement : ElementStatementTexts(input)) sim_.EmitSlots.Append(std::move(statement));

      std::string shown = spec.FunctionHeader;
      for (int i = mark + 1; i <= sim_.EmitSlots.Used(); ++i) shown += LF + sim_.EmitSlots.Entry(i);
      Tell(run_, shown);
      std::vector<std::string> checked = function.Lines;
      checked.insert(checked.end(), lookup.begin(), lookup.end());
      if (!FunctionAccepted(spec, hasCodes, checked)) {
        sim_.EmitSlots.RollBack(mark);
        continue;
      }
      Accept(spec, function);
      return;
    }
  }

  // The table's last four lookup statements shown for confirmation.
  bool LookupAccepted(const std::vector<std::string>& lookup) {
    std::string prompt;
    for (size_t k = lookup.size() >= 4 ? lookup.size() - 4 : 0; k < lookup.size(); ++k) prompt += lookup[k] + LF;
    return AskLoggedChoice(run_, "   ¿Correcto?", prompt + "¿Es correcto? (S/N/T)", {"s", "n", "t"}) != "n";
  }

  // Asked, or checked without asking when the element's codes are trusted;
  // a function that fails the check ends the program.
  bool FunctionAccepted(const ElementSpec& spec, bool hasCodes, const std::vector<std::string>& lines) {
    if (!hasCodes || !codesTrusted_) {
      return AskLoggedChoice(run_, "   ¿Correcto?", "¿Es correcto? (S/N/T)", {"s", "n", "t"}) != "n";
    }
    if (!FunctionPassesCheck(spec, lines)) {
      Tell(run_, "HAY ALGUN ERROR CON RESPECTO A LA FUNCIÓN " + spec.FunctionHeader + LF +
                     "     Le sugiero corrija o suprima los códigos entre corchetes" + LF +
                     "     de los nombres de las variables de salida desde " + spec.FullName);
      EndProgram(EndReason::kErrorReported);
    }
    return AskLogged(
               run_, "   ¿Correcto?", [] { return std::string("s"); }, NumberRecord::kAsText) != "n";
  }

  void Accept(const ElementSpec& spec, const FunctionText& function) {
    if (typedEquations_ != nullptr) {
      for (const std::string& line : EquationBlockOf(spec, function)) typedEquations_->WriteLine(line);
    }
    if (state_.FunctionsRecorded) ++state_.NextBlock;
    if (spec.HasUncertainty) ++sim_.UncertainCount;
    if (spec.IsState) {
      std::vector<std::string>& slots = state_.InitialValueSlots;
      if (slots.empty() || slots.back().size() > kSlotLength) slots.emplace_back();
      slots.back() += InitialValueStatement(spec);
    }
    ResultVariable result{spec.Id, spec.FullName, spec.DimensionSizes, state_.Record.Simplified()};
    if (spec.IsDimensional) {
      sim_.DimensionalFlags[static_cast<size_t>(spec.Element)] = 1;
      ++state_.DimensionalSpecified;
      for (const std::string& size : spec.DimensionSizes) {
        if (size[0] < '0' || size[0] > '9') state_.AddSizeVariable(size);
      }
      if (sim_.GeneticAlgorithm && spec.Id == sim_.ChromosomeVar) state_.GeneCountText = spec.DimensionSizes[0];
      result.Uid = DeclarationText(spec).substr(4);
      state_.Record.AddArray(spec.DimensionSizes);
    } else {
      state_.Record.AddScalar();
    }
    state_.ResultVariables.push_back(std::move(result));
    state_.PreviousLoopCloser = LoopCloser(spec);
  }

  RunContext& run_;
  ModelCycle& cycle_;
  SimulationState& sim_;
  SpecificationState& state_;
  const bool codesTrusted_;
  const ResultsFile results_;
  std::unique_ptr<OutputFile> typedEquations_;
};

}  // namespace

void VariableSpecification(RunContext& run, ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide,
                           SpecificationState& spec) {
  SpecificationStage(run, cycle, sim, wide, spec).Run();
}

}  // namespace korva

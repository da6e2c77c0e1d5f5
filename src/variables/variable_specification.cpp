#include "variables/variable_specification.h"

#include <memory>

#include "core/guarded_files.h"
#include "core/log_labels.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "core/step_progress.h"
#include "simgen/bracket_codes.h"
#include "text/vb_text.h"
#include "variables/calculation_section.h"
#include "variables/function_check.h"
#include "variables/function_source.h"
#include "variables/results_program.h"
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
    const std::vector<int> order = CalculationOrder(cycle_.Model);
    resultsProgram_.Start(run_, cycle_, sim_, static_cast<int>(order.size()));
    state_.FunctionsRecorded = AskFunctionsRecorded(run_);
    const std::string equations = ModelFile(run_, cycle_, "F", ".txt");
    if (state_.FunctionsRecorded) {
      state_.EquationBlocks = SplitEquationBlocks(ReadGuardedLines(run_, equations));
    } else {
      typedEquations_ = OpenGuardedOutput(run_, equations);
    }
    StepProgress progress(run_, "especificación de los elementos", static_cast<long>(order.size()), kLongStepElements);
    long specified = 0;
    for (int index : order) {
      progress.Advance(specified++);
      SpecifyUntilAccepted(index);
      if (FlushDue(sim_)) FlushStatements(run_, sim_, codesTrusted_);
    }
    progress.Finish();
    if (typedEquations_ != nullptr) CloseGuarded(run_, typedEquations_);

    RewriteSimulator(run_, cycle_, sim_, state_.GeneCountText);
    for (std::string& statement : ClosingStatements(state_, sim_, results_))
      sim_.EmitSlots.Append(std::move(statement));
    FlushStatements(run_, sim_, codesTrusted_);
    CompleteSimulator(run_, cycle_, sim_);
    resultsProgram_.Finish(run_, cycle_, sim_, state_);
    // Both whole now: each takes the place of the old one in one step.
    CommitStaged(run_, ModelFile(run_, cycle_, "S", ".bas"));
    CommitStaged(run_, ModelFile(run_, cycle_, "R", ".bas"));
    Tell(run_, GenerationEndMessage(cycle_.ModelName));
  }

 private:
  // The element's specification, function and statements, again from its
  // first question while the modeller rejects them.
  void SpecifyUntilAccepted(int index) {
    const int maxLines = std::max(sim_.GLineReserve, 1);
    const ModelTables& model = cycle_.Model;
    const bool hasCodes = !CodeSection(model.ElementList[index], model.IdLength).empty();
    for (;;) {
      const int mark = sim_.EmitSlots.Mark();
      ElementSpec element = SpecifyElement(run_, cycle_, sim_, codesTrusted_, index);
      FunctionText function = ObtainFunction(run_, cycle_, state_, element, maxLines);
      const std::string output = OutputStatement(element, sim_.IsDynamic(), results_);
      std::vector<std::string> lookup;
      if (element.IsTable) {
        lookup = TableLookupStatements(element, function.Literal, output);
        if (!codesTrusted_ && !LookupAccepted(lookup)) continue;
      }
      const bool chromosome = sim_.GeneticAlgorithm && element.Id == sim_.ChromosomeVar;
      ElementStatementInput input{
          element,    function.Lines, lookup, state_.PreviousLoopCloser, state_.DimensionalSpecified + 1,
          chromosome, output};
      for (std::string& statement : ElementStatementTexts(input)) sim_.EmitSlots.Append(std::move(statement));

      std::string shown = element.FunctionHeader;
      for (int i = mark + 1; i <= sim_.EmitSlots.Used(); ++i) shown += LF + sim_.EmitSlots.Entry(i);
      Tell(run_, shown);
      std::vector<std::string> checked = function.Lines;
      checked.insert(checked.end(), lookup.begin(), lookup.end());
      if (!FunctionAccepted(element, hasCodes, checked)) {
        sim_.EmitSlots.RollBack(mark);
        continue;
      }
      Accept(element, function);
      return;
    }
  }

  // The table's last four lookup statements shown for confirmation.
  bool LookupAccepted(const std::vector<std::string>& lookup) {
    std::string prompt;
    for (size_t k = lookup.size() >= 4 ? lookup.size() - 4 : 0; k < lookup.size(); ++k) prompt += lookup[k] + LF;
    return AskLoggedChoice(run_, kLabelCorrect, prompt + "¿Es correcto? (S/N/T)", {"s", "n", "t"}) != "n";
  }

  // Asked, or checked without asking when the element's codes are trusted;
  // a function that fails the check ends the program.
  bool FunctionAccepted(const ElementSpec& element, bool hasCodes, const std::vector<std::string>& lines) {
    if (!hasCodes || !codesTrusted_) {
      return AskLoggedChoice(run_, kLabelCorrect, "¿Es correcto? (S/N/T)", {"s", "n", "t"}) != "n";
    }
    if (!FunctionPassesCheck(element, lines)) {
      Tell(run_, "HAY ALGUN ERROR CON RESPECTO A LA FUNCIÓN " + element.FunctionHeader + LF +
                     "     Le sugiero corrija o suprima los códigos entre corchetes" + LF +
                     "     de los nombres de las variables de salida desde " + element.FullName);
      EndProgram(EndReason::kErrorReported);
    }
    return AskLogged(
               run_, kLabelCorrect, [] { return std::string("s"); }, NumberRecord::kAsText) != "n";
  }

  void Accept(const ElementSpec& element, const FunctionText& function) {
    if (typedEquations_ != nullptr) {
      for (const std::string& line : EquationBlockOf(element, function)) typedEquations_->WriteLine(line);
    }
    if (state_.FunctionsRecorded) ++state_.NextBlock;
    if (element.HasUncertainty) ++sim_.UncertainCount;
    if (element.IsState) {
      std::vector<std::string>& slots = state_.InitialValueSlots;
      if (slots.empty() || slots.back().size() > kSlotLength) slots.emplace_back();
      slots.back() += InitialValueStatement(element);
      state_.StateElements.push_back(element);
    }
    ResultVariable result{element.Id, element.FullName, element.DimensionSizes, state_.Record.Simplified()};
    if (element.IsDimensional) {
      sim_.DimensionalFlags[static_cast<size_t>(element.Element)] = 1;
      ++state_.DimensionalSpecified;
      for (const std::string& size : element.DimensionSizes) {
        if (size[0] < '0' || size[0] > '9') state_.AddSizeVariable(size);
      }
      if (sim_.GeneticAlgorithm && element.Id == sim_.ChromosomeVar) state_.GeneCountText = element.DimensionSizes[0];
      result.Uid = DeclarationText(element).substr(4);
      state_.Record.AddArray(element.DimensionSizes);
    } else {
      state_.Record.AddScalar();
    }
    state_.ResultVariables.push_back(std::move(result));
    resultsProgram_.Add(state_.ResultVariables.back(), static_cast<int>(state_.ResultVariables.size()));
    state_.PreviousLoopCloser = LoopCloser(element);
  }

  RunContext& run_;
  ModelCycle& cycle_;
  SimulationState& sim_;
  SpecificationState& state_;
  const bool codesTrusted_;
  const ResultsFile results_;
  std::unique_ptr<OutputFile> typedEquations_;
  ResultsProgram resultsProgram_;
};

}  // namespace

void VariableSpecification(RunContext& run, ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide,
                           SpecificationState& state) {
  SpecificationStage(run, cycle, sim, wide, state).Run();
}

}  // namespace korva

#include "simulator/element_text.h"
#include "variables/variable_specification.h"

#include <memory>

#include "core/guarded_files.h"
#include "core/log_labels.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "core/step_progress.h"
#include "model/calculation_order.h"
#include "simgen/bracket_codes.h"
#include "text/vb_text.h"
#include "simulator/calculation_section.h"
#include "variables/function_check.h"
#include "variables/function_source.h"
#include "variables/initial_value_notice.h"
#include "results_program/results_program.h"
#include "emit/emitted_text.h"
#include "variables/specification_dialogue.h"
#include "variables/statement_flush.h"
#include "variables/table_lookup.h"

namespace korva {
namespace {

// A slot of initial-value statements is closed once longer than this.
constexpr size_t kSlotLength = 76;

class SpecificationStage {
 public:
  SpecificationStage(RunContext& run, ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide,
                     SpecificationState& state, SimulatorModule& simulator)
      : run_(run),
        cycle_(cycle),
        sim_(sim),
        simulator_(simulator),
        state_(state),
        codesTrusted_(wide.BracketCodesTrusted == RunWideAnswers::CodesTrust::kTrusted),
        results_(ResultsFileOf(sim)) {}

  void Run() {
    // The calculated elements: level 2 and up, list order within a level.
    const std::vector<int> order = CalcOrder(cycle_.Model, 2);
    resultsProgram_.Start(cycle_.ModelName, sim_, static_cast<int>(order.size()));
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
      if (simulator_.FlushDue()) FlushStatements(run_, simulator_, codesTrusted_);
    }
    progress.Finish();
    if (typedEquations_ != nullptr) CloseGuarded(run_, typedEquations_);

    const CalculationClosing closing{state_.PreviousLoopCloser, state_.StateElements, state_.InitialValueSlots,
                                     state_.Record.Simplified(), state_.SizeVariables, simulator_.RestartLabel()};
    simulator_.Hold(ClosingStatements(closing, sim_, results_));
    FlushStatements(run_, simulator_, codesTrusted_);
    const int uncertain = sim_.UncertainInputCount + state_.UncertainFunctionCount;
    simulator_.Complete(cycle_.Model, sim_, state_.GeneCountText, uncertain);
    resultsProgram_.Finish(cycle_.Model, uncertain, state_.SizeVariables);
    // Both whole now: each is written under a hidden name and takes the
    // place of the old one in one step.
    simulator_.Save(run_, StagedModelFile(run_, cycle_, "S", ".bas"));
    resultsProgram_.Save(run_, StagedModelFile(run_, cycle_, "R", ".bas"));
    CommitStaged(run_, ModelFile(run_, cycle_, "S", ".bas"));
    CommitStaged(run_, ModelFile(run_, cycle_, "R", ".bas"));
    const std::string certain = CertainInitialValuesNotice(cycle_.Model, sim_, state_.StateElements);
    if (!certain.empty()) Tell(run_, certain);
    Tell(run_, GenerationEndMessage(cycle_.ModelName));
  }

 private:
  // The element's specification, function and statements, again from its
  // first question while the modeller rejects them.
  void SpecifyUntilAccepted(int index) {
    const int maxLines = std::max(simulator_.FunctionLineRoom(), 1);
    const ModelTables& model = cycle_.Model;
    const bool hasCodes = !CodeSection(model.ElementList[index], model.IdLength).empty();
    for (;;) {
      StatementBuffer& held = simulator_.Statements();
      const int mark = held.Mark();
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
      simulator_.Hold(ElementStatements(input));

      std::string shown = element.FunctionHeader;
      for (int i = mark + 1; i <= held.Used(); ++i) shown += LF + held.Entry(i);
      Tell(run_, shown);
      std::vector<std::string> checked = function.Lines;
      checked.insert(checked.end(), lookup.begin(), lookup.end());
      if (!FunctionAccepted(element, hasCodes, checked)) {
        held.RollBack(mark);
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
    if (element.HasUncertainty) ++state_.UncertainFunctionCount;
    if (element.IsState) {
      emitted::AppendWrapped(state_.InitialValueSlots, InitialValueStatement(element), kSlotLength);
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
  SimulatorModule& simulator_;
  SpecificationState& state_;
  const bool codesTrusted_;
  const ResultsFile results_;
  std::unique_ptr<OutputFile> typedEquations_;
  ResultsProgram resultsProgram_;
};

}  // namespace

void VariableSpecification(RunContext& run, ModelCycle& cycle, SimulationState& sim, RunWideAnswers& wide,
                           SpecificationState& state, SimulatorModule& simulator) {
  SpecificationStage(run, cycle, sim, wide, state, simulator).Run();
}

}  // namespace korva

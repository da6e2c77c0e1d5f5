#include "simulator/simulator_module.h"

#include <algorithm>

#include "core/guarded_files.h"
#include "emit/emitted_text.h"
#include "simulator/genetic_routines.h"
#include "simulator/result_statistics.h"
#include "simulator/simulator_declarations.h"
#include "simulator/simulator_head.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// Opens a free line at `position` of the held lines (the lines from there
// move one place down) and puts `text` there; a position outside 1..used+1
// is taken as the nearest end.
void InsertAt(StatementBuffer& body, int position, std::string_view text, StatementRole role) {
  const int used = body.Used();
  position = std::clamp(position, 1, used + 1);
  body.InsertBeforeLast(used + 1 - position, std::string(text), StatementMark{static_cast<unsigned char>(role), 0});
}

// True when nothing but a line number and blanks or colons is left.
bool OnlyLabel(const std::string& line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == ':' || (c >= '0' && c <= '9'); });
}

// Every occurrence of the identifier (compared in upper case) made the candidate's array.
std::string WithCandidate(const std::string& line, const std::string& chromosome) {
  const std::string upper = UpperCase(line);
  const std::string id = UpperCase(chromosome);
  std::string out;
  size_t from = 0;
  for (size_t at = upper.find(id); !id.empty() && at != std::string::npos; at = upper.find(id, at + id.size())) {
    out += line.substr(from, at - from) + std::string(emitted::kCandidateArray);
    from = at + id.size();
  }
  return out + line.substr(from);
}

}  // namespace

void SimulatorModule::Start(const std::string& modelName, const SimulationState& sim, Room room) {
  room_ = room;
  genetic_ = sim.GeneticAlgorithm;
  WriteMainProcedureHeader(out_, modelName, sim);
  afterMainHeader_ = lines_->lines.size();
  restartLabel_ = WriteProgramTitle(out_, modelName, sim);
  WriteRunParameters(out_, sim);
  WriteSimulationLoopHead(out_, sim);
  if (sim.WithUncertainty()) uncertainCountLine_ = lines_->lines.size() - 1;
}

void SimulatorModule::AddReadingStatement(const std::string& text) { out_.Numbered(text); }

void SimulatorModule::AddPerRepetition(std::string text) { statements_.InsertBeforeLast(perStepLines_, std::move(text)); }

void SimulatorModule::AddPerStep(std::string text) {
  statements_.Append(std::move(text));
  ++perStepLines_;
}

void SimulatorModule::CloseSetUp(const SimulationState& sim) {
  StatementBuffer& body = statements_;
  const int pairs = 2 * sim.ValueChangeInputCount;
  if (sim.WithUncertainty()) {
    int position = body.Used() + 1 - pairs - sim.UncertainInputCount;
    if (position < 1) position = body.Used() + 1 - pairs;
    InsertAt(body, position, emitted::kRepetitionLoopHead, StatementRole::kPlain);
  }
  const int position = body.Used() + 1 - pairs - sim.ChangingInputCount;
  if (!sim.IsDynamic()) {
    InsertAt(body, position, emitted::kStaticEquationsMark, StatementRole::kEvaluationStart);
  } else {
    InsertAt(body, position, emitted::kReportingIntervalFloor, StatementRole::kPlain);
    InsertAt(body, position + 1, emitted::kStepCount, StatementRole::kPlain);
    InsertAt(body, position + 2, emitted::kTimeLoopHead, StatementRole::kEvaluationStart);
  }
  Write(FlushRule::kNumberAlone);
}

void SimulatorModule::Hold(SimulatorStatements statements) {
  for (SimulatorStatement& statement : statements) statements_.Append(std::move(statement.text), statement.Mark());
}

bool SimulatorModule::FlushDue() const {
  const int used = statements_.Used();
  return room_.statements / 2.0 - used < 25 && used > 25;
}

void SimulatorModule::Flush() { Write(FlushRule::kMarkError); }

void SimulatorModule::Write(FlushRule rule) {
  if (!genetic_) {
    out_.Flush(statements_, rule);
    return;
  }
  out_.Flush(statements_, rule, [this](const std::string& line, StatementMark mark) {
    if (evaluating_) calculation_.emplace_back(line, mark);
    if (static_cast<StatementRole>(mark.role) == StatementRole::kEvaluationStart) evaluating_ = true;
  });
}

void SimulatorModule::Complete(const ModelTables& model, const SimulationState& sim, const std::string& geneCountText,
                               int uncertainCount) {
  declarations_ = SimulatorDeclarations(model, sim);
  if (sim.GeneticAlgorithm) geneCount_.push_back(" ngc = " + geneCountText + "-1");
  if (sim.MaxAlleles != 0) geneCount_.push_back(" nal=" + NumText(sim.MaxAlleles));
  if (uncertainCountLine_ < lines_->lines.size()) {
    lines_->lines[uncertainCountLine_] = std::string(emitted::kUncertainCountStatement) + NumText(uncertainCount);
  }

  const bool repetitions = sim.WithUncertainty();
  // With repetitions the loop of simulations is still open: the statistics
  // of the repeated runs end each simulation and close it.
  if (repetitions) EmitResultStatistics(out_, 10L * out_.Counter(), restartLabel_);
  out_.Line(" End sub");
  out_.Line("   ");
  // The routines that draw the values of uncertain inputs (gs170) and
  // functions (gs210) from a normal (gs120) or a discrete distribution.
  if (repetitions) out_.Template(TemplateId::kSimulatorSamplingRoutines);
  if (!sim.GeneticAlgorithm) return;
  // The genetic algorithm's routines follow the sampling routines.
  for (const std::string& line : GeneticProcedures(sim)) out_.Line(line);
  out_.Line(" Sub calcobj()");
  for (const std::string& line : EvaluationLines(calculation_, sim.ChromosomeVar)) out_.Line(line);
  out_.Line(" End Sub");
  out_.Line("  ");
}

template <typename Visit>
void SimulatorModule::ForEachLine(Visit visit) const {
  for (const std::string& line : declarations_) visit(line);
  const std::vector<std::string>& lines = lines_->lines;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i == afterMainHeader_) {
      for (const std::string& line : geneCount_) visit(line);
    }
    visit(lines[i]);
  }
}

void SimulatorModule::Save(RunContext& run, const std::string& path) const {
  std::unique_ptr<OutputFile> file = OpenGuardedOutput(run, path);
  ForEachLine([&](const std::string& line) { file->WriteLine(line); });
  CloseGuarded(run, file);
}

std::vector<std::string> SimulatorModule::Text() const {
  std::vector<std::string> text;
  ForEachLine([&](const std::string& line) { text.push_back(line); });
  return text;
}

std::vector<std::string> EvaluationLines(const std::vector<std::pair<std::string, StatementMark>>& calculation,
                                         const std::string& chromosome) {
  std::vector<std::string> out;
  for (const auto& [written, mark] : calculation) {
    std::string line = written;
    switch (static_cast<StatementRole>(mark.role)) {
      case StatementRole::kCalculationEnd:
        return out;
      case StatementRole::kChromosomeSizing:
      case StatementRole::kOutput:
        continue;
      case StatementRole::kSizing:
        out.push_back("   " + line);
        continue;
      case StatementRole::kFunctionLine:
        // The chromosome takes the best individual: in the evaluation it is the candidate.
        if (line.find(emitted::kPopulationArray) != std::string::npos) continue;
        break;
      case StatementRole::kChromosomeLoops: {
        const size_t at = line.find(emitted::kAlgorithmCallBeforeLoops);
        if (at != std::string::npos) {
          line.replace(at, emitted::kAlgorithmCallBeforeLoops.size(), emitted::kLoopsWithoutAlgorithmCall);
        }
        break;
      }
      case StatementRole::kPlain:
      case StatementRole::kEvaluationStart:
        break;
    }
    // The values are not written while candidates are evaluated.
    if (mark.tail != 0 && mark.tail <= line.size()) {
      line.erase(line.size() - mark.tail);
      while (!line.empty() && (line.back() == ' ' || line.back() == ':')) line.pop_back();
      if (OnlyLabel(line)) continue;
    }
    out.push_back("   " + WithCandidate(line, chromosome));
  }
  return out;
}

}  // namespace korva

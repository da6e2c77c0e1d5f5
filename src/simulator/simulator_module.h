#pragma once
// The simulator "S<model>.bas" and everything written into it, from the
// set-up to the completion. The module keeps its lines until it is saved: the
// declarations that go in front of them, the gene count after the main
// procedure's header and the final count of uncertain quantities are known
// only once every element is specified, and the evaluation procedure of the
// genetic algorithm is made from the statements the module itself wrote.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/run_context.h"
#include "emit/module_writer.h"
#include "files/line_sink.h"
#include "model/model_tables.h"
#include "model/simulation_state.h"
#include "simulator/simulator_statement.h"

namespace korva {

class SimulatorModule {
 public:
  // The room the statement buffer is given (10 + 8 × the inputs) and the
  // most lines a function may have.
  struct Room {
    int statements = 0;
    int functionLines = 0;
  };

  // Header, run parameters and the head of the loop over the simulations.
  void Start(const std::string& modelName, const SimulationState& sim, Room room);

  // The set-up: an input's reading statement, numbered now; its lines run once
  // per repetition (kept together, before every per-step line) and at every step.
  void AddReadingStatement(const std::string& text);
  void AddPerRepetition(std::string text);
  void AddPerStep(std::string text);
  // Places the repetition loop and the time loop (or the equations mark of a
  // static model) among the held lines and writes them.
  void CloseSetUp(const SimulationState& sim);

  // The calculation section: statements held back, so that they can be shown
  // and corrected, then written renumbered.
  StatementBuffer& Statements() { return statements_; }
  const StatementBuffer& Statements() const { return statements_; }
  void Hold(SimulatorStatements statements);
  // True when the statements held are many for the room the buffer was given
  // (fewer than 25 places left of half of it, and more than 25 statements).
  bool FlushDue() const;
  void Flush();
  int FunctionLineRoom() const { return room_.functionLines; }
  int StatementRoom() const { return room_.statements; }
  // The label of the line a new simulation starts from.
  long RestartLabel() const { return restartLabel_; }

  // After the closing statements are flushed: the declarations, the gene
  // count and number of alleles, the final count of uncertain quantities, the
  // statistics of repeated runs, the end of the main procedure, the sampling
  // routines and the genetic algorithm's routines with the evaluation of a candidate.
  void Complete(const ModelTables& model, const SimulationState& sim, const std::string& geneCountText,
                int uncertainCount);

  // Writes the whole module to `path`; a failure is reported and ends the program.
  void Save(RunContext& run, const std::string& path) const;

  // The lines in the order they are saved.
  std::vector<std::string> Text() const;

 private:
  void Write(FlushRule rule);
  template <typename Visit>
  void ForEachLine(Visit visit) const;

  // On the heap, so that the writer's hold on it survives a move of the module.
  std::unique_ptr<MemorySink> lines_ = std::make_unique<MemorySink>();
  ModuleWriter out_{*lines_};
  StatementBuffer statements_;
  Room room_;
  int perStepLines_ = 0;  // the last lines of the body, run at every step
  bool genetic_ = false;
  long restartLabel_ = 0;

  // Where the counts known only at the end go: the gene count after the main
  // procedure's header, the uncertain quantities at their statement.
  size_t afterMainHeader_ = 0;
  size_t uncertainCountLine_ = static_cast<size_t>(-1);
  std::vector<std::string> declarations_;
  std::vector<std::string> geneCount_;

  // The statements of the calculation as written, for the evaluation.
  bool evaluating_ = false;
  std::vector<std::pair<std::string, StatementMark>> calculation_;
};

// The evaluation of a candidate: the calculation's statements from after the
// loop head to the end of the calculation, indented, without outputs, the
// candidate in place of the chromosome variable.
std::vector<std::string> EvaluationLines(const std::vector<std::pair<std::string, StatementMark>>& calculation,
                                         const std::string& chromosome);

}  // namespace korva

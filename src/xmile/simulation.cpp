#include "xmile/simulation.h"

#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unordered_map>

#include "dialogue/scripted_dialogue.h"
#include "files/file_system.h"
#include "text/cp1252.h"
#include "run_results/simulation_results.h"
#include "vbrun/runner.h"
#include "xmile/create_cycle.h"
#include "xmile/vb_translation.h"

namespace korva::xmile {
namespace {

// The generated programs open their files by bare names: they run with the
// working directory as the current one, which is given back afterwards.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& directory) {
    std::error_code error;
    before_ = std::filesystem::current_path(error);
    ok_ = !error;
    if (ok_) std::filesystem::current_path(directory, error);
    ok_ = ok_ && !error;
  }
  ~CurrentDirectory() {
    std::error_code ignored;
    if (!before_.empty()) std::filesystem::current_path(before_, ignored);
  }
  bool ok() const { return ok_; }

 private:
  std::filesystem::path before_;
  bool ok_ = false;
};

// The steps from the start to the stop.
long StepCount(const SimSpecs& sim) { return std::lround((sim.stop - sim.start) / sim.dt); }

// Runs one module with the answers; its messages (a run-time error) come back.
bool RunModule(const std::string& module, const std::vector<std::string>& answers, std::string& message) {
  ScriptedDialogue box(answers);
  FileSystem files;
  vbrun::RunRequest request;
  request.modules = {module};
  request.seed = 1;
  std::FILE* messages = std::tmpfile();
  std::FILE* debug = std::fopen("/dev/null", "w");
  const int status = vbrun::RunModules(request, box, files, messages != nullptr ? messages : stderr,
                                       debug != nullptr ? debug : stderr);
  std::string said;
  if (messages != nullptr) {
    std::rewind(messages);
    char buffer[512];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, messages)) > 0;) said.append(buffer, n);
    std::fclose(messages);
  }
  if (debug != nullptr) std::fclose(debug);
  if (status == vbrun::kExitFinished) return true;
  message = "korva-vbrun no pudo ejecutar " + module + ": " + Utf8ToCp1252(said);
  return false;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// %g's text, made without printf (a table may hold ten million values).
void AppendNumber(std::string& line, double value, int digits) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  line.append(buffer, error == std::errc() ? end : buffer);
}

}  // namespace

std::vector<std::string> DataEntryAnswers(const ImportPlan& plan) {
  // "1": the first filling (no simulation to read data from); each input's
  // value, then an empty answer to go on; "5": save, as simulation "1"; "6":
  // the end.
  std::vector<std::string> answers = {"1", ""};
  for (const PlannedElement& e : plan.elements) {
    if (!e.input) continue;
    answers.push_back(PlainNumber(e.value));
    answers.push_back("");
  }
  answers.insert(answers.end(), {"5", "1", "6"});
  return answers;
}

std::vector<std::string> SimulatorAnswers(const SimSpecs& sim) {
  auto number = [](double v) { return PlainNumber(v); };
  // The horizon is one step past the stop: the flows and auxiliaries of the
  // stop time are computed in that step.
  const double horizon = static_cast<double>(StepCount(sim) + 1) * sim.dt;
  // Horizon, step, recording interval, start, first and last simulation,
  // no progress report; at the end, no other simulation.
  return {number(horizon), number(sim.dt), number(sim.dt), number(sim.start), "1", "1", "n", "n"};
}

SimulationOutcome SimulateImported(const ImportPlan& plan, const std::string& directory,
                                   const std::string& modelName, int logNumber) {
  SimulationOutcome outcome;
  CreateOutcome created = RunCreateCycle(directory, logNumber);
  if (!created.ok) {
    outcome.message = created.message;
    return outcome;
  }
  {
    CurrentDirectory inside(directory);
    if (!inside.ok()) {
      outcome.message = "No se puede trabajar en el directorio " + directory + ".";
      return outcome;
    }
    // The data-entry program writes the data file anew (it would ask before
    // replacing the one the import wrote).
    std::remove("DATOS1.txt");
    if (!RunModule("D" + modelName + ".bas", DataEntryAnswers(plan), outcome.message) ||
        !RunModule("S" + modelName + ".bas", SimulatorAnswers(plan.sim), outcome.message)) {
      return outcome;
    }
  }
  FileSystem files;
  Checked<SimulationResults> results = ReadSimulationResults(files, directory, modelName, 1);
  if (!results) {
    outcome.message = results.message();
    return outcome;
  }
  // Where each calculated element stands in a record.
  std::unordered_map<std::string, size_t> offsets;
  for (const RecordedVariable& variable : results->variables) offsets.emplace(variable.id, variable.offset);
  std::vector<size_t> position(plan.elements.size(), 0);
  for (size_t k = 0; k < plan.elements.size(); ++k) {
    if (auto found = offsets.find(plan.elements[k].id); found != offsets.end()) position[k] = found->second;
  }
  const long steps = StepCount(plan.sim);
  if (results->Periods() < static_cast<size_t>(steps + 1)) {
    outcome.message = "El simulador dejó " + std::to_string(results->Periods()) + " periodos y se esperaban " +
                      std::to_string(steps + 1) + ".";
    return outcome;
  }
  auto recorded = [&](long record, int element) {  // record 1 is the first step's
    return results->Value(static_cast<size_t>(record - 1), position[static_cast<size_t>(element)]);
  };
  SimulationTable& table = outcome.table;
  table.header.push_back("Time");
  for (const ResultColumn& column : plan.columns) table.header.push_back(column.header);
  const double save = plan.sim.saveStep.value_or(plan.sim.dt);
  const long stride = std::max(1L, std::lround(save / plan.sim.dt));
  for (long j = 0; j <= steps; j += stride) {
    std::vector<double> row = {plan.sim.start + static_cast<double>(j) * plan.sim.dt};
    for (const ResultColumn& column : plan.columns) {
      const PlannedElement& e = plan.elements[static_cast<size_t>(column.element)];
      switch (column.source) {
        case ResultColumn::Source::kConstant:
          row.push_back(static_cast<float>(e.value));
          break;
        case ResultColumn::Source::kStock:
          row.push_back(j == 0 ? static_cast<float>(plan.elements[static_cast<size_t>(e.initialIndex)].value)
                               : recorded(j, column.element));
          break;
        case ResultColumn::Source::kComputed:
          row.push_back(recorded(j + 1, column.element));
          break;
      }
    }
    table.rows.push_back(std::move(row));
  }
  outcome.ok = true;
  return outcome;
}

std::vector<std::string> CsvLines(const SimulationTable& table) {
  std::vector<std::string> lines;
  std::string head;
  for (size_t k = 0; k < table.header.size(); ++k) head += (k ? "," : "") + CsvField(table.header[k]);
  lines.push_back(head);
  for (const std::vector<double>& row : table.rows) {
    std::string line;
    for (size_t k = 0; k < row.size(); ++k) {
      if (k > 0) line += ',';
      AppendNumber(line, row[k], k == 0 ? 12 : 7);
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace korva::xmile

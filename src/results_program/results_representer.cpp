#include "results_program/results_representer.h"

#include <cctype>
#include <cstdlib>

#include "emit/emitted_text.h"

namespace korva {
namespace {

// The lines before the module that its menu jumps to.
TemplateValues JumpsOut() {
  return {{"PROGRAM_START", std::to_string(emitted::kResultsProgramStartLabel)},
          {"NEW_SIMULATION", std::to_string(emitted::kResultsNewSimulationLabel)}};
}

}  // namespace

void EmitResultsRepresenter(ModuleWriter& out) { out.Template(TemplateId::kResultsRepresenter, JumpsOut()); }

std::vector<std::string> RepresenterLines() { return ExpandTemplate(TemplateId::kResultsRepresenter, JumpsOut()); }

const std::set<long>& RepresenterMenuLabels() {
  static const std::set<long> labels = [] {
    // The numbers that start the lines of the module up to its first procedure.
    std::set<long> found;
    for (const std::string& line : RepresenterLines()) {
      size_t at = line.find_first_not_of(' ');
      if (at == std::string::npos) continue;
      if (line.compare(at, 4, "Sub ") == 0) break;
      if (std::isdigit(static_cast<unsigned char>(line[at]))) found.insert(std::atol(line.c_str() + at));
    }
    return found;
  }();
  return labels;
}

}  // namespace korva

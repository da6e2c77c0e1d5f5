#include "simulator/result_statistics.h"

#include <string>

namespace korva {

void EmitResultStatistics(ModuleWriter& out, long highestLabel, long restartLabel) {
  // The labels keep their written numbers unless a large model's own lines
  // reach them; then a leading digit moves them all past those lines.
  constexpr long kFirstLabel = 9000;
  constexpr long kShift = 10000;
  std::string prefix;
  if (highestLabel >= kFirstLabel) prefix = std::to_string(highestLabel / kShift + 1);
  out.Template(TemplateId::kSimulatorResultStatistics, {{"S", prefix}, {"RESTART", std::to_string(restartLabel)}});
}

}  // namespace korva

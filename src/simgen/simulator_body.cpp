#include "simgen/simulator_body.h"

#include "emit/line_emitter.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// The same line behind the provisional number of another position.
std::string Renumbered(const std::string& line, int from, int to) {
  std::string old = NumText(static_cast<long long>(from) * 10);
  std::string rest = line.compare(0, old.size(), old) == 0 ? line.substr(old.size()) : line;
  return NumText(static_cast<long long>(to) * 10) + rest;
}

bool WithUncertainty(const SimulationState& sim) {
  return sim.UncertaintyChoice == "a" || sim.UncertaintyChoice == "t";
}

}  // namespace

void InsertBodyLine(RunState& run, int position, const std::string& text) {
  SimulationState& sim = run.Sim;
  int used = sim.EmitSlotsUsed;
  if (position < 1) position = 1;
  if (position > used + 1) position = used + 1;
  // The slots grow as the body needs: their number at the dispatch is only
  // where the count starts.
  if (static_cast<int>(run.EmitSlots.size()) < used + 2) run.EmitSlots.resize(static_cast<size_t>(used) + 2);
  for (int j = used; j >= position; --j) run.EmitSlots[j + 1] = Renumbered(run.EmitSlots[j], j, j + 1);
  run.EmitSlots[position] = NumText(static_cast<long long>(position) * 10) + text;
  sim.EmitSlotsUsed = used + 1;
}

void AppendBodyLine(RunState& run, const std::string& text) { InsertBodyLine(run, run.Sim.EmitSlotsUsed + 1, text); }

void PlaceLoopHeaders(RunState& run) {
  SimulationState& sim = run.Sim;
  const int pairs = 2 * sim.ValueChangeInputCount;
  if (WithUncertainty(sim)) {
    int position = sim.EmitSlotsUsed + 1 - pairs - sim.UncertainCount;
    if (position < 1) position = sim.EmitSlotsUsed + 1 - pairs;
    InsertBodyLine(run, position, " FOR IR=1 TO NR");
  }
  int position = sim.EmitSlotsUsed + 1 - pairs - sim.ChangingInputCount;
  InsertBodyLine(run, position,
                 sim.DynamicChoice == "s" ? " dt0=0:for t=dt to pp step dt:dt0a=dt0:dt0=t/rg-int(t/rg)"
                                          : " REM Ecuaciones");
}

void WriteBody(RunState& run) {
  SimulationState& sim = run.Sim;
  for (int i = 1; i <= sim.EmitSlotsUsed; ++i) {
    const std::string& line = run.EmitSlots[i];
    size_t at = line.find("0 ");
    long long number = sim.SimLineCounter + i;
    sim.SimFile->WriteLine(at == std::string::npos ? NumText(number * 10) : NumText(number) + line.substr(at));
  }
  sim.SimLineCounter += sim.EmitSlotsUsed;
}

}  // namespace korva

#include "simgen/simulator_body.h"

#include <algorithm>

namespace korva {
namespace {

// Opens a free line at `position` of the body (the lines from there move one
// place down) and puts `text` there; a position outside 1..used+1 is taken as
// the nearest end.
void InsertBodyLine(StatementBuffer& body, int position, std::string text) {
  const int used = body.Used();
  position = std::clamp(position, 1, used + 1);
  body.InsertBeforeLast(used + 1 - position, std::move(text));
}

}  // namespace

void PlaceLoopHeaders(SimulationState& sim) {
  StatementBuffer& body = sim.EmitSlots;
  const int pairs = 2 * sim.ValueChangeInputCount;
  if (sim.WithUncertainty()) {
    int position = body.Used() + 1 - pairs - sim.UncertainCount;
    if (position < 1) position = body.Used() + 1 - pairs;
    InsertBodyLine(body, position, " FOR IR=1 TO NR");
  }
  int position = body.Used() + 1 - pairs - sim.ChangingInputCount;
  InsertBodyLine(body, position,
                 sim.IsDynamic() ? " dt0=0:for t=dt to pp step dt:dt0a=dt0:dt0=t/rg-int(t/rg)" : " REM Ecuaciones");
}

void WriteBody(SimulationState& sim) { sim.SimWriter.Flush(sim.EmitSlots, FlushRule::kNumberAlone); }

}  // namespace korva

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

// The time loop counts whole steps: t is the step count times dt, so that it
// never drifts from the reporting instants however dt is written in binary.
// A record is written at the first step at or past each instant rg, 2*rg, ...;
// the loop runs to pp and on to the last instant the statistics read,
// CLng(pp/rg), so that every repetition writes the same number of records.
// The steps to an instant are rounded up with a margin a little wider than
// the rounding of dt and rg to single precision. A reporting interval shorter
// than the step is taken as the step.
const char* const kReportingIntervalFloor = " if rg<dt then rg=dt";
const char* const kStepCount =
    " nfin=-int(.001-pp/dt*.9999997):ngrab=-int(.001-CLng(pp/rg)*rg/dt*.9999997):if ngrab>nfin then nfin=ngrab";
const char* const kTimeLoopHead =
    " dt0=0:ngrab=1:for npaso=1 to nfin:t=npaso*dt:dt0a=0:dt0=1:if npaso>=-int(.001-ngrab*rg/dt*.9999997) then "
    "dt0=0:ngrab=ngrab+1";

void PlaceLoopHeaders(SimulationState& sim) {
  StatementBuffer& body = sim.EmitSlots;
  const int pairs = 2 * sim.ValueChangeInputCount;
  if (sim.WithUncertainty()) {
    int position = body.Used() + 1 - pairs - sim.UncertainCount;
    if (position < 1) position = body.Used() + 1 - pairs;
    InsertBodyLine(body, position, " FOR IR=1 TO NR");
  }
  const int position = body.Used() + 1 - pairs - sim.ChangingInputCount;
  if (!sim.IsDynamic()) {
    InsertBodyLine(body, position, " REM Ecuaciones");
    return;
  }
  InsertBodyLine(body, position, kReportingIntervalFloor);
  InsertBodyLine(body, position + 1, kStepCount);
  InsertBodyLine(body, position + 2, kTimeLoopHead);
}

void WriteBody(SimulationState& sim) { sim.SimWriter.Flush(sim.EmitSlots, FlushRule::kNumberAlone); }

}  // namespace korva

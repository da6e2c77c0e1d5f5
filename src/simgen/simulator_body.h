#pragma once
// The simulator body of the set-up: lines held in EmitSlots until the loop
// headers are placed among them and they are renumbered and written after the
// reading statements of the inputs.
#include <string>

#include "simgen/simulation_state.h"

namespace korva {

// The lines that open the time loop of a dynamic model, the last one its head.
extern const char* const kReportingIntervalFloor;
extern const char* const kStepCount;
extern const char* const kTimeLoopHead;

// " FOR IR=1 TO NR" before the per-repetition lines (with uncertainty), and the
// time-loop line (or " REM Ecuaciones" for a static model) before the per-step lines.
void PlaceLoopHeaders(SimulationState& sim);

// Renumbers the body after the simulator's counter, writes it and moves the
// counter past it.
void WriteBody(SimulationState& sim);

}  // namespace korva

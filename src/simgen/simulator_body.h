#pragma once
// The simulator body: lines kept in EmitSlots (1..EmitSlotsUsed), each behind
// a provisional number (its position × 10), until the loop headers are
// placed among them and they are renumbered and written after the reading
// statements of the inputs.
#include <string>

#include "core/run_state.h"

namespace korva {

// Opens a free line at `position` (the lines from there move one place down,
// their provisional numbers raised by 10) and puts `text` there.
void InsertBodyLine(RunState& run, int position, const std::string& text);
void AppendBodyLine(RunState& run, const std::string& text);

// " FOR IR=1 TO NR" before the per-repetition lines (with uncertainty), and the
// time-loop line (or " REM Ecuaciones" for a static model) before the per-step lines.
void PlaceLoopHeaders(RunState& run);

// Renumbers the body after SimLineCounter, writes it to the simulator and
// moves SimLineCounter past it.
void WriteBody(RunState& run);

}  // namespace korva

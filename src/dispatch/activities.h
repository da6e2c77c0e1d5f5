#pragma once
// The dispatch of the main menu's activities: what each path of a cycle runs
// once the common questions are answered, with the parts of the run state it
// works on.
#include "dispatch/run_state.h"
#include "model/model_structure.h"

namespace korva {

// What the model-structure dialogue does on each path ("c", "b", "e"; a
// replayed letter that is none of them still derives the matrix if asked).
StructurePath StructurePathFor(const std::optional<Activity>& choice);

// Element list, connection matrix, calculation order and file ordering.
StepOutcome RunModelStructure(RunState& run);

// The chosen activity once the model structure stands.
void Dispatch(RunState& run);

void RunAnalogySearch(RunState& run, int maxGLines);

}  // namespace korva

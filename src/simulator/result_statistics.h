#pragma once
// The code that ends each simulation of a simulator with repetitions: every
// value of every recorded period reduced over the repetitions to its mean,
// standard deviation and chi-square of normality, written to the results file;
// then the question whether to simulate again.
#include "emit/module_writer.h"

namespace korva {

// Appends the code to the simulator's main procedure. `highestLabel` is the
// greatest line label the procedure already uses: the code's own labels
// (9000 to 9135) are moved past it when it has reached them. "Otra
// simulación" goes back to `restartLabel`.
void EmitResultStatistics(ModuleWriter& out, long highestLabel, long restartLabel);

}  // namespace korva

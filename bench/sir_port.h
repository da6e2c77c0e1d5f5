#pragma once
// The simulator that korva writes for the SIR model of bench/sir, written by
// hand in C++: the uncertain contagion rate drawn as the simulator draws it
// (the normal table, the generator of the target language), the same
// equations with the same single-precision values, every record put to and
// got from the record file in the same order, and the same statistics texts.
#include <filesystem>

namespace korva::bench {

struct SirRun {
  float days = 150;   // pp
  float step = 0.1f;  // dt
  long repetitions = 1000;
  int freedom = 4;  // degrees of freedom of the chi-square test
  double seed = 1;  // Randomize
};

// Reads `dir`/datos1.txt (S, E, R at the start, the contagion rate as
// "mean;deviation", the recovery rate) and writes resul1.ale, resul1 and R1ic
// there. False when a file cannot be read or written.
bool RunSirPort(const std::filesystem::path& dir, const SirRun& run);

}  // namespace korva::bench

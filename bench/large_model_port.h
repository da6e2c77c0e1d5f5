#pragma once
// The simulator that korva writes for the large model of create_model.h,
// written by hand in C++: the same equations in the same order, the same
// single-precision values, the same records (Write # of every calculated
// element at every period) and the same control file.
#include <filesystem>

namespace korva::bench {

// Reads the inputs from `dir`/datos1.txt and writes `dir`/resul1 and
// `dir`/R1ic for a model of n elements simulated over `periods` periods of
// step 1, each one recorded. False when a file cannot be read or written.
bool RunLargeModelPort(const std::filesystem::path& dir, int n, int periods);

}  // namespace korva::bench

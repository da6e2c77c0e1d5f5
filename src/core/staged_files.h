#pragma once
// Files built in several stages, such as the modules of a model: while they
// are made they live under a hidden name beside their final one, and each is
// moved into place in one step once it is whole. A run that stops first leaves
// the previous version of the file, or none, never a part of it; the hidden
// file goes when the run ends, on a signal that ends it, or, after a kill, at
// the start of the next run.
#include <string>

#include "core/run_context.h"

namespace korva {

// The hidden name under which `finalName` is built in this run.
std::string StagedName(RunContext& run, const std::string& finalName);

// Moves the file built under StagedName(finalName) into place; a failure is
// reported and ends the program.
void CommitStaged(RunContext& run, const std::string& finalName);

// Removes the files of this run still hidden, once nothing has them open.
void DiscardStaged(RunContext& run);

}  // namespace korva

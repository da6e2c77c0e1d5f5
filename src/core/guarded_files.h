#pragma once
// Files whose opening is guarded: the name is made the current file name, and
// a failure to open, write or close is shown with its file-error message and
// ends the program.
#include <memory>
#include <string>
#include <vector>

#include "core/run_context.h"

namespace korva {

std::unique_ptr<InputFile> OpenGuardedInput(RunContext& run, const std::string& name);
// Output replaces the file when it is closed (CloseGuarded).
std::unique_ptr<OutputFile> OpenGuardedOutput(RunContext& run, const std::string& name);
// Appending writes in place, after what the file holds (a missing file is made).
std::unique_ptr<OutputFile> OpenGuardedAppend(RunContext& run, const std::string& name);
void CloseGuarded(RunContext& run, std::unique_ptr<OutputFile>& out);

// Every line of a file (line ends CR LF, CR or LF).
std::vector<std::string> ReadGuardedLines(RunContext& run, const std::string& name);
// Writes the file anew with these lines.
void WriteGuardedLines(RunContext& run, const std::string& name, const std::vector<std::string>& lines);

// Deletes a file, renames one: failures are reported and end the program.
void DeleteGuarded(RunContext& run, const std::string& name);
void RenameGuarded(RunContext& run, const std::string& from, const std::string& to);

}  // namespace korva

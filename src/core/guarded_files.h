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

// Continuing a file typed in an earlier run: constructing it moves the file
// aside to `copy`, to be written anew from it. A copy that a run which ended
// midway left behind is either all that is left of the file (the file is gone,
// and the copy is put back first) or stale (the file stands whole, and it goes).
// When it is destroyed the copy goes too once the file stands again: after the
// new file is complete, or when the run ends while it is written (the file
// being closed keeps the lines written so far), so nothing is left behind.
// Declare it before the new file, so that the file is closed first.
class SetAsideCopy {
 public:
  SetAsideCopy(RunContext& run, std::string name, std::string copy);
  ~SetAsideCopy();
  SetAsideCopy(const SetAsideCopy&) = delete;
  SetAsideCopy& operator=(const SetAsideCopy&) = delete;

 private:
  RunContext& run_;
  std::string name_;
  std::string copy_;
};

}  // namespace korva

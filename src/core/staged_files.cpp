#include "core/staged_files.h"

#include "core/file_errors.h"
#include "files/temporaries.h"

namespace korva {

std::string StagedName(RunContext& run, const std::string& finalName) {
  auto known = run.Staged.find(finalName);
  if (known != run.Staged.end()) return known->second.name;
  // Named as the temporaries of rewrites: what the next run clears after a kill.
  std::string name = HiddenTemporaryName(finalName);
  const int slot = NoteTemporary(run.Files.HostPath(name));
  run.Staged.emplace(finalName, RunContext::StagedFile{name, slot});
  return name;
}

void CommitStaged(RunContext& run, const std::string& finalName) {
  auto staged = run.Staged.find(finalName);
  if (staged == run.Staged.end()) return;
  run.CurrentFileName = finalName;
  FileError error;
  if (!run.Files.Replace(staged->second.name, finalName, error)) FailOnFileError(run, error);
  ForgetTemporary(staged->second.slot);
  run.Staged.erase(staged);
}

void DiscardStaged(RunContext& run) {
  for (const auto& [finalName, staged] : run.Staged) {
    FileError ignored;
    if (run.Files.Exists(staged.name)) run.Files.Delete(staged.name, ignored);
    ForgetTemporary(staged.slot);
  }
  run.Staged.clear();
}

}  // namespace korva

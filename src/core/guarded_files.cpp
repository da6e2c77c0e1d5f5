#include "core/guarded_files.h"

#include "core/file_errors.h"

namespace korva {

std::unique_ptr<InputFile> OpenGuardedInput(RunContext& run, const std::string& name) {
  run.CurrentFileName = name;
  FileError error;
  std::unique_ptr<InputFile> in = run.Files.OpenInput(name, error);
  if (in == nullptr) FailOnFileError(run, error);
  return in;
}

std::unique_ptr<OutputFile> OpenGuardedOutput(RunContext& run, const std::string& name) {
  run.CurrentFileName = name;
  FileError error;
  std::unique_ptr<OutputFile> out = run.Files.OpenOutput(name, error);
  if (out == nullptr) FailOnFileError(run, error);
  return out;
}

std::unique_ptr<OutputFile> OpenGuardedAppend(RunContext& run, const std::string& name) {
  run.CurrentFileName = name;
  FileError error;
  std::unique_ptr<OutputFile> out = run.Files.OpenAppend(name, error);
  if (out == nullptr) FailOnFileError(run, error);
  return out;
}

void CloseGuarded(RunContext& run, std::unique_ptr<OutputFile>& out) {
  FileError error;
  bool closed = out->Close(error);
  out.reset();
  if (!closed) FailOnFileError(run, error);
}

std::vector<std::string> ReadGuardedLines(RunContext& run, const std::string& name) {
  std::unique_ptr<InputFile> in = OpenGuardedInput(run, name);
  std::vector<std::string> lines;
  std::string line;
  while (in->ReadLine(line)) lines.push_back(line);
  return lines;
}

void WriteGuardedLines(RunContext& run, const std::string& name, const std::vector<std::string>& lines) {
  std::unique_ptr<OutputFile> out = OpenGuardedOutput(run, name);
  for (const std::string& line : lines) out->WriteLine(line);
  CloseGuarded(run, out);
}

void DeleteGuarded(RunContext& run, const std::string& name) {
  FileError error;
  if (!run.Files.Delete(name, error)) FailOnFileError(run, error);
}

void RenameGuarded(RunContext& run, const std::string& from, const std::string& to) {
  run.CurrentFileName = from;
  FileError error;
  if (!run.Files.Rename(from, to, error)) FailOnFileError(run, error);
}

}  // namespace korva

#include "core/guarded_files.h"

#include <utility>

#include "core/file_errors.h"

namespace korva {
namespace {

// Opens `name` as the current file through `open`; a failure is reported and ends the program.
template <class Open>
auto OpenGuarded(RunContext& run, const std::string& name, Open open) {
  run.CurrentFileName = name;
  FileError error;
  auto file = open(name, error);
  if (file == nullptr) FailOnFileError(run, error);
  return file;
}

}  // namespace

std::unique_ptr<InputFile> OpenGuardedInput(RunContext& run, const std::string& name) {
  return OpenGuarded(run, name, [&](const std::string& n, FileError& e) { return run.Files.OpenInput(n, e); });
}

std::unique_ptr<OutputFile> OpenGuardedOutput(RunContext& run, const std::string& name) {
  return OpenGuarded(run, name, [&](const std::string& n, FileError& e) { return run.Files.OpenOutput(n, e); });
}

std::unique_ptr<OutputFile> OpenGuardedAppend(RunContext& run, const std::string& name) {
  return OpenGuarded(run, name, [&](const std::string& n, FileError& e) { return run.Files.OpenAppend(n, e); });
}

void CloseGuarded(RunContext& run, std::unique_ptr<OutputFile>& out) {
  FileError error;
  bool closed = out->Close(error);
  out.reset();
  if (!closed) {
    run.CurrentFileName = error.path;  // the file that failed, not the last one opened
    FailOnFileError(run, error);
  }
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

SetAsideCopy::SetAsideCopy(RunContext& run, std::string name, std::string copy)
    : run_(run), name_(std::move(name)), copy_(std::move(copy)) {
  if (run_.Files.Exists(copy_)) {
    if (run_.Files.Exists(name_)) {
      DeleteGuarded(run_, copy_);
    } else {
      RenameGuarded(run_, copy_, name_);
    }
  }
  RenameGuarded(run_, name_, copy_);
}

SetAsideCopy::~SetAsideCopy() {
  FileError ignored;
  if (run_.Files.Exists(copy_) && run_.Files.Exists(name_)) run_.Files.Delete(copy_, ignored);
}

}  // namespace korva

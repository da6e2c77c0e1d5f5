#pragma once
// The answers log: the numbered file "MODELO<n>.txt" of the working directory
// through which every answer that shapes a model passes. A log that exists is
// replayed record by record; when its records run out it is reopened for
// appending and the answers asked from then on are added to it. Each record is
// one line of comma-separated fields (quoted texts, bare numbers); the log is
// flushed after every record, so no answer given is lost.
#include <memory>
#include <string>
#include <vector>

#include "files/file_system.h"

namespace korva {

class AnswerLog {
 public:
  // "MODELO" + n + ".txt" (at the start of a cycle) or "Modelo" + n + ".txt"
  // (reopening for appending): one file, names compared without regard to case.
  static std::string FileName(const std::string& workDir, int logNumber, bool reopening);

  // Opens the log of a cycle: replaying when the file can be read, recording
  // into a new empty file when it does not exist. Any other failure leaves the
  // log closed and is returned (an unreadable log is never replaced).
  FileError Open(FileSystem& files, const std::string& workDir, int logNumber);

  // The end-of-replay check: when replaying and no record is left, switch to
  // recording and reopen the same file for appending.
  FileError CheckEndOfReplay(FileSystem& files);

  // Switches from replaying to recording at once (a record cut short).
  FileError StopReplay(FileSystem& files);

  bool replaying() const { return ReplayFlag == "s"; }
  bool isOpen() const { return in_ != nullptr || out_ != nullptr; }

  // Replay: the next field (Input #) or the next whole line (Line Input #);
  // false when the log has none left.
  bool ReadField(std::string& field);
  bool ReadLine(std::string& line);
  // Replay: the next whole line, left to be read.
  bool PeekLine(std::string& line) const;

  // Recording: one record, or one whole line; the error when it could not be written.
  FileError WriteRecord(const std::vector<RecordField>& fields);
  FileError WriteLine(const std::string& line);

  void Close();

  // "s" while answers are read from the log, "n" while they are asked and recorded.
  std::string ReplayFlag = "n";

 private:
  FileError OpenForAppend(FileSystem& files, bool needsLineEnd);

  std::string workDir_;
  int logNumber_ = 0;
  std::unique_ptr<InputFile> in_;
  std::unique_ptr<OutputFile> out_;
};

}  // namespace korva

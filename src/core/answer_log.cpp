#include "core/answer_log.h"

#include "text/vb_text.h"

namespace korva {

std::string AnswerLog::FileName(const std::string& workDir, int logNumber, bool reopening) {
  return workDir + (reopening ? "Modelo" : "MODELO") + PlainNum(logNumber) + ".txt";
}

FileError AnswerLog::Open(FileSystem& files, const std::string& workDir, int logNumber) {
  Close();
  workDir_ = workDir;
  logNumber_ = logNumber;
  FileError error;
  in_ = files.OpenInput(FileName(workDir, logNumber, false), error);
  if (in_ != nullptr) {
    ReplayFlag = "s";
    return error;
  }
  if (error.number != vberr::kFileNotFound) return error;
  ReplayFlag = "n";
  out_ = files.OpenAppend(FileName(workDir, logNumber, false), error, /*flushEachLine=*/true);
  return error;
}

FileError AnswerLog::OpenForAppend(FileSystem& files, bool needsLineEnd) {
  FileError error;
  out_ = files.OpenAppend(FileName(workDir_, logNumber_, true), error, /*flushEachLine=*/true);
  if (out_ != nullptr && needsLineEnd) {
    // A log edited by hand may lack the line end of its last record.
    out_->Write("\r\n");
  }
  return error;
}

FileError AnswerLog::StopReplay(FileSystem& files) {
  if (!replaying()) return FileError{};
  ReplayFlag = "n";
  bool needsLineEnd = false;
  if (in_ != nullptr) {
    const std::string& text = in_->text();
    needsLineEnd = !text.empty() && text.back() != '\n' && text.back() != '\r';
    in_.reset();
  }
  return OpenForAppend(files, needsLineEnd);
}

FileError AnswerLog::CheckEndOfReplay(FileSystem& files) {
  // Blank lines left at the end of a log edited by hand count as its end.
  if (replaying() && (in_ == nullptr || in_->OnlyBlankRemains())) return StopReplay(files);
  return FileError{};
}

bool AnswerLog::ReadField(std::string& field) { return in_ != nullptr && in_->ReadField(field); }

bool AnswerLog::ReadLine(std::string& line) { return in_ != nullptr && in_->ReadLine(line); }

bool AnswerLog::PeekLine(std::string& line) const { return in_ != nullptr && in_->PeekLine(line); }

FileError AnswerLog::WriteRecord(const std::vector<RecordField>& fields) { return WriteLine(FormatRecord(fields)); }

FileError AnswerLog::WriteLine(const std::string& line) {
  if (out_ == nullptr) return FileError{vberr::kBadFileName, FileName(workDir_, logNumber_, true)};
  out_->WriteLine(line);
  return out_->error();
}

void AnswerLog::Close() {
  in_.reset();
  if (out_ != nullptr) {
    out_->Close();
    out_.reset();
  }
}

}  // namespace korva

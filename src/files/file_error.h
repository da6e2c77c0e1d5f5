#pragma once
// Failed file operations are reported by the target language's run-time error
// numbers, which the file-error messages turn into words for the modeller.
#include <string>

namespace korva {

namespace vberr {
constexpr int kOutOfMemory = 7;
constexpr int kBadFileName = 52;
constexpr int kFileNotFound = 53;
constexpr int kFileAlreadyOpen = 55;
constexpr int kDeviceIo = 57;
constexpr int kFileAlreadyExists = 58;
constexpr int kDiskFull = 61;
constexpr int kInputPastEnd = 62;
constexpr int kTooManyFiles = 67;
constexpr int kDeviceUnavailable = 68;
constexpr int kPermissionDenied = 70;
constexpr int kDiskNotReady = 71;
constexpr int kPathFileAccess = 75;
constexpr int kPathNotFound = 76;
}  // namespace vberr

// The outcome of a file operation: number 0 is success; otherwise the run-time
// error number and the name of the file the operation was about.
struct FileError {
  int number = 0;
  std::string path;

  bool failed() const { return number != 0; }
};

// The run-time error number for a failed system call's errno. A missing entry is
// "path not found" when its folder is missing too (`missingParent`), else "not found".
int ErrorNumberFromErrno(int err, bool missingParent);

}  // namespace korva

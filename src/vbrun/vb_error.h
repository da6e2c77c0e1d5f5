#pragma once
// Run-time errors of the modules, by the target's error numbers.
#include <stdexcept>
#include <string>
#include <utility>

namespace korva::vbrun {

// The file errors (52, 53, 55, 62, ...) are the file layer's, in files/file_error.h.
namespace err {
constexpr int kReturnWithoutGoSub = 3;
constexpr int kInvalidCall = 5;
constexpr int kOverflow = 6;
constexpr int kOutOfMemory = 7;
constexpr int kSubscript = 9;
constexpr int kDivisionByZero = 11;
constexpr int kTypeMismatch = 13;
constexpr int kResumeWithoutError = 20;
constexpr int kOutOfStack = 28;
constexpr int kBadFileMode = 54;
constexpr int kBadRecordLength = 59;
constexpr int kBadRecordNumber = 63;
constexpr int kObjectVariableNotSet = 91;
}  // namespace err

// A run-time error in flight: the error number and, for file errors, the name
// of the file concerned.
struct VbError {
  int number;
  std::string detail;
  int module = -1;  // where it happened, filled in as it leaves the statement
  int line = -1;
};

// Raises run-time error `number`; `detail` names the file concerned, for the
// file errors.
[[noreturn]] inline void Fail(int number, std::string detail = {}) { throw VbError{number, std::move(detail)}; }

// The target's description of an error number, in Spanish.
std::string ErrorDescription(int number);

}  // namespace korva::vbrun

#pragma once
// The functions and procedures the language provides, by name.
#include <cstdint>
#include <string>

namespace korva::vbrun {

enum class Builtin : uint8_t {
  kMid,
  kLeft,
  kRight,
  kInStr,
  kStr,
  kVal,
  kLCase,
  kUCase,
  kLen,
  kChr,
  kAsc,
  kTrim,
  kLTrim,
  kRTrim,
  kFormat,
  kSpace,
  kString,
  kCStr,
  kFix,
  kInt,
  kAbs,
  kSqr,
  kExp,
  kLog,
  kSgn,
  kSin,
  kCos,
  kTan,
  kAtn,
  kCInt,
  kCLng,
  kCSng,
  kCDbl,
  kCBool,
  kRnd,
  kTimer,
  kEOF,
  kLOF,
  kInputBox,
  kMsgBox,
  kErrNumber,
  kErrDescription,
  kIsNumeric,
  kReplace,
};

struct BuiltinInfo {
  Builtin id;
  int minArgs;
  int maxArgs;
  bool procedure;  // may also stand as a statement (MsgBox)
  bool bare;       // may be used without parentheses (Rnd, Timer, Err)
};

// The built-in function a lower-case name (with its type character, if any)
// stands for; nullptr when there is none. "mid" and "mid$" are one function.
const BuiltinInfo* FindBuiltin(const std::string& lower, char suffix);

}  // namespace korva::vbrun

#include <unordered_map>

#include "vbrun/builtins.h"

namespace korva::vbrun {

const BuiltinInfo* FindBuiltin(const std::string& lower, char suffix) {
  // `text`: the name takes "$" (and then returns a String rather than a Variant).
  struct Entry {
    BuiltinInfo info;
    bool text;
  };
  static const std::unordered_map<std::string, Entry> kTable = {
      {"mid", {{Builtin::kMid, 2, 3, false, false}, true}},
      {"left", {{Builtin::kLeft, 2, 2, false, false}, true}},
      {"right", {{Builtin::kRight, 2, 2, false, false}, true}},
      {"instr", {{Builtin::kInStr, 2, 3, false, false}, false}},
      {"str", {{Builtin::kStr, 1, 1, false, false}, true}},
      {"val", {{Builtin::kVal, 1, 1, false, false}, false}},
      {"lcase", {{Builtin::kLCase, 1, 1, false, false}, true}},
      {"ucase", {{Builtin::kUCase, 1, 1, false, false}, true}},
      {"len", {{Builtin::kLen, 1, 1, false, false}, false}},
      {"chr", {{Builtin::kChr, 1, 1, false, false}, true}},
      {"asc", {{Builtin::kAsc, 1, 1, false, false}, false}},
      {"trim", {{Builtin::kTrim, 1, 1, false, false}, true}},
      {"ltrim", {{Builtin::kLTrim, 1, 1, false, false}, true}},
      {"rtrim", {{Builtin::kRTrim, 1, 1, false, false}, true}},
      {"format", {{Builtin::kFormat, 1, 2, false, false}, true}},
      {"space", {{Builtin::kSpace, 1, 1, false, false}, true}},
      {"string", {{Builtin::kString, 2, 2, false, false}, true}},
      {"cstr", {{Builtin::kCStr, 1, 1, false, false}, false}},
      {"fix", {{Builtin::kFix, 1, 1, false, false}, false}},
      {"int", {{Builtin::kInt, 1, 1, false, false}, false}},
      {"abs", {{Builtin::kAbs, 1, 1, false, false}, false}},
      {"sqr", {{Builtin::kSqr, 1, 1, false, false}, false}},
      {"exp", {{Builtin::kExp, 1, 1, false, false}, false}},
      {"log", {{Builtin::kLog, 1, 1, false, false}, false}},
      {"sgn", {{Builtin::kSgn, 1, 1, false, false}, false}},
      {"sin", {{Builtin::kSin, 1, 1, false, false}, false}},
      {"cos", {{Builtin::kCos, 1, 1, false, false}, false}},
      {"tan", {{Builtin::kTan, 1, 1, false, false}, false}},
      {"atn", {{Builtin::kAtn, 1, 1, false, false}, false}},
      {"cint", {{Builtin::kCInt, 1, 1, false, false}, false}},
      {"clng", {{Builtin::kCLng, 1, 1, false, false}, false}},
      {"csng", {{Builtin::kCSng, 1, 1, false, false}, false}},
      {"cdbl", {{Builtin::kCDbl, 1, 1, false, false}, false}},
      {"cbool", {{Builtin::kCBool, 1, 1, false, false}, false}},
      {"rnd", {{Builtin::kRnd, 0, 1, false, true}, false}},
      {"timer", {{Builtin::kTimer, 0, 0, false, true}, false}},
      {"eof", {{Builtin::kEOF, 1, 1, false, false}, false}},
      {"lof", {{Builtin::kLOF, 1, 1, false, false}, false}},
      {"inputbox", {{Builtin::kInputBox, 1, 3, true, false}, true}},
      {"msgbox", {{Builtin::kMsgBox, 1, 3, true, false}, false}},
      {"err", {{Builtin::kErrNumber, 0, 0, false, true}, false}},
      {"isnumeric", {{Builtin::kIsNumeric, 1, 1, false, false}, false}},
      {"replace", {{Builtin::kReplace, 3, 5, false, false}, true}},
  };
  auto it = kTable.find(lower);
  if (it == kTable.end()) return nullptr;
  if (suffix != 0 && !(suffix == '$' && it->second.text)) return nullptr;
  return &it->second.info;
}

}  // namespace korva::vbrun

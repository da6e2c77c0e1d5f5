#pragma once
// The built-in functions that depend on their arguments alone: texts,
// numbers and conversions.
#include <string>
#include <vector>

#include "vbrun/builtins.h"
#include "vbrun/value.h"

namespace korva::vbrun {

// Calls a function of this kind; false when `id` needs the run (files, boxes, Rnd).
bool CallPureBuiltin(Builtin id, std::vector<Value>& args, Value& result);

// Format$ with a format text: the named formats ("Fixed", "Standard",
// "Percent", "General Number", "Scientific") and the digit placeholders
// "0" and "#" with "." "," "%" and literal text.
std::string FormatWith(const Value& value, const std::string& format);

}  // namespace korva::vbrun

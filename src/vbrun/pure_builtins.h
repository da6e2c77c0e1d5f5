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

// The functions of one number whose result's type follows from the
// argument's (Int, Fix and Abs keep a numeric type, the conversions give
// their own, Sqr a Double): the type for an argument of type `arg`, kEmpty
// for any other function or an argument of no fixed numeric type.
VbType FixedBuiltinType(Builtin id, VbType arg);
// Such a function on x of type `arg`: what CallPureBuiltin gives.
double FixedBuiltin(Builtin id, VbType arg, double x);

// Format$ with a format text: the named formats ("Fixed", "Standard",
// "Percent", "General Number", "Scientific") and the digit placeholders
// "0" and "#" with "." "," "%" and literal text.
std::string FormatWith(const Value& value, const std::string& format);

}  // namespace korva::vbrun

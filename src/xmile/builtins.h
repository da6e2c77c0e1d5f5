#pragma once
// The XMILE built-ins the importer knows: their names (canonical, so that
// "ARCTAN", "arctan" and "Arc_Tan"... compare as the file's names do) and
// argument counts, the constants read as names (TIME, DT, STARTTIME,
// STOPTIME, PI), and the rewriting of the ones made of others.
#include <optional>
#include <string>

#include "xmile/expression.h"

namespace korva::xmile {

struct BuiltinArity {
  int min = 0;
  int max = 0;
};

// The argument counts of a function, or nothing when it is not a built-in.
std::optional<BuiltinArity> BuiltinFunction(const std::string& canonicalName);

// True for the names that stand for the clock and constants: time, dt,
// starttime, stoptime, pi.
bool IsBuiltinConstant(const std::string& canonicalName);

// STEP, PULSE and RAMP rewritten with IF, TIME and DT; every other node as it
// is (its arguments rewritten).
ExprPtr RewriteTimeFunctions(const ExprPtr& expr);

}  // namespace korva::xmile

#pragma once
// Evaluating XMILE equations in double precision: what the importer computes
// itself (initial values of stocks, constants, the start of a smoothing), and
// what graphical functions give between and beyond their points.
#include <functional>
#include <string>

#include "xmile/expression.h"
#include "xmile/xmile_model.h"

namespace korva::xmile {

// The value of a graphical function at x: linear between points, the end
// values held beyond them (continuous), the end segments prolonged
// (extrapolate), or the value of the last point at or before x (discrete).
double GraphicalValue(const GraphicalFunction& gf, double x);

struct EvaluationContext {
  const SimSpecs* sim = nullptr;
  double time = 0;
  // A variable's value (canonical name).
  std::function<double(const std::string&)> value;
  // The graphical function a name calls, or null when it has none.
  std::function<const GraphicalFunction*(const std::string&)> graphical;
};

// The expression's value (NaN where the arithmetic has none: 0/0, LN(-1)).
// Built-ins with memory (SMTH1, DELAY1) must have been replaced before.
double Evaluate(const Expr& expr, const EvaluationContext& context);

}  // namespace korva::xmile

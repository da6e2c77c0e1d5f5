#pragma once
// XMILE equations to the statements of korva's equations file: an element's
// value computed in as many lines as it needs, the last one assigning it.
// IF ... THEN ... ELSE, MIN, MAX, MOD and graphical functions take block
// statements and temporaries (q_1, q_2, ...: single precision by their
// letter), so that a branch not taken is never computed; a condition used
// as a number is 1 or 0, a number used as a condition is true when not 0.
#include <functional>
#include <string>
#include <vector>

#include "xmile/expression.h"
#include "xmile/xmile_model.h"

namespace korva::xmile {

struct TranslationNames {
  // The korva text that stands for a variable (its identifier, or the
  // identifier of a stock's value at the start of the step).
  std::function<std::string(const std::string&)> variable;
  // The graphical function a name calls, or null.
  std::function<const GraphicalFunction*(const std::string&)> graphical;
  std::string startTime;  // the text of STARTTIME (an input's identifier)
  double stopTime = 0;
};

// A number as the equations write it: plain decimal or with an exponent,
// never a form the target language would misread.
std::string VbNumber(double value);
// The same without parentheses around a negative one: as typed in an answer.
std::string PlainNumber(double value);

class Translation {
 public:
  explicit Translation(const TranslationNames& names) : names_(names) {}

  // Lines that compute `expr` (a tree whose names are all resolved) into
  // `target`; a graphical function, when given, is applied to the value.
  std::vector<std::string> Assign(const std::string& target, const Expr& expr,
                                  const GraphicalFunction* appliedGf = nullptr);

  // The lines of a stock: its value at the start of the step plus dt times
  // the inflows less the outflows; held at zero when it must not go below.
  static std::vector<std::string> StockLines(const std::string& id, const std::string& startId,
                                             const std::vector<std::string>& inflowIds,
                                             const std::vector<std::string>& outflowIds, bool nonNegative);

 private:
  std::string Value(const Expr& e);
  std::string Condition(const Expr& e);
  std::string CallValue(const Expr& e);
  std::string Temporary();
  std::string Held(const std::string& valueText);
  std::string GraphicalLines(const GraphicalFunction& gf, const std::string& x);
  std::string Clock();

  const TranslationNames& names_;
  std::vector<std::string> lines_;
  // Every line after the first begins with two blanks at least: the
  // equations file takes a line without a blank after its first character
  // for an error.
  std::string indent_ = "  ";
  int temporaries_ = 0;
};

}  // namespace korva::xmile

#include "xmile/vb_translation.h"

#include <cmath>
#include <cstdio>

namespace korva::xmile {
namespace {

constexpr double kHalfPi = 1.5707963267948966;

const char* ComparisonOperator(const std::string& op) {
  if (op == "<" || op == "<=" || op == ">" || op == ">=" || op == "=" || op == "<>") return op.c_str();
  return nullptr;
}

bool IsLogical(const Expr& e) {
  if (e.kind == Expr::Kind::kUnary) return e.name == "not";
  if (e.kind != Expr::Kind::kBinary) return false;
  return ComparisonOperator(e.name) != nullptr || e.name == "and" || e.name == "or";
}

}  // namespace

std::string PlainNumber(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

std::string VbNumber(double value) {
  const std::string text = PlainNumber(value);
  return value < 0 ? "(" + text + ")" : text;
}

std::vector<std::string> Translation::Assign(const std::string& target, const Expr& expr,
                                             const GraphicalFunction* appliedGf) {
  lines_.clear();
  temporaries_ = 0;
  indent_ = "  ";
  std::string value = Value(expr);
  if (appliedGf != nullptr) value = GraphicalLines(*appliedGf, value);
  lines_.push_back(indent_ + target + " = " + value);
  return std::move(lines_);
}

std::vector<std::string> Translation::StockLines(const std::string& id, const std::string& startId,
                                                 const std::vector<std::string>& inflowIds,
                                                 const std::vector<std::string>& outflowIds, bool nonNegative) {
  std::string change;
  for (const std::string& in : inflowIds) change += (change.empty() ? "" : " + ") + in;
  for (const std::string& out : outflowIds) change += " - " + out;
  std::vector<std::string> lines;
  lines.push_back("  " + id + " = " + startId + (change.empty() ? "" : " + dt * (" + change + ")"));
  if (nonNegative) lines.push_back("  If " + id + " < 0 Then " + id + " = 0");
  return lines;
}

std::string Translation::Temporary() { return "q_" + std::to_string(++temporaries_); }

std::string Translation::Held(const std::string& valueText) {
  const std::string temporary = Temporary();
  lines_.push_back(indent_ + temporary + " = " + valueText);
  return temporary;
}

std::string Translation::Clock() { return "(" + names_.startTime + " + (npaso - 1) * dt)"; }

std::string Translation::Value(const Expr& e) {
  switch (e.kind) {
    case Expr::Kind::kNumber:
      return VbNumber(e.value);
    case Expr::Kind::kName:
      if (e.name == "time") return Clock();
      if (e.name == "dt") return "dt";
      if (e.name == "starttime") return names_.startTime;
      if (e.name == "stoptime") return VbNumber(names_.stopTime);
      if (e.name == "pi") return VbNumber(M_PI);
      return names_.variable(e.name);
    case Expr::Kind::kCall:
      return CallValue(e);
    case Expr::Kind::kUnary:
      if (e.name == "not") return "Abs(" + Condition(e) + ")";
      if (e.name == "-") return "(-" + Value(*e.args[0]) + ")";
      return Value(*e.args[0]);
    case Expr::Kind::kBinary: {
      if (IsLogical(e)) return "Abs(" + Condition(e) + ")";
      if (e.name == "mod") {
        const std::string a = Held(Value(*e.args[0]));
        const std::string b = Held(Value(*e.args[1]));
        return "(" + a + " - " + b + " * Int(" + a + " / " + b + "))";
      }
      const std::string left = Value(*e.args[0]);
      const std::string right = Value(*e.args[1]);
      return "(" + left + " " + e.name + " " + right + ")";
    }
    case Expr::Kind::kIf: {
      const std::string condition = Condition(*e.args[0]);
      const std::string result = Temporary();
      lines_.push_back(indent_ + "If " + condition + " Then");
      for (int branch = 1; branch <= 2; ++branch) {
        if (branch == 2) lines_.push_back(indent_ + "Else");
        indent_ += " ";
        const std::string value = Value(*e.args[static_cast<size_t>(branch)]);
        lines_.push_back(indent_ + result + " = " + value);
        indent_.pop_back();
      }
      lines_.push_back(indent_ + "End If");
      return result;
    }
  }
  return "0";
}

std::string Translation::Condition(const Expr& e) {
  if (e.kind == Expr::Kind::kUnary && e.name == "not") return "(Not " + Condition(*e.args[0]) + ")";
  if (e.kind == Expr::Kind::kBinary) {
    if (e.name == "and" || e.name == "or") {
      const std::string left = Condition(*e.args[0]);
      const std::string right = Condition(*e.args[1]);
      return "(" + left + (e.name == "and" ? " And " : " Or ") + right + ")";
    }
    if (const char* op = ComparisonOperator(e.name)) {
      const std::string left = Value(*e.args[0]);
      const std::string right = Value(*e.args[1]);
      return "(" + left + " " + op + " " + right + ")";
    }
  }
  return "(" + Value(e) + " <> 0)";
}

std::string Translation::CallValue(const Expr& e) {
  const std::string& f = e.name;
  if (e.args.empty()) {
    Expr name = e;
    name.kind = Expr::Kind::kName;
    return Value(name);
  }
  static const std::pair<const char*, const char*> kDirect[] = {
      {"abs", "Abs"}, {"exp", "Exp"}, {"ln", "Log"}, {"sqrt", "Sqr"}, {"sin", "Sin"},
      {"cos", "Cos"}, {"tan", "Tan"}, {"arctan", "Atn"}, {"int", "Int"},
  };
  for (const auto& [xmile, vb] : kDirect) {
    if (f == xmile) return std::string(vb) + "(" + Value(*e.args[0]) + ")";
  }
  if (f == "log10") return "(Log(" + Value(*e.args[0]) + ") / " + VbNumber(std::log(10.0)) + ")";
  if (f == "min" || f == "max") {
    const std::string a = Held(Value(*e.args[0]));
    const std::string b = Held(Value(*e.args[1]));
    lines_.push_back(indent_ + "If " + b + (f == "min" ? " < " : " > ") + a + " Then " + a + " = " + b);
    return a;
  }
  if (f == "mod") {
    const std::string a = Held(Value(*e.args[0]));
    const std::string b = Held(Value(*e.args[1]));
    return "(" + a + " - " + b + " * Int(" + a + " / " + b + "))";
  }
  if (f == "arcsin" || f == "arccos") {
    const std::string x = Held(Value(*e.args[0]));
    const std::string angle = Temporary();
    lines_.push_back(indent_ + "If Abs(" + x + ") >= 1 Then");
    lines_.push_back(indent_ + " " + angle + " = Sgn(" + x + ") * " + VbNumber(kHalfPi));
    lines_.push_back(indent_ + "Else");
    lines_.push_back(indent_ + " " + angle + " = Atn(" + x + " / Sqr(1 - " + x + " * " + x + "))");
    lines_.push_back(indent_ + "End If");
    return f == "arcsin" ? angle : "(" + VbNumber(kHalfPi) + " - " + angle + ")";
  }
  if (const GraphicalFunction* gf = names_.graphical(f)) return GraphicalLines(*gf, Value(*e.args[0]));
  return "0";  // the importer lets no other call through
}

std::string Translation::GraphicalLines(const GraphicalFunction& gf, const std::string& x) {
  const std::string at = Held(x);
  const std::string result = Temporary();
  const size_t n = gf.xs.size();
  const auto& xs = gf.xs;
  const auto& ys = gf.ys;
  if (n == 1) {
    lines_.push_back(indent_ + result + " = " + VbNumber(ys[0]));
    return result;
  }
  auto branch = [&](const std::string& keyword, const std::string& test, const std::string& value) {
    lines_.push_back(indent_ + keyword + (test.empty() ? "" : " " + test + " Then"));
    lines_.push_back(indent_ + " " + result + " = " + value);
  };
  if (gf.type == GraphicalFunction::Type::kDiscrete) {
    for (size_t i = 1; i < n; ++i) {
      branch(i == 1 ? "If" : "ElseIf", at + " < " + VbNumber(xs[i]), VbNumber(ys[i - 1]));
    }
    branch("Else", "", VbNumber(ys[n - 1]));
    lines_.push_back(indent_ + "End If");
    return result;
  }
  auto segment = [&](size_t i) {
    const double run = xs[i + 1] - xs[i];
    if (run == 0) return VbNumber(ys[i + 1]);
    return "(" + VbNumber(ys[i]) + " + (" + at + " - " + VbNumber(xs[i]) + ") * " +
           VbNumber((ys[i + 1] - ys[i]) / run) + ")";
  };
  const bool extrapolate = gf.type == GraphicalFunction::Type::kExtrapolate;
  branch("If", at + " <= " + VbNumber(xs[0]), extrapolate ? segment(0) : VbNumber(ys[0]));
  for (size_t i = 0; i + 1 < n; ++i) branch("ElseIf", at + " <= " + VbNumber(xs[i + 1]), segment(i));
  branch("Else", "", extrapolate ? segment(n - 2) : VbNumber(ys[n - 1]));
  lines_.push_back(indent_ + "End If");
  return result;
}

}  // namespace korva::xmile

#pragma once
// An XMILE model in memory, as read from the file (names and equations still
// as text; the importer resolves and checks them). Texts are Windows-1252,
// except the display names kept as the file wrote them (UTF-8).
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korva::xmile {

struct SimSpecs {
  double start = 0;
  double stop = 0;
  double dt = 1;
  std::optional<double> saveStep;
  std::string method = "euler";  // lower-cased
  std::string timeUnits;
};

// A graphical function: points, and how it is read between and beyond them.
struct GraphicalFunction {
  enum class Type { kContinuous, kExtrapolate, kDiscrete };
  Type type = Type::kContinuous;
  std::vector<double> xs;  // increasing
  std::vector<double> ys;
};

struct Dimension {
  std::string name;                   // canonical
  std::vector<std::string> elements;  // canonical; "1".."size" for a sized one
  std::vector<std::string> display;   // as written
};

struct Variable {
  enum class Kind { kStock, kFlow, kAux, kGf };
  Kind kind = Kind::kAux;
  std::string name;         // canonical
  std::string displayName;  // as written in the file (UTF-8)
  std::string equation;     // Windows-1252; empty for a graphical function alone
  std::optional<GraphicalFunction> gf;
  std::vector<std::string> inflows, outflows;  // canonical
  bool nonNegative = false;
  std::vector<std::string> dimensions;                    // canonical dimension names
  std::vector<std::pair<std::string, std::string>> byElement;  // subscript text -> equation
  std::string doc;
  std::string units;
};

// Something in the file the importer cannot model, said once per construct.
struct Refusal {
  std::string variable;   // display name, or empty for the file as a whole
  std::string construct;  // what it is
};

struct XmileModel {
  SimSpecs sim;
  std::string modelName;  // header/name, if any
  std::vector<Dimension> dimensions;
  std::vector<Variable> variables;
  std::vector<Refusal> refusals;
};

}  // namespace korva::xmile

#pragma once
// What the specification dialogue settles for one calculated element: what
// the simulator, the results program and the equations file are written from.
#include <string>
#include <vector>

namespace korva {

struct ElementSpec {
  int Element = 0;                     // index in the element list
  std::string Id;                      // identifier
  std::string FullName;                // the element-list text, codes included
  std::vector<std::string> Arguments;  // identifiers of the influencing elements, in row order
  std::string FunctionHeader;          // Id + "=f(" + arguments + ")"

  bool HasUncertainty = false;
  bool IsState = false;
  std::string InitialValueName;
  bool IsDimensional = false;
  std::vector<std::string> DimensionSizes;  // one per subscript: a number or a size variable
  bool IsTable = false;
  int TablePoints = 0;
};

// Id + "=f(" + the arguments separated by "," + ")".
std::string FunctionHeaderOf(const std::string& id, const std::vector<std::string>& arguments);

}  // namespace korva

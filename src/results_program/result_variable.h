#pragma once
// One value, or one array of values, of the results record: what the results
// program lists of a calculated element.
#include <string>
#include <vector>

namespace korva {

struct ResultVariable {
  std::string Uid;                 // the identifier, with "(" + sizes + ")" for an array
  std::string FullName;            // the element-list text
  std::vector<std::string> Sizes;  // empty for a scalar
  std::string Offset;              // the record size before it ("" for the first)
};

}  // namespace korva

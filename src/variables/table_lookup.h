#pragma once
// The nearest-point lookup that a table function becomes in the simulator.
// The table's points are in the table data file named by the element's
// identifier: a header line, then one line a point (the values of the
// arguments in the order of the argument list, then the function's value).
#include <string>
#include <vector>

#include "model/element_spec.h"
#include "simulator/element_text.h"

namespace korva {

// A table is literal when some point holds a double quote: its values (and
// its arguments' values) are compared as texts, not by distance.
bool IsLiteralPoint(const std::string& point);

// The lookup statements, each beginning with a blank: open the file, read the
// points keeping the nearest (or the matching one), and give the element its
// value, written by `outputStatement`.
std::vector<std::string> TableLookupStatements(const ElementSpec& element, bool literal,
                                               const std::string& outputStatement);

}  // namespace korva

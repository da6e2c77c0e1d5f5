#pragma once
// The check of a function whose element's codes are trusted: it is taken as
// correct without asking when its lines name what they must.
#include <string>
#include <vector>

#include "model/element_spec.h"

namespace korva {

// An uncertain function needs a line that, upper-cased, holds "H=" or "H ="
// (the regression estimate); any other function a line that holds the
// element's identifier; and every influencing identifier must occur in some line.
bool FunctionPassesCheck(const ElementSpec& element, const std::vector<std::string>& lines);

}  // namespace korva

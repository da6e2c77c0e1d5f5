#pragma once
// The module that every results program ends with: the menu of its main
// procedure and the procedures that list, tabulate and chart the results of a
// simulation, the same for every model.
#include <set>
#include <string>
#include <vector>

#include "emit/module_writer.h"

namespace korva {

// Appends the module, line by line.
void EmitResultsRepresenter(ModuleWriter& out);
// The module's lines, as appended.
std::vector<std::string> RepresenterLines();

// The line labels of the main procedure's menu, which the lines of the
// results program before it must leave free.
const std::set<long>& RepresenterMenuLabels();

}  // namespace korva

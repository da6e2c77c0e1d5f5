#pragma once
// The element list: read from the list file L<model>.txt or typed name by name,
// each element's identifier derived, bad names warned about, and the list
// reviewed and corrected by the modeller.
#include <string>
#include <string_view>

#include "model/model_cycle.h"
#include "model/model_structure.h"

namespace korva {

StepOutcome ElementListDialogue(RunContext& run, ModelCycle& cycle);

// A line of a list file that names nothing: empty, or blanks and tabs only.
bool IsBlankLine(std::string_view line);

// The identifier of a name: the text before its first blank, or the whole name
// when it holds no blank.
std::string_view IdentifierOf(std::string_view name);

// Derives ElementIds, the identifier index and IdLength from the names 1..N.
// False when the first name has no identifier (it begins with a blank, holds
// no blank or is missing).
bool DeriveIdentifiers(ModelTables& model);

}  // namespace korva

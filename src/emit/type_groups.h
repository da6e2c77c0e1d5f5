#pragma once
// The type of a generated program's variable by the first letter of its
// identifier, as the programs' deftype line has it: whole numbers for I to N,
// texts for U to W, single precision for the rest.
#include <string>

namespace korva {

enum class TypeGroup { kReal, kWhole, kText };
TypeGroup GroupOf(const std::string& id);

// " As Integer", " As String" or " As Single".
const char* ClauseOf(TypeGroup group);
std::string TypeClause(const std::string& id);

}  // namespace korva

#include "emit/type_groups.h"

#include "text/cp1252.h"

namespace korva {

TypeGroup GroupOf(const std::string& id) {
  const char first = id.empty() ? 'A' : UpperChar(id[0]);
  if (first >= 'I' && first <= 'N') return TypeGroup::kWhole;
  if (first >= 'U' && first <= 'W') return TypeGroup::kText;
  return TypeGroup::kReal;
}

const char* ClauseOf(TypeGroup group) {
  switch (group) {
    case TypeGroup::kWhole:
      return " As Integer";
    case TypeGroup::kText:
      return " As String";
    case TypeGroup::kReal:
      break;
  }
  return " As Single";
}

std::string TypeClause(const std::string& id) { return ClauseOf(GroupOf(id)); }

}  // namespace korva

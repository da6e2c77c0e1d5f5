#pragma once
// The model's structure as the create dialogue builds it: the elements with
// their identifiers, the connection matrix and the calculation levels. Tables
// are indexed 1..ElementCount; entry 0 is unused.
#include <string>
#include <vector>

namespace korva {

struct ModelTables {
  int ElementCount = 0;                  // N
  std::vector<std::string> ElementList;  // full names: identifier, blank, description
  std::vector<std::string> ElementIds;   // the name up to its first blank
  std::vector<int> CalcLevel;            // 1 = influenced by nothing, 0 = not placed
  int IdLength = 0;                      // identifier length of the first element; 0 before any list
  int LevelCount = 0;
  int MaxLevelWidth = 0;                 // only ever raised within a run
};

}  // namespace korva

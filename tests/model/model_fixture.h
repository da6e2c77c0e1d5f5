#pragma once
// Element tables built directly from names and matrix rows, for the steps
// that come after the element list.
#include <string>
#include <vector>

#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/element_list.h"
#include "model/model_tables.h"

namespace korva::testing {

inline ModelTables ModelOf(const std::vector<std::string>& names, const std::vector<std::string>& matrixLines = {}) {
  ModelTables model;
  SizeElementTables(model, static_cast<int>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) model.ElementList[i + 1] = names[i];
  DeriveIdentifiers(model);
  ReadMatrixLines(model, matrixLines);
  return model;
}

// The same, with the calculation levels set.
inline ModelTables LeveledModelOf(const std::vector<std::string>& names, const std::vector<std::string>& matrixLines) {
  ModelTables model = ModelOf(names, matrixLines);
  Levelling levelling = LevelElements(model);
  model.CalcLevel = levelling.levels;
  model.LevelCount = levelling.levelCount;
  return model;
}

}  // namespace korva::testing

#pragma once
// Levelled models for the blocks path, built directly from names and matrix rows.
#include <string>
#include <vector>

#include "dispatch/run_state.h"
#include "model/calculation_order.h"
#include "model/model_fixture.h"

namespace korva::testing {

// The model with its calculation levels, as the calculation order leaves it.
inline ModelTables LevelledModel(const std::vector<std::string>& names, const std::vector<std::string>& rows) {
  ModelTables model = ModelOf(names, rows);
  Levelling levelling = LevelElements(model);
  model.CalcLevel = levelling.levels;
  model.LevelCount = levelling.levelCount;
  model.MaxLevelWidth = levelling.widest;
  return model;
}

// Puts the model in the run as the dispatch of a blocks cycle finds it.
inline void LoadModel(RunState& run, ModelTables model) { run.Cycle.Model = std::move(model); }

}  // namespace korva::testing

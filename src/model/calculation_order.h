#pragma once
// The calculation order: every element gets a level one above the highest
// level of the elements that influence it (level 1: influenced by none), so
// that it is calculated after all of them. Elements in a loop, elements with
// an influence that is not in the list, and every element downstream of them
// stay at level 0 and are reported.
#include <string>
#include <vector>

#include "model/model_cycle.h"

namespace korva {

struct Levelling {
  std::vector<int> levels;  // indexed 1..N; 0 = not placed
  int levelCount = 0;       // highest level, when every element is placed
  int widest = 0;           // most elements on one level
  bool complete = false;    // every element placed
};

// The levels that repeated passes over the elements give, computed in time
// proportional to the elements plus the matrix entries.
Levelling LevelElements(const ModelTables& model);

// Elements of levels `fromLevel`..LevelCount (or ..`toLevel`), by level and
// within a level by index: the one grouping by level every step uses.
std::vector<int> CalcOrder(const ModelTables& model, int fromLevel);
std::vector<int> CalcOrder(const ModelTables& model, int fromLevel, int toLevel);

// The loop report: the texts of its message boxes (50 elements a box).
std::vector<std::string> LoopReportBoxes(const ModelTables& model);

// Levels the model, shows the loop report or offers the ordered listing.
// True when every element was placed.
bool CalculationOrderStep(RunContext& run, ModelCycle& cycle, const StructurePath& path);

}  // namespace korva

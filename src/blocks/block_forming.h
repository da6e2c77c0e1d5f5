#pragma once
// Forming hierarchical subsystems: each subsystem gathers a root (an element
// that no element uses) and, downwards, the elements it depends on, within
// limits on the number of subsystems and of variables per subsystem.
#include <string>
#include <vector>

#include "model/model_tables.h"

namespace korva {

struct BlockLimits {
  long MaxSubs = 0;
  long MinSubs = 0;
  long MaxVars = 0;
  long MinVars = 0;
};

enum class FormingOutcome {
  kFormed,
  kVarsBelowOne,   // "No tiene sentido generar subsistemas de menos de una variable."
  kSubsBelowOne,   // "No tiene sentido generar menos de un subsistema."
  kExcess,         // more subsystems than the maximum would be needed
  kTooFewVars,     // a subsystem has fewer variables than the minimum
  kTooFewSubs,     // fewer subsystems than the minimum
};

// One forming over a loaded model whose elements all have a level. Subsystems
// and slots count from 1; slot 0 and subsystem 0 are unused.
class BlockForming {
 public:
  BlockForming(const ModelTables& model, char mode);  // mode 'e', 'n' or 't'

  FormingOutcome Form(const BlockLimits& limits);

  int SubCount = 0;
  int VarCount = 0;
  std::vector<std::vector<int>> SubMembers;   // [subsystem][slot] element number
  std::vector<std::vector<int>> SubExpanded;  // [subsystem][slot] 1 when expanded there
  std::vector<int> LevelSize;                 // [level]
  std::vector<std::vector<int>> LevelMembers; // [level][k] element, 0 once retired

  // The elements that influence each element (resolved once), in matrix order.
  const std::vector<std::vector<int>>& Dependencies() const { return deps_; }

 private:
  int PlaceElement(int e);
  void RetireRoot(int e);
  void ExpandBlock(int count, int sub, int lastSlot);
  void OpenSubsystem();
  void PutInCurrent(int e, int expanded);
  int SlotInCurrent(int e) const;  // 0 when e is not in the current subsystem

  const ModelTables& model_;
  char mode_;
  BlockLimits limits_;
  std::vector<std::vector<int>> deps_;
  std::vector<bool> usedAbove_;          // some element depends on it
  std::vector<int> positionInLevel_;     // index in LevelMembers of its level
  std::vector<bool> expandedAnywhere_;
  std::vector<bool> expandedWithinMax_;  // expanded in a slot up to MaxVars
  std::vector<int> slotStamp_;           // slot of the element in the subsystem `stampSub_`
  std::vector<int> stampOf_;
  int stamp_ = 0;
};

}  // namespace korva

#include "blocks/block_forming.h"

namespace korva {

BlockForming::BlockForming(const ModelTables& model, char mode) : model_(model), mode_(mode) {
  const int n = model.ElementCount;
  deps_.assign(static_cast<size_t>(n) + 1, {});
  usedAbove_.assign(static_cast<size_t>(n) + 1, false);
  for (int i = 1; i <= n; ++i) {
    if (i >= static_cast<int>(model.ConnectionMatrix.size())) break;
    for (const std::string& entry : model.ConnectionMatrix[i]) {
      if (entry.empty()) continue;
      int j = FindElement(model, entry);
      if (j == 0) continue;
      deps_[i].push_back(j);
      usedAbove_[j] = true;  // i depends on j, and i stands on a higher level
    }
  }
}

void BlockForming::OpenSubsystem() {
  ++SubCount;
  VarCount = 0;
  if (static_cast<int>(SubMembers.size()) <= SubCount) {
    SubMembers.resize(static_cast<size_t>(SubCount) + 1, std::vector<int>(1, 0));
    SubExpanded.resize(static_cast<size_t>(SubCount) + 1, std::vector<int>(1, 0));
  }
  ++stamp_;  // the new subsystem holds nobody yet
}

int BlockForming::SlotInCurrent(int e) const { return stampOf_[e] == stamp_ ? slotStamp_[e] : 0; }

void BlockForming::PutInCurrent(int e, int expanded) {
  if (SubCount == 0) return;
  ++VarCount;
  SubMembers[SubCount].push_back(e);
  SubExpanded[SubCount].push_back(expanded);
  stampOf_[e] = stamp_;
  slotStamp_[e] = VarCount;
  if (expanded == 1) {
    expandedAnywhere_[e] = true;
    if (VarCount <= limits_.MaxVars) expandedWithinMax_[e] = true;
  }
}

void BlockForming::RetireRoot(int e) {
  if (usedAbove_[e] || !expandedWithinMax_[e]) return;
  int level = model_.CalcLevel[e];
  LevelMembers[level][positionInLevel_[e]] = 0;
}

int BlockForming::PlaceElement(int e) {
  int fresh = 0;
  for (int d : deps_[e]) fresh += SlotInCurrent(d) == 0;
  int slot = SlotInCurrent(e);
  if (slot != 0) {
    if (fresh == 0) return 0;
    --fresh;
  }
  if (mode_ == 'e' || VarCount + fresh + 1 > limits_.MaxVars) {
    if (SubCount >= limits_.MaxSubs) return 0;
    OpenSubsystem();
    PutInCurrent(e, 1);
  } else if (slot != 0) {
    SubExpanded[SubCount][slot] = 1;
    expandedAnywhere_[e] = true;
    if (slot <= limits_.MaxVars) expandedWithinMax_[e] = true;
  } else {
    PutInCurrent(e, 1);
  }
  RetireRoot(e);
  int added = 0;
  for (int d : deps_[e]) {
    if (SlotInCurrent(d) != 0) continue;
    PutInCurrent(d, 0);
    RetireRoot(d);
    ++added;
  }
  return added;
}

// Expands, last first, the `count` elements that end at `lastSlot` of
// subsystem `sub`, each expansion expanding in turn what it added. The descent
// keeps its own stack, so a long chain of dependencies cannot exhaust the
// program's.
void BlockForming::ExpandBlock(int count, int sub, int lastSlot) {
  struct Frame {
    int count, sub, lastSlot, next;
  };
  std::vector<Frame> stack{{count, sub, lastSlot, 0}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next >= frame.count) {
      stack.pop_back();
      continue;
    }
    int i = frame.next++;
    int slot = frame.lastSlot - i;
    if (slot < 1 || frame.sub < 1 || slot >= static_cast<int>(SubMembers[frame.sub].size())) continue;
    int e = SubMembers[frame.sub][slot];
    if (e == 0 || expandedAnywhere_[e]) continue;
    int added = PlaceElement(e);
    stack.push_back(Frame{added, SubCount, VarCount, 0});
  }
}

FormingOutcome BlockForming::Form(const BlockLimits& limits) {
  limits_ = limits;
  const int n = model_.ElementCount;
  SubMembers.assign(1, std::vector<int>(1, 0));
  SubExpanded.assign(1, std::vector<int>(1, 0));
  expandedAnywhere_.assign(static_cast<size_t>(n) + 1, false);
  expandedWithinMax_.assign(static_cast<size_t>(n) + 1, false);
  slotStamp_.assign(static_cast<size_t>(n) + 1, 0);
  stampOf_.assign(static_cast<size_t>(n) + 1, -1);
  stamp_ = 0;
  LevelSize.assign(static_cast<size_t>(model_.LevelCount) + 1, 0);
  LevelMembers.assign(static_cast<size_t>(model_.LevelCount) + 1, {});
  positionInLevel_.assign(static_cast<size_t>(n) + 1, 0);
  for (int i = 1; i <= n; ++i) {
    int level = model_.CalcLevel[i];
    if (level < 1 || level > model_.LevelCount) continue;
    positionInLevel_[i] = static_cast<int>(LevelMembers[level].size());
    LevelMembers[level].push_back(i);
    ++LevelSize[level];
  }
  if (limits.MaxVars < 1) return FormingOutcome::kVarsBelowOne;
  if (limits.MaxSubs < 1) return FormingOutcome::kSubsBelowOne;
  SubCount = 0;
  VarCount = 0;
  if (mode_ == 't') OpenSubsystem();
  for (int level = 2; level <= model_.LevelCount; ++level) {
    for (size_t k = 0; k < LevelMembers[level].size(); ++k) {
      int e = LevelMembers[level][k];
      if (e == 0 || usedAbove_[e]) continue;
      if (mode_ == 'n') OpenSubsystem();
      int added = PlaceElement(e);
      if (VarCount + added + 1 > limits.MaxVars && SubCount >= limits.MaxSubs) return FormingOutcome::kExcess;
      ExpandBlock(added, SubCount, VarCount);
    }
  }
  for (int s = 1; s <= SubCount; ++s) {
    long filled = 0;
    for (size_t slot = 1; slot < SubMembers[s].size() && static_cast<long>(slot) <= limits.MaxVars; ++slot) {
      filled += SubMembers[s][slot] != 0;
    }
    if (filled < limits.MinVars) return FormingOutcome::kTooFewVars;
  }
  if (SubCount < limits.MinSubs) return FormingOutcome::kTooFewSubs;
  return FormingOutcome::kFormed;
}

}  // namespace korva

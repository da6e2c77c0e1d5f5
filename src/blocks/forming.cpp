#include "blocks/forming.h"

#include <algorithm>

namespace korva {

int OtherCount(const ModelTables& model) {
  int count = 0;
  for (int e = 1; e <= model.ElementCount; ++e) count += model.CalcLevel[e] != 1;
  return count;
}

FormingLimits ModeLimits(FormingMode mode, int otherCount, int maxDeps, int elementCount) {
  switch (mode) {
    case FormingMode::kElementary:
      return {otherCount, 1, static_cast<long long>(maxDeps) + 1, 1};
    case FormingMode::kNatural:
      return {otherCount, 1, elementCount, 1};
    case FormingMode::kSized:
      break;
  }
  return {};
}

bool Formable(const ModelTables& model) {
  const int n = model.ElementCount;
  if (static_cast<int>(model.CalcLevel.size()) <= n) return false;
  for (int e = 1; e <= n; ++e) {
    if (model.CalcLevel[e] < 1 || model.CalcLevel[e] > model.LevelCount) return false;
    if (e >= static_cast<int>(model.ConnectionMatrix.size())) continue;
    for (const std::string& entry : model.ConnectionMatrix[e]) {
      if (!entry.empty() && FindElement(model, entry) == 0) return false;
    }
  }
  return true;
}

BlockModel PrepareBlockModel(const ModelTables& model) {
  BlockModel b;
  const int n = model.ElementCount;
  b.ElementCount = n;
  b.LevelCount = model.LevelCount;
  b.Level.assign(model.CalcLevel.begin(), model.CalcLevel.begin() + n + 1);
  b.DepStart.assign(static_cast<size_t>(n) + 2, 0);
  b.UsedAbove.assign(static_cast<size_t>(n) + 1, 0);
  for (int e = 1; e <= n; ++e) {
    b.DepStart[e] = static_cast<int>(b.Deps.size());
    if (e >= static_cast<int>(model.ConnectionMatrix.size())) continue;
    for (const std::string& entry : model.ConnectionMatrix[e]) {
      if (entry.empty()) continue;
      int d = FindElement(model, entry);
      b.Deps.push_back(d);
      if (b.Level[e] > b.Level[d]) b.UsedAbove[d] = 1;
    }
  }
  b.DepStart[n + 1] = static_cast<int>(b.Deps.size());
  b.Members.assign(static_cast<size_t>(b.LevelCount) + 1, {});
  b.LevelPos.assign(static_cast<size_t>(n) + 1, 0);
  for (int e = 1; e <= n; ++e) {
    std::vector<int>& level = b.Members[b.Level[e]];
    b.LevelPos[e] = static_cast<int>(level.size());
    level.push_back(e);
  }
  return b;
}

namespace {

// The working state of one forming.
class Forming {
 public:
  Forming(const BlockModel& model, FormingMode mode, const FormingLimits& limits)
      : m_(model), mode_(mode), lim_(limits) {
    const size_t n = static_cast<size_t>(model.ElementCount) + 1;
    memberOf_.assign(n, 0);
    memberSlot_.assign(n, 0);
    expandedIn_.assign(n, 0);
    expandedSlot_.assign(n, 0);
    seen_.assign(n, 0);
    // The levels' members afresh; an entry becomes 0 once it is retired as a root.
    LevelMembers = model.Members;
    subs_.SubMembers.emplace_back();
    subs_.SubExpanded.emplace_back();
  }

  FormingPass Run() {
    FormingPass pass;
    if (mode_ == FormingMode::kSized) OpenSubsystem();
    if (!FormRoots()) {
      pass.outcome = FormingOutcome::kTooManySubsystems;
      pass.subsystems = std::move(subs_);
      return pass;
    }
    long long fitted = std::max<long long>(fitBound_, 1);
    pass.outcome = CheckMinima();
    if (pass.outcome == FormingOutcome::kTooFewSubsystems && subs_.SubCount > 0) {
      fitted = std::max(fitted, lim_.MinVars);
    }
    pass.sameDownTo = fitted;
    pass.subsystems = std::move(subs_);
    return pass;
  }

  std::vector<std::vector<int>> LevelMembers;

 private:
  // Every root, level by level from level 2 (level 1 never supplies one),
  // with all it depends on. False when a subsystem beyond MaxSubs is needed.
  bool FormRoots() {
    for (int level = 2; level <= m_.LevelCount; ++level) {
      for (size_t k = 0; k < LevelMembers[level].size(); ++k) {
        int e = LevelMembers[level][k];
        if (e == 0 || m_.UsedAbove[e]) continue;
        if (mode_ == FormingMode::kNatural) {
          if (subs_.SubCount >= lim_.MaxSubs) return false;
          OpenSubsystem();
        }
        int n = PlaceElement(e);
        if (refused_) return false;
        ExpandBlock(n, subs_.SubCount, VarCount);
        if (refused_) return false;
      }
    }
    return true;
  }

  FormingOutcome CheckMinima() const {
    for (int k = 1; k <= subs_.SubCount; ++k) {
      long long held = std::min<long long>(static_cast<long long>(subs_.SubMembers[k].size()), lim_.MaxVars);
      if (held < lim_.MinVars) return FormingOutcome::kSubsystemTooSmall;
    }
    if (subs_.SubCount < lim_.MinSubs) return FormingOutcome::kTooFewSubsystems;
    return FormingOutcome::kFormed;
  }

  bool InCurrent(int e) const { return subs_.SubCount > 0 && memberOf_[e] == subs_.SubCount; }

  void OpenSubsystem() {
    ++subs_.SubCount;
    subs_.SubMembers.emplace_back();
    subs_.SubExpanded.emplace_back();
    VarCount = 0;
  }

  // Puts e in the next slot of the current subsystem.
  void Place(int e, bool expanded) {
    subs_.SubMembers[subs_.SubCount].push_back(e);
    subs_.SubExpanded[subs_.SubCount].push_back(expanded ? 1 : 0);
    ++VarCount;
    memberOf_[e] = subs_.SubCount;
    memberSlot_[e] = VarCount;
    if (expanded) MarkExpanded(e, VarCount);
  }

  void MarkExpanded(int e, int slot) {
    subs_.SubExpanded[subs_.SubCount][static_cast<size_t>(slot) - 1] = 1;
    expandedIn_[e] = subs_.SubCount;
    expandedSlot_[e] = slot;
  }

  // `PlaceElement`: expands e (e and its dependencies into the current
  // subsystem, or into a new one when they do not fit or the mode is "e") and
  // returns how many of its dependencies it added.
  int PlaceElement(int e) {
    const int* first = m_.Deps.data() + m_.DepStart[e];
    const int* last = m_.Deps.data() + m_.DepStart[e + 1];
    // An input of the model has nothing to expand: it is never computed in a
    // subsystem and never opens one.
    if (first == last) return 0;
    ++stamp_;
    long long fresh = 0;
    for (const int* d = first; d != last; ++d) {
      if (!InCurrent(*d) && seen_[*d] != stamp_) {
        seen_[*d] = stamp_;
        ++fresh;
      }
    }
    const int slot = InCurrent(e) ? memberSlot_[e] : 0;
    // Already standing here, e needs no slot of its own. When every one of its
    // dependencies stands here too it is still expanded: it is computed here.
    if (slot != 0) --fresh;
    const long long needed = VarCount + fresh + 1;
    if (mode_ == FormingMode::kElementary || needed > lim_.MaxVars) {
      if (subs_.SubCount >= lim_.MaxSubs) {
        refused_ = true;
        return 0;
      }
      OpenSubsystem();
      Place(e, true);
    } else {
      fitBound_ = std::max(fitBound_, needed);
      if (slot != 0) {
        MarkExpanded(e, slot);
      } else {
        Place(e, true);
      }
    }
    RetireRoot(e);
    int added = 0;
    for (const int* d = first; d != last; ++d) {
      if (InCurrent(*d)) continue;
      Place(*d, false);
      RetireRoot(*d);
      ++added;
    }
    return added;
  }

  // `ExpandBlock`: expands the elements in the last `count` slots up to
  // `lastSlot` of subsystem `sub`, last first, and what each expansion adds,
  // depth first. The descent keeps its own stack, so a long chain of
  // dependencies costs memory, not the call stack.
  void ExpandBlock(int count, int sub, int lastSlot) {
    std::vector<Frame>& stack = stack_;
    stack.clear();
    stack.push_back({count, sub, lastSlot, 0});
    while (!stack.empty()) {
      Frame& top = stack.back();
      if (top.done >= top.count) {
        stack.pop_back();
        continue;
      }
      int e = subs_.SubMembers[top.sub][static_cast<size_t>(top.lastSlot - top.done) - 1];
      ++top.done;
      if (expandedIn_[e] != 0) continue;
      int added = PlaceElement(e);
      if (refused_) return;
      if (added > 0) stack.push_back({added, subs_.SubCount, VarCount, 0});
    }
  }

  // `RetireRoot`: a root that stands expanded within the first MaxVars slots
  // of a subsystem leaves the members of its level.
  void RetireRoot(int e) {
    if (m_.UsedAbove[e]) return;
    if (expandedIn_[e] != 0 && expandedSlot_[e] <= lim_.MaxVars) LevelMembers[m_.Level[e]][m_.LevelPos[e]] = 0;
  }

  struct Frame {
    int count, sub, lastSlot, done;  // `ExpandBlock`'s arguments and how many slots it has taken
  };

  const BlockModel& m_;
  FormingMode mode_;
  FormingLimits lim_;
  Subsystems subs_;
  int VarCount = 0;
  bool refused_ = false;
  long long fitBound_ = 0;  // the largest size a check found within MaxVars
  std::vector<int> memberOf_;     // the last subsystem e was put in (only the current one grows)
  std::vector<int> memberSlot_;   // its slot there
  std::vector<int> expandedIn_;   // the subsystem where e was expanded, 0 when nowhere
  std::vector<int> expandedSlot_;
  std::vector<unsigned> seen_;
  unsigned stamp_ = 0;
  std::vector<Frame> stack_;
};

}  // namespace

FormingPass FormSubsystems(const BlockModel& model, FormingMode mode, const FormingLimits& limits) {
  return Forming(model, mode, limits).Run();
}

}  // namespace korva

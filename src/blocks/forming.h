#pragma once
// Forming hierarchical subsystems: the pure algorithm, apart from the dialogue.
// A subsystem gathers a root (an element that nothing at a higher calculation
// level uses), the elements it depends on, the elements those depend on, and
// so on downwards, within limits on the number of subsystems and on the number
// of variables per subsystem.
#include <string>
#include <vector>

#include "model/model_tables.h"

namespace korva {

enum class FormingMode {
  kElementary,  // "e": one expanded element and its direct dependencies per subsystem
  kNatural,     // "n": one subsystem per root, unbounded in size
  kSized,       // "t": subsystems filled up to a size the modeller fixes
};

struct FormingLimits {
  long long MaxSubs = 0;
  long long MinSubs = 0;
  long long MaxVars = 0;
  long long MinVars = 0;
};

// The number of elements that are not inputs of the model (level other than 1).
int OtherCount(const ModelTables& model);

// The limits a mode starts with; for kSized they are asked, and this gives zeros.
FormingLimits ModeLimits(FormingMode mode, int otherCount, int maxDeps, int elementCount);

// The model as the forming reads it, prepared once per activity: every
// element's dependencies resolved to element numbers, its level, whether an
// element on a higher level depends on it, and the members of every level.
struct BlockModel {
  int ElementCount = 0;
  int LevelCount = 0;
  std::vector<int> Level;     // 1..N
  std::vector<int> DepStart;  // dependencies of e: Deps[DepStart[e] .. DepStart[e+1])
  std::vector<int> Deps;      // element numbers, in matrix order, empty entries left out
  std::vector<char> UsedAbove;  // an element on a higher level depends on it: never a root
  std::vector<std::vector<int>> Members;  // per level 1..LevelCount, in element order
  std::vector<int> LevelPos;  // the position of e among the members of its level
};

// True when every element has a calculation level from 1 to LevelCount and
// every dependency names an element: the models the forming handles.
bool Formable(const ModelTables& model);

// Precondition: Formable(model).
BlockModel PrepareBlockModel(const ModelTables& model);

// The subsystems formed, numbered from 1 (entry 0 unused). `SubMembers[k]`
// holds the element numbers of subsystem k in slot order (slot j at index
// j - 1); `SubExpanded[k]` is 1 where that element was expanded there (its own
// dependencies were added to the subsystem), 0 where it entered only as a
// dependency.
struct Subsystems {
  int SubCount = 0;
  std::vector<std::vector<int>> SubMembers;
  std::vector<std::vector<char>> SubExpanded;
};

enum class FormingOutcome {
  kFormed,
  kTooManySubsystems,  // some element would need a subsystem beyond MaxSubs
  kSubsystemTooSmall,  // a subsystem holds fewer than MinVars variables
  kTooFewSubsystems,   // fewer than MinSubs subsystems
};

struct FormingPass {
  FormingOutcome outcome = FormingOutcome::kFormed;
  Subsystems subsystems;
  // For the two outcomes that lower MaxVars: every MaxVars from this value up
  // to the one of the pass forms the very same subsystems and fails the same
  // check, so lowering one by one can skip straight below it.
  long long sameDownTo = 1;
};

// One forming with these limits. Precondition: MaxVars and MaxSubs at least 1.
FormingPass FormSubsystems(const BlockModel& model, FormingMode mode, const FormingLimits& limits);

}  // namespace korva

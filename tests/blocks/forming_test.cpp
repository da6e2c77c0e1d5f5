#include "blocks/forming.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "blocks/blocks_fixture.h"

namespace korva {
namespace {

using testing::LevelledModel;

struct Formed {
  FormingPass pass;
  ModelTables model;
};

Formed Form(const std::vector<std::string>& names, const std::vector<std::string>& rows, FormingMode mode,
            FormingLimits limits = {}) {
  Formed f{{}, LevelledModel(names, rows)};
  int other = 0;
  for (int e = 1; e <= f.model.ElementCount; ++e) other += f.model.CalcLevel[e] != 1;
  if (mode != FormingMode::kSized) limits = ModeLimits(mode, other, f.model.MaxDeps, f.model.ElementCount);
  f.pass = FormSubsystems(PrepareBlockModel(f.model), mode, limits);
  return f;
}

// Subsystem k as identifiers, an expanded element marked with "*".
std::vector<std::string> Slots(const Formed& f, int k) {
  std::vector<std::string> out;
  const Subsystems& s = f.pass.subsystems;
  for (size_t j = 0; j < s.SubMembers[k].size(); ++j) {
    out.push_back(f.model.ElementIds[s.SubMembers[k][j]] + (s.SubExpanded[k][j] ? "*" : ""));
  }
  return out;
}

using Ids = std::vector<std::string>;

// A farm: two level-1 inputs feed a shared harvest COS that two roots use,
// and a third root that shares only inputs with them.
const std::vector<std::string> kFarm = {"LLU l", "SUP s", "PRE p", "CHA c", "REN r",
                                        "COS c", "AGU a", "ING i", "PIE p", "LEC l"};
const std::vector<std::string> kFarmRows = {"REN    LLU",     "COS    REN,SUP", "AGU    SUP,LLU",
                                            "ING    COS,PRE", "PIE    COS",     "LEC    PIE,CHA"};

TEST(Forming, ElementaryModeGivesOneExpandedElementAndItsDirectDependencies) {
  Formed f = Form(kFarm, kFarmRows, FormingMode::kElementary);
  ASSERT_EQ(f.pass.outcome, FormingOutcome::kFormed);
  EXPECT_EQ(f.pass.subsystems.SubCount, 6);  // one per element above level 1
  EXPECT_EQ(Slots(f, 1), (Ids{"AGU*", "SUP", "LLU"}));
  EXPECT_EQ(Slots(f, 2), (Ids{"ING*", "COS", "PRE"}));
  EXPECT_EQ(Slots(f, 3), (Ids{"COS*", "REN", "SUP"}));
  EXPECT_EQ(Slots(f, 4), (Ids{"REN*", "LLU"}));
  EXPECT_EQ(Slots(f, 5), (Ids{"LEC*", "PIE", "CHA"}));
  EXPECT_EQ(Slots(f, 6), (Ids{"PIE*", "COS"}));
}

TEST(Forming, NaturalModePutsASharedDependencyInBothRootsExpandedOnlyInTheFirst) {
  Formed f = Form(kFarm, kFarmRows, FormingMode::kNatural);
  ASSERT_EQ(f.pass.outcome, FormingOutcome::kFormed);
  ASSERT_EQ(f.pass.subsystems.SubCount, 3);
  EXPECT_EQ(Slots(f, 1), (Ids{"AGU*", "SUP", "LLU"}));
  EXPECT_EQ(Slots(f, 2), (Ids{"ING*", "COS*", "PRE", "REN*", "SUP", "LLU"}));
  EXPECT_EQ(Slots(f, 3), (Ids{"LEC*", "PIE*", "CHA", "COS"}));
}

TEST(Forming, AnElementWhoseDependenciesAllStandAlreadyIsStillComputed) {
  // A uses B and C, B uses C: once A is placed, B finds C in place.
  const std::vector<std::string> names = {"A a", "B b", "C c"};
  const std::vector<std::string> rows = {"A    B,C", "B    C"};
  Formed natural = Form(names, rows, FormingMode::kNatural);
  EXPECT_EQ(Slots(natural, 1), (Ids{"A*", "B*", "C"}));
  Formed elementary = Form(names, rows, FormingMode::kElementary);
  ASSERT_EQ(elementary.pass.subsystems.SubCount, 2);
  EXPECT_EQ(Slots(elementary, 1), (Ids{"A*", "B", "C"}));
  EXPECT_EQ(Slots(elementary, 2), (Ids{"B*", "C"}));
}

TEST(Forming, InputsOfTheModelNeverOpenASubsystem) {
  // C, an input, is reached only after B has opened a subsystem of its own.
  Formed f = Form({"R r", "B b", "C c", "D d"}, {"R    C,B", "B    D"}, FormingMode::kElementary);
  ASSERT_EQ(f.pass.subsystems.SubCount, 2);
  EXPECT_EQ(Slots(f, 1), (Ids{"R*", "C", "B"}));
  EXPECT_EQ(Slots(f, 2), (Ids{"B*", "D"}));
}

TEST(Forming, AModelAllOnLevelOneFormsNoSubsystemWhateverTheMaximum) {
  Formed f = Form({"A a", "B b", "C c"}, {}, FormingMode::kNatural);
  EXPECT_EQ(f.pass.outcome, FormingOutcome::kTooFewSubsystems);
  EXPECT_EQ(f.pass.subsystems.SubCount, 0);
  EXPECT_EQ(f.pass.sameDownTo, 1);  // lowering the maximum changes nothing until it is below 1
}

TEST(Forming, FixedSizesFillASubsystemThenOpenTheNext) {
  // Three roots of two variables each, three variables a subsystem.
  const std::vector<std::string> names = {"X x", "P p", "Q q", "R r"};
  const std::vector<std::string> rows = {"P    X", "Q    X", "R    X"};
  Formed f = Form(names, rows, FormingMode::kSized, {3, 1, 3, 1});
  ASSERT_EQ(f.pass.outcome, FormingOutcome::kFormed);
  ASSERT_EQ(f.pass.subsystems.SubCount, 2);
  EXPECT_EQ(Slots(f, 1), (Ids{"P*", "X", "Q*"}));
  EXPECT_EQ(Slots(f, 2), (Ids{"R*", "X"}));
  // With room for one subsystem only, R cannot be placed: too many subsystems.
  EXPECT_EQ(Form(names, rows, FormingMode::kSized, {1, 1, 3, 1}).pass.outcome, FormingOutcome::kTooManySubsystems);
  // A subsystem of two is below a minimum of three.
  EXPECT_EQ(Form(names, rows, FormingMode::kSized, {3, 1, 3, 3}).pass.outcome, FormingOutcome::kSubsystemTooSmall);
  // Three subsystems can never come out of two roots' worth of variables.
  EXPECT_EQ(Form(names, rows, FormingMode::kSized, {5, 3, 3, 1}).pass.outcome, FormingOutcome::kTooFewSubsystems);
}

TEST(Forming, ANaturalSubsystemPerRootBeyondTheMaximumIsTooMany) {
  const std::vector<std::string> names = {"X x", "P p", "Q q"};
  const std::vector<std::string> rows = {"P    X", "Q    X"};
  Formed f{{}, LevelledModel(names, rows)};
  FormingPass pass = FormSubsystems(PrepareBlockModel(f.model), FormingMode::kNatural, {1, 1, 3, 1});
  EXPECT_EQ(pass.outcome, FormingOutcome::kTooManySubsystems);
}

TEST(Forming, AChainOfThirtyThousandFormsOneNaturalSubsystem) {
  const int n = 30000;
  std::vector<std::string> names, rows;
  for (int i = 1; i <= n; ++i) names.push_back("E" + std::to_string(i) + " e");
  for (int i = 1; i < n; ++i) rows.push_back("E" + std::to_string(i) + "   E" + std::to_string(i + 1));
  Formed f = Form(names, rows, FormingMode::kNatural);
  ASSERT_EQ(f.pass.outcome, FormingOutcome::kFormed);
  ASSERT_EQ(f.pass.subsystems.SubCount, 1);
  const std::vector<int>& members = f.pass.subsystems.SubMembers[1];
  ASSERT_EQ(members.size(), static_cast<size_t>(n));
  for (int j = 0; j < n; ++j) {
    EXPECT_EQ(members[j], j + 1);
    EXPECT_EQ(f.pass.subsystems.SubExpanded[1][j], j + 1 < n ? 1 : 0) << j;
  }
}

// The forming written as the plain recursion it describes, with the same
// rules: the reference the iterative descent must agree with.
class RecursiveForming {
 public:
  RecursiveForming(const BlockModel& m, FormingMode mode, FormingLimits lim) : m_(m), mode_(mode), lim_(lim) {
    expanded_.assign(static_cast<size_t>(m.ElementCount) + 1, 0);
    subs_.SubMembers.emplace_back();
    subs_.SubExpanded.emplace_back();
  }

  // The subsystems, or nothing when too many were needed.
  std::optional<Subsystems> Run() {
    if (mode_ == FormingMode::kSized) Open();
    for (int level = 2; level <= m_.LevelCount; ++level) {
      for (int e : m_.Members[level]) {
        if (m_.UsedAbove[e]) continue;
        if (mode_ == FormingMode::kNatural) {
          if (subs_.SubCount >= lim_.MaxSubs) return std::nullopt;
          Open();
        }
        int n = Place(e);
        if (refused_) return std::nullopt;
        Expand(n, subs_.SubCount, Current().size());
        if (refused_) return std::nullopt;
      }
    }
    return subs_;
  }

 private:
  std::vector<int>& Current() { return subs_.SubMembers[subs_.SubCount]; }
  int SlotOf(int e) {
    auto& c = Current();
    auto it = std::find(c.begin(), c.end(), e);
    return it == c.end() ? 0 : static_cast<int>(it - c.begin()) + 1;
  }
  void Open() {
    ++subs_.SubCount;
    subs_.SubMembers.emplace_back();
    subs_.SubExpanded.emplace_back();
  }
  void Put(int e, char expanded) {
    Current().push_back(e);
    subs_.SubExpanded[subs_.SubCount].push_back(expanded);
    if (expanded) expanded_[e] = 1;
  }
  int Place(int e) {
    std::vector<int> deps(m_.Deps.begin() + m_.DepStart[e], m_.Deps.begin() + m_.DepStart[e + 1]);
    if (deps.empty()) return 0;
    std::vector<int> fresh;
    for (int d : deps) {
      if (subs_.SubCount > 0 && SlotOf(d) == 0 && std::find(fresh.begin(), fresh.end(), d) == fresh.end()) {
        fresh.push_back(d);
      } else if (subs_.SubCount == 0 && std::find(fresh.begin(), fresh.end(), d) == fresh.end()) {
        fresh.push_back(d);
      }
    }
    long long count = static_cast<long long>(fresh.size());
    int slot = subs_.SubCount > 0 ? SlotOf(e) : 0;
    if (slot != 0) --count;
    long long varCount = static_cast<long long>(subs_.SubCount > 0 ? Current().size() : 0);
    if (mode_ == FormingMode::kElementary || varCount + count + 1 > lim_.MaxVars) {
      if (subs_.SubCount >= lim_.MaxSubs) {
        refused_ = true;
        return 0;
      }
      Open();
      Put(e, 1);
    } else if (slot != 0) {
      subs_.SubExpanded[subs_.SubCount][slot - 1] = 1;
      expanded_[e] = 1;
    } else {
      Put(e, 1);
    }
    int added = 0;
    for (int d : deps) {
      if (SlotOf(d) != 0) continue;
      Put(d, 0);
      ++added;
    }
    return added;
  }
  void Expand(int count, int sub, size_t last) {
    for (int i = 0; i < count && !refused_; ++i) {
      int e = subs_.SubMembers[sub][last - 1 - i];
      if (expanded_[e]) continue;
      int m = Place(e);
      if (!refused_) Expand(m, subs_.SubCount, Current().size());
    }
  }

  const BlockModel& m_;
  FormingMode mode_;
  FormingLimits lim_;
  Subsystems subs_;
  std::vector<char> expanded_;
  bool refused_ = false;
};

struct RandomModel {
  std::vector<std::string> names, rows;
};

RandomModel MakeRandomModel(std::mt19937& random) {
  RandomModel r;
  int n = 1 + static_cast<int>(random() % 25);
  for (int i = 1; i <= n; ++i) r.names.push_back("V" + std::to_string(i) + " v");
  // Dependencies only on later elements: no loops, levels in any order of the list.
  for (int i = 1; i < n; ++i) {
    std::string row = "V" + std::to_string(i) + "    ";
    int deps = static_cast<int>(random() % 4);
    for (int d = 0; d < deps; ++d) {
      row += (d ? "," : "") + std::string("V") + std::to_string(i + 1 + static_cast<int>(random() % (n - i)));
    }
    if (deps) r.rows.push_back(row);
  }
  return r;
}

TEST(Forming, TheDescentAgreesWithThePlainRecursionOnRandomModels) {
  std::mt19937 random(61);
  for (int round = 0; round < 400; ++round) {
    RandomModel r = MakeRandomModel(random);
    ModelTables model = LevelledModel(r.names, r.rows);
    BlockModel b = PrepareBlockModel(model);
    FormingMode mode = static_cast<FormingMode>(round % 3);
    FormingLimits lim{1 + static_cast<long long>(random() % 30), 0, 1 + static_cast<long long>(random() % 8), 0};
    std::optional<Subsystems> expected = RecursiveForming(b, mode, lim).Run();
    FormingPass pass = FormSubsystems(b, mode, lim);
    SCOPED_TRACE(round);
    ASSERT_EQ(pass.outcome == FormingOutcome::kTooManySubsystems, !expected.has_value());
    if (!expected) continue;
    EXPECT_EQ(pass.subsystems.SubMembers, expected->SubMembers);
    EXPECT_EQ(pass.subsystems.SubExpanded, expected->SubExpanded);
  }
}

TEST(Forming, EveryElementAboveLevelOneIsComputedExactlyOnceWhenNothingIsRefused) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    RandomModel r = MakeRandomModel(random);
    ModelTables model = LevelledModel(r.names, r.rows);
    FormingMode mode = static_cast<FormingMode>(round % 3);
    FormingLimits lim = mode == FormingMode::kSized ? FormingLimits{1000, 0, 2 + round % 5, 0}
                                                    : ModeLimits(mode, model.ElementCount, model.MaxDeps,
                                                                 model.ElementCount);
    FormingPass pass = FormSubsystems(PrepareBlockModel(model), mode, lim);
    ASSERT_NE(pass.outcome, FormingOutcome::kTooManySubsystems);
    std::vector<int> computed(static_cast<size_t>(model.ElementCount) + 1, 0);
    for (int k = 1; k <= pass.subsystems.SubCount; ++k) {
      for (size_t j = 0; j < pass.subsystems.SubMembers[k].size(); ++j) {
        computed[pass.subsystems.SubMembers[k][j]] += pass.subsystems.SubExpanded[k][j];
      }
    }
    for (int e = 1; e <= model.ElementCount; ++e) {
      EXPECT_EQ(computed[e], model.CalcLevel[e] == 1 ? 0 : 1) << "round " << round << " element " << e;
    }
  }
}

TEST(Forming, LoweringTheMaximumOfVariablesChangesNothingDownToTheBoundItGives) {
  std::mt19937 random(1234);
  int checked = 0;
  for (int round = 0; round < 300; ++round) {
    RandomModel r = MakeRandomModel(random);
    ModelTables model = LevelledModel(r.names, r.rows);
    BlockModel b = PrepareBlockModel(model);
    FormingMode mode = static_cast<FormingMode>(round % 3);
    FormingLimits lim{40, 1 + static_cast<long long>(random() % 6), 1 + static_cast<long long>(random() % 12),
                      static_cast<long long>(random() % 4)};
    FormingPass pass = FormSubsystems(b, mode, lim);
    if (pass.outcome != FormingOutcome::kSubsystemTooSmall && pass.outcome != FormingOutcome::kTooFewSubsystems) {
      continue;
    }
    ++checked;
    ASSERT_GE(pass.sameDownTo, 1);
    ASSERT_LE(pass.sameDownTo, lim.MaxVars);
    for (long long v = pass.sameDownTo; v < lim.MaxVars; ++v) {
      FormingLimits lower = lim;
      lower.MaxVars = v;
      FormingPass again = FormSubsystems(b, mode, lower);
      EXPECT_EQ(again.outcome, pass.outcome) << round << " at " << v;
      EXPECT_EQ(again.subsystems.SubMembers, pass.subsystems.SubMembers) << round << " at " << v;
    }
    if (pass.sameDownTo > 1) {
      // One below the bound something does change.
      FormingLimits below = lim;
      below.MaxVars = pass.sameDownTo - 1;
      FormingPass changed = FormSubsystems(b, mode, below);
      EXPECT_TRUE(changed.outcome != pass.outcome || changed.subsystems.SubMembers != pass.subsystems.SubMembers)
          << round;
    }
  }
  EXPECT_GT(checked, 50);
}

}  // namespace
}  // namespace korva

#include "model/calculation_order.h"

#include <gtest/gtest.h>

#include <random>

#include "model/model_fixture.h"
#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::ModelOf;
using testing::TempDir;

// The levelling as repeated passes over the elements, written out plainly:
// the reference the fast levelling must agree with.
Levelling LevelByPasses(const ModelTables& model) {
  Levelling r;
  r.levels.assign(static_cast<size_t>(model.ElementCount) + 1, 0);
  int level = 1, previous = 0;
  for (;;) {
    int placed = 0, unplaced = 0;
    for (int i = 1; i <= model.ElementCount; ++i) {
      bool ready = true;
      for (const std::string& entry : model.ConnectionMatrix[i]) {
        if (entry.empty()) continue;
        int j = FindElement(model, entry);
        if (j == 0 || r.levels[j] == 0 || r.levels[j] == level) {
          ready = false;
          break;
        }
      }
      if (ready && r.levels[i] == 0) {
        r.levels[i] = level;
        ++placed;
      }
      if (r.levels[i] == 0) ++unplaced;
    }
    ++level;
    r.widest = std::max(r.widest, placed);
    if (unplaced == 0) {
      r.complete = true;
      r.levelCount = level - 1;
      return r;
    }
    if (unplaced == previous) return r;
    previous = unplaced;
  }
}

TEST(Levelling, ChainOfInfluencesGivesLevelsOneTwoThree) {
  ModelTables model = ModelOf({"P p", "Q q", "R r"}, {"Q  P", "R  P,Q"});
  Levelling l = LevelElements(model);
  EXPECT_TRUE(l.complete);
  EXPECT_EQ(l.levels, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(l.levelCount, 3);
  EXPECT_EQ(l.widest, 1);
}

TEST(Levelling, LoopsAndUnknownInfluencesStayAtZeroWithAllDownstream) {
  ModelTables loop = ModelOf({"P p", "Q q", "S s"}, {"P  Q", "Q  P"});
  EXPECT_EQ(LevelElements(loop).levels, (std::vector<int>{0, 0, 0, 1}));
  EXPECT_FALSE(LevelElements(loop).complete);
  ModelTables unknown = ModelOf({"P p", "Q q", "R r"}, {"P  X", "Q  P", "R  R"});
  EXPECT_EQ(LevelElements(unknown).levels, (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(LevelElements(unknown).widest, 0);
}

TEST(Levelling, AgreesWithRepeatedPassesOnRandomModels) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    int n = 1 + static_cast<int>(random() % 40);
    std::vector<std::string> names, rows;
    for (int i = 1; i <= n; ++i) names.push_back("E" + std::to_string(random() % (n + 3)) + " x");  // some repeat
    for (int i = 1; i <= n; ++i) {
      std::string row = names[i - 1].substr(0, names[i - 1].find(' ')) + "  ";
      int deps = static_cast<int>(random() % 4);
      for (int k = 0; k < deps; ++k) {
        // Mostly earlier identifiers (acyclic), sometimes any, sometimes unknown or empty.
        int pick = static_cast<int>(random() % 10);
        std::string id = pick < 7 && i > 1 ? names[random() % (i - 1)].substr(0, names[0].find(' ') + 3)
                         : pick < 9       ? "E" + std::to_string(random() % (n + 3))
                                          : "";
        id = id.substr(0, id.find(' '));
        row += (k ? "," : "") + id;
      }
      rows.push_back(row);
    }
    ModelTables model = ModelOf(names, rows);
    Levelling fast = LevelElements(model), slow = LevelByPasses(model);
    ASSERT_EQ(fast.levels, slow.levels) << "round " << round;
    ASSERT_EQ(fast.complete, slow.complete) << "round " << round;
    ASSERT_EQ(fast.widest, slow.widest) << "round " << round;
    if (slow.complete) {
      ASSERT_EQ(fast.levelCount, slow.levelCount) << "round " << round;
    }
  }
}

TEST(CalculationOrder, ListingHoldsLevelsTwoAndUpInOrder) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "PQR", {"s"});
  a.run.Cycle.Model = ModelOf({"R tercero", "P primero", "Q segundo con un nombre que pasa de los sesenta y cinco caracteres "
                                                   "de largo"},
                        {"R  P,Q", "Q  P"});
  a.run.Cycle.Model.MaxLevelWidth = 5;
  ASSERT_EQ(a.Try([](RunContext& run, ModelCycle& cycle, const StructurePath& path) {
    EXPECT_TRUE(CalculationOrderStep(run, cycle, path));
  }), std::nullopt);
  EXPECT_TRUE(a.Showed("Ahora vamos a escribir las ecuaciones que corresponden a las relaciones establecidas."));
  EXPECT_EQ(a.box.Prompts(),
            std::vector<std::string>{"¿Desea un listado de los elementos en orden de cálculo? (S/N/T)(Fichero OPQR.txt)"});
  EXPECT_EQ(dir.Read("OPQR.txt"),
            "1 3 Q segundo con un nombre que pasa de los sesenta y cinco caractere\r\n2 1 R tercero\r\n");
  EXPECT_EQ(a.run.Cycle.Model.LevelCount, 3);
  EXPECT_EQ(a.run.Cycle.Model.MaxLevelWidth, 5) << "the widest level is only ever raised";
}

TEST(CalculationOrder, LoopReportShowsEveryElementFiftyABox) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "L", {}, "b");
  a.run.Cycle.Model = ModelOf({"POB p", "NAC n"}, {"NAC  NAC"});
  ASSERT_EQ(a.Try([](RunContext& run, ModelCycle& cycle, const StructurePath& path) {
    EXPECT_FALSE(CalculationOrderStep(run, cycle, path));
  }), std::nullopt);
  EXPECT_EQ(a.box.Messages(), std::vector<std::string>{"Existen bucles en su matriz de conexiones.\nRevise las "
                                                       "dependencias correspondientes a los ceros de esta lista.\n"
                                                       "POB 1  NAC 0  "});
  std::vector<std::string> names, rows;
  for (int i = 0; i < 120; ++i) {
    char id[8];
    std::snprintf(id, sizeof id, "E%03d", i);
    names.push_back(std::string(id) + " x");
    char next[8];
    std::snprintf(next, sizeof next, "E%03d", (i + 1) % 120);
    rows.push_back(std::string(id) + "  " + next);
  }
  std::vector<std::string> boxes = LoopReportBoxes(ModelOf(names, rows));
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1].size(), 50u * 8);
  EXPECT_EQ(boxes[1].substr(0, 8), "E050 0  ");
  EXPECT_EQ(boxes[2].size(), 20u * 8);
}

}  // namespace
}  // namespace korva

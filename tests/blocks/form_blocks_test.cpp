#include "blocks/form_blocks.h"

#include <gtest/gtest.h>

#include "blocks/blocks_fixture.h"
#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::LevelledModel;
using testing::LoadModel;
using testing::TempDir;
using Lines = std::vector<std::string>;

const std::string kModeQuestion =
    "¿Desea formar los subsistemas jerarquizados\n elementales (e),\n naturales (n) o,\n prefiere fijar su "
    "tamaño (t)?\n o terminar ()?";
const std::string kMaxSubsQuestion = " ¿Cuantos subsistemas desea generar como máximo?";
const std::string kTooFewSubs =
    " Sale un número de subsistemas inferior al mínimo.\n  Reduzco el número máximo de variables y reinicio el proceso.";
const std::string kNoVariable = "No tiene sentido generar subsistemas de menos de una variable.";

// The lines of a file the system wrote (CR LF ends).
Lines FileLines(const TempDir& dir, const std::string& name) {
  std::string bytes = dir.Read(name);
  Lines lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << name << " ends with a line end";
  return lines;
}

const Lines kFarm = {"LLU lluvia anual", "SUP superficie sembrada", "PRE precio del grano",
                     "CHA cabezas de ganado", "REN rendimiento", "COS cosecha",
                     "AGU agua de riego", "ING ingresos", "PIE pienso", "LEC leche"};
const Lines kFarmRows = {"REN    LLU",     "COS    REN,SUP", "AGU    SUP,LLU",
                         "ING    COS,PRE", "PIE    COS",     "LEC    PIE,CHA"};

struct BlocksRun : ActivityRun {
  BlocksRun(const TempDir& dir, const Lines& names, const Lines& rows, Lines answers)
      : ActivityRun(dir.workDir(), "GRA", std::move(answers), "b") {
    LoadModel(run, LevelledModel(names, rows));
  }
  std::optional<EndReason> Go() { return Try(FormBlocks); }
};

TEST(FormBlocks, NaturalSubsystemsAreDividedIntoTheirFiles) {
  TempDir dir;
  dir.Write("GGRA.txt", "REN REN = LLU / 250\r\nCOS COS = REN * SUP\r\n    + 0\r\nAGU AGU = SUP * LLU\r\n"
                        "ING ING = COS * PRE\r\nPIE PIE = 0.3 * COS\r\nLEC LEC = PIE * CHA\r\n");
  BlocksRun r(dir, kFarm, kFarmRows, {"n", "n", "n", "s"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.remaining(), 0u);
  EXPECT_FALSE(dir.Has("GRAsub.txt"));
  EXPECT_EQ(FileLines(dir, "LSUB1.txt"), (Lines{"AGU agua de riego", "SUP superficie sembrada", "LLU lluvia anual"}));
  EXPECT_EQ(FileLines(dir, "CSUB2.txt"),
            (Lines{"ING    COS,PRE", "COS    REN,SUP", "PRE   ", "REN    LLU", "SUP   ", "LLU   "}));
  // The shared harvest is an input of the third subsystem, computed in the second.
  EXPECT_EQ(FileLines(dir, "CSUB3.txt"), (Lines{"LEC    PIE,CHA", "PIE    COS", "CHA   ", "COS   "}));
  EXPECT_EQ(FileLines(dir, "GSUB2.txt"),
            (Lines{"ING ING = COS * PRE", "COS COS = REN * SUP", "    + 0", "REN REN = LLU / 250"}));
  EXPECT_EQ(FileLines(dir, "GSUB3.txt"), (Lines{"LEC LEC = PIE * CHA", "PIE PIE = 0.3 * COS"}));
  EXPECT_EQ(FileLines(dir, "lsGRA.txt"),
            (Lines{"SUB1 Subsistema número 1", "SUB2 Subsistema número 2", "SUB3 Subsistema número 3"}));
  // The first two share only inputs: not connected.
  EXPECT_EQ(FileLines(dir, "csGRA.txt"), (Lines{"SUB1   ", "SUB2   ", "SUB3    SUB2"}));
  EXPECT_EQ(dir.Read("esGRA.txt"), "1\r\n\"COS\"\r\n");
}

TEST(FormBlocks, ElementarySubsystemsHoldOneComputedElementEach) {
  TempDir dir;
  BlocksRun r(dir, kFarm, kFarmRows, {"e", "n", "n", "s"});
  EXPECT_EQ(r.Go(), std::nullopt);
  const Lines expected[] = {{"AGU    SUP,LLU", "SUP   ", "LLU   "}, {"ING    COS,PRE", "COS   ", "PRE   "},
                            {"COS    REN,SUP", "REN   ", "SUP   "}, {"REN    LLU", "LLU   "},
                            {"LEC    PIE,CHA", "PIE   ", "CHA   "}, {"PIE    COS", "COS   "}};
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(FileLines(dir, "CSUB" + std::to_string(k) + ".txt"), expected[k - 1]) << k;
  }
  EXPECT_FALSE(dir.Has("CSUB7.txt"));
  EXPECT_FALSE(dir.Has("GSUB1.txt"));  // no equations file, no equations of subsystems
  EXPECT_EQ(FileLines(dir, "csGRA.txt"),
            (Lines{"SUB1   ", "SUB2    SUB3", "SUB3    SUB4", "SUB4   ", "SUB5    SUB6", "SUB6    SUB3"}));
  // In calculation order of the subsystems: SUB3; SUB2 and SUB6; SUB5.
  EXPECT_EQ(FileLines(dir, "esGRA.txt"), (Lines{"1", "\"REN\"", "1", "\"COS\"", "1", "\"COS\"", "1", "\"PIE\""}));
}

TEST(FormBlocks, TenSubsystemsPadTheIdentifiersOfOneToNine) {
  Lines names, rows;
  for (int i = 1; i <= 11; ++i) names.push_back("C" + std::to_string(i) + " eslabon");
  for (int i = 1; i <= 10; ++i) rows.push_back("C" + std::to_string(i) + "    C" + std::to_string(i + 1));
  TempDir dir;
  BlocksRun r(dir, names, rows, {"e", "n", "n", "s"});
  EXPECT_EQ(r.Go(), std::nullopt);
  Lines ls = FileLines(dir, "lsGRA.txt");
  ASSERT_EQ(ls.size(), 10u);
  EXPECT_EQ(ls[0], "SUB1  Subsistema número 1");
  EXPECT_EQ(ls[9], "SUB10 Subsistema número 10");
  Lines cs = FileLines(dir, "csGRA.txt");
  ASSERT_EQ(cs.size(), 10u);
  EXPECT_EQ(cs[0], "SUB1     SUB2 ");
  EXPECT_EQ(cs[8], "SUB9     SUB10");
  EXPECT_EQ(cs[9], "SUB10   ");
  Lines es = FileLines(dir, "esGRA.txt");
  ASSERT_EQ(es.size(), 18u);  // SUB9 down to SUB1, one shared element each
  EXPECT_EQ(es[0], "1");
  EXPECT_EQ(es[1], "\"C10\"");
  EXPECT_EQ(es[17], "\"C2\"");
}

TEST(FormBlocks, TheListingShowsTheLevelsOnceAndEveryFormingAfterThem) {
  TempDir dir;
  BlocksRun r(dir, {"A arriba", "B abajo"}, {"A    B"},
              {"n", "f", "s", "t", "5", "1", "4", "1", "f", "n", "n"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.remaining(), 0u);
  const Lines subsystem = {"Subsistema:  1", " 1   2   ", "Nivel 1   ", " B", "", "", "Nivel 2   ", " A", "", "", ""};
  Lines expected = {"VARIABLES POR NIVELES EN GRA", "", "", " B", "", "", " A", "", "", "", "",
                    "", "SUBSISTEMAS NATURALES", ""};
  expected.insert(expected.end(), subsystem.begin(), subsystem.end());
  expected.insert(expected.end(), {"", "ENTRE  1y5 SUBSISTEMAS DE ENTRE 1y4 VARIABLES", ""});
  expected.insert(expected.end(), subsystem.begin(), subsystem.end());
  EXPECT_EQ(FileLines(dir, "GRAsub.txt"), expected);
  EXPECT_FALSE(dir.Has("LSUB1.txt"));  // the division was declined
}

TEST(FormBlocks, AnOldListingIsKeptAppendedToOrSetAside) {
  const std::string old = "lo anterior\r\n";
  const Lines head = {"VARIABLES POR NIVELES EN GRA", "", "", " B", "", "", " A", "", "", "", ""};
  {
    TempDir dir;  // kept and appended to
    dir.Write("GRAsub.txt", old);
    BlocksRun r(dir, {"A a", "B b"}, {"A    B"}, {"s", "s", "n", "f", "n", "n"});
    EXPECT_EQ(r.Go(), std::nullopt);
    Lines lines = FileLines(dir, "GRAsub.txt");
    ASSERT_GT(lines.size(), head.size() + 1);
    EXPECT_EQ(lines[0], "lo anterior");
    EXPECT_EQ(Lines(lines.begin() + 1, lines.begin() + 1 + static_cast<long>(head.size())), head);
  }
  {
    TempDir dir;  // kept under the other name, which an older one had
    dir.Write("GRAsub.txt", old);
    dir.Write("GRAsbk.txt", "mas antiguo\r\n");
    BlocksRun r(dir, {"A a", "B b"}, {"A    B"}, {"S", "N", "n", "f", "n", "n"});
    EXPECT_EQ(r.Go(), std::nullopt);
    EXPECT_TRUE(r.Showed("Entonces le llamaremos GRAsbk.txt"));
    EXPECT_EQ(r.TimesAsked("¿Puedo escribir a continuación en ‚l"), 1);
    EXPECT_EQ(dir.Read("GRAsbk.txt"), old);
    EXPECT_EQ(FileLines(dir, "GRAsub.txt")[0], "VARIABLES POR NIVELES EN GRA");
  }
  {
    TempDir dir;  // not kept: rewritten
    dir.Write("GRAsub.txt", old);
    BlocksRun r(dir, {"A a", "B b"}, {"A    B"}, {"n", "n", "f", "n", "n"});
    EXPECT_EQ(r.Go(), std::nullopt);
    EXPECT_EQ(FileLines(dir, "GRAsub.txt")[0], "VARIABLES POR NIVELES EN GRA");
    EXPECT_FALSE(dir.Has("GRAsbk.txt"));
  }
  {
    TempDir dir;  // "t" ends the program and leaves the file alone
    dir.Write("GRAsub.txt", old);
    BlocksRun r(dir, {"A a", "B b"}, {"A    B"}, {"t"});
    EXPECT_EQ(r.Go(), EndReason::kTerminated);
    EXPECT_EQ(dir.Read("GRAsub.txt"), old);
  }
}

TEST(FormBlocks, AnEmptyModeAnswerEndsTheProgram) {
  TempDir dir;
  BlocksRun r(dir, {"A a", "B b"}, {"A    B"}, {"x", ""});
  EXPECT_EQ(r.Go(), EndReason::kTerminated);
  EXPECT_EQ(r.TimesAsked(kModeQuestion), 2);
}

TEST(FormBlocks, AModelAllOnLevelOneReducesUntilTheLimitQuestions) {
  TempDir dir;
  // No element above level 1 leaves no subsystem to form; the limits typed
  // keep it impossible, once with a huge maximum of variables, until the
  // answers run out.
  BlocksRun r(dir, {"A a", "B b", "C c"}, {},
              {"n", "5", "1", "3", "1", "5", "1", "4000000000000", "1", "x", "1", "2", "1"});
  EXPECT_EQ(r.Go(), EndReason::kEndOfInput);
  const std::string noSubsystem = "No tiene sentido generar menos de un subsistema.";
  EXPECT_EQ(r.box.Messages(), (Lines{noSubsystem, kTooFewSubs, kNoVariable, kTooFewSubs, kNoVariable, noSubsystem}));
  EXPECT_EQ(r.TimesAsked(kMaxSubsQuestion), 4);  // the fourth time the answers have run out
  EXPECT_FALSE(dir.Has("GRAsub.txt"));
}

TEST(FormBlocks, MinimaOfNoneLetAnEmptyFormingThrough) {
  TempDir dir;
  BlocksRun r(dir, {"A a", "B b"}, {}, {"n", "1", "0", "1", "0", "n", "n", "s"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.remaining(), 0u);
  EXPECT_EQ(dir.Read("lsGRA.txt"), "");
  EXPECT_EQ(dir.Read("esGRA.txt"), "");
}

TEST(FormBlocks, LimitsThatCannotBeMetAreAskedAgain) {
  TempDir dir;
  // Two roots that need three variables together: one subsystem of two is
  // too little, then a minimum of four variables can never be met.
  Lines names = {"X x", "P p", "Q q"}, rows = {"P    X", "Q    X"};
  BlocksRun r(dir, names, rows, {"t", "1", "1", "2", "1", "3", "1", "3", "4", "3", "1", "3", "1", "n", "n", "n"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_TRUE(r.Showed(" Sale un número excesivo de subsistemas.\n Debe usted ampliar sus máximos."));
  EXPECT_TRUE(r.Showed(" Salen subsistemas con un número de variables\n  inferior al mínimo. Reduzco su máximo y "
                       "reinicio el proceso."));
  EXPECT_TRUE(r.Showed(kNoVariable));
  EXPECT_EQ(r.TimesAsked(kMaxSubsQuestion), 3);
  EXPECT_EQ(r.box.remaining(), 0u);
}

TEST(FormBlocks, ALoopBetweenSubsystemsLeavesTheDetailFileEmpty) {
  // With four variables a subsystem, Q does not fit beside R and S: it opens a
  // subsystem of its own that takes S, computed in the first, as an input,
  // while the first takes Q as an input.
  TempDir dir;
  dir.Write("esGRA.txt", "antiguo\r\n");
  BlocksRun r(dir, {"R r", "Q q", "S s", "X x", "Y y", "Z z"}, {"R    Q,S", "S    X", "Q    S,Y,Z"},
              {"t", "5", "1", "4", "1", "n", "n", "s"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(FileLines(dir, "CSUB1.txt"), (Lines{"R    Q,S", "Q   ", "S    X", "X   "}));
  EXPECT_EQ(FileLines(dir, "CSUB2.txt"), (Lines{"Q    S,Y,Z", "S   ", "Y   ", "Z   "}));
  EXPECT_EQ(FileLines(dir, "csGRA.txt"), (Lines{"SUB1    SUB2", "SUB2    SUB1"}));
  EXPECT_TRUE(r.Showed("Existen bucles en su matriz de conexiones.\nRevise las dependencias correspondientes a "
                       "los ceros de esta lista.\nSUB1 0  SUB2 0  "));
  EXPECT_EQ(dir.Read("esGRA.txt"), "");
}

TEST(FormBlocks, AModelWithElementsOutOfTheOrderIsNotFormed) {
  TempDir dir;
  BlocksRun r(dir, {"A a", "B b", "C c"}, {"A    B", "B    A"}, {});
  EXPECT_EQ(r.Go(), std::nullopt);
  ASSERT_EQ(r.box.Messages().size(), 1u);
  EXPECT_EQ(r.box.Prompts().size(), 0u);
  EXPECT_FALSE(dir.Has("GRAsub.txt"));
  EXPECT_FALSE(dir.Has("lsGRA.txt"));
}

}  // namespace
}  // namespace korva

#include "model/file_ordering.h"

#include <gtest/gtest.h>

#include "model/calculation_order.h"
#include "model/model_fixture.h"
#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::ModelOf;
using testing::TempDir;

ModelTables Leveled(const std::vector<std::string>& names, const std::vector<std::string>& rows) {
  ModelTables model = ModelOf(names, rows);
  Levelling l = LevelElements(model);
  model.CalcLevel = l.levels;
  model.LevelCount = l.levelCount;
  return model;
}

const std::vector<std::string> kNames = {"TN tasa", "POB poblacion", "NAC nacimientos", "MUE muertes"};
const std::vector<std::string> kRows = {"POB  NAC,MUE", "NAC  TN", "MUE  TN"};

TEST(EquationOrdering, ContinuationLinesAreNormalisedAndKeepOneBlank) {
  EXPECT_EQ(StoreEquationLines({"POB POB = NAC - MUE", " + 1", "", "   ", "        + 2", "\t"}, 3),
            (std::vector<std::string>{"POB POB = NAC - MUE", "     + 1", "        + 2", "\t"}));
  // Written from just after the identifier: one blank is left where the
  // identifier has the length of the first one, none where it is longer.
  ModelTables model = Leveled({"POB poblacion", "TN tasa", "NAC n"}, {"POB  TN,NAC", "NAC  TN"});
  std::vector<std::string> stored = StoreEquationLines({"POB POB = NAC", " + 1", "NAC NAC = TN"}, model.IdLength);
  EXPECT_EQ(OrderEquations(stored, model), (std::vector<std::string>{"NAC = TN", "POB = NAC", " + 1"}));
  ModelTables shorter = Leveled(kNames, kRows);
  stored = StoreEquationLines({"POB POB = NAC", " + 1"}, shorter.IdLength);
  EXPECT_EQ(OrderEquations(stored, shorter), (std::vector<std::string>{"POB = NAC", "+ 1"}));
}

TEST(EquationOrdering, ReverseFileComesOutInCalculationOrder) {
  ModelTables model = Leveled(kNames, kRows);
  std::vector<std::string> stored = {"POB POB = NAC - MUE", "MUE MUE = TN * 2", "NAC NAC = TN", "TN  TN = 0.1"};
  EXPECT_EQ(OrderEquations(stored, model),
            (std::vector<std::string>{"NAC = TN", "MUE = TN * 2", "POB = NAC - MUE"}))
      << "level 1 contributes nothing";
}

TEST(EquationOrdering, EveryEquationOfAnIdentifierInFileOrder) {
  ModelTables model = Leveled(kNames, kRows);
  std::vector<std::string> stored = {"NAC NAC = 1", "     + TN", "POB POB = 0", "NAC NAC = NAC * 2", "XYZ nadie"};
  EXPECT_EQ(OrderEquations(stored, model),
            (std::vector<std::string>{"NAC = 1", " + TN", "NAC = NAC * 2", "POB = 0"}));
}

// Two elements of one identifier are both given the equations of that identifier.
TEST(EquationOrdering, ElementsOfOneIdentifierShareItsEquations) {
  ModelTables model = ModelOf({"TN tasa", "NAC nacimientos", "NAC nacidos"}, {"NAC  TN"});
  model.ConnectionMatrix[3] = {"TN"};
  Levelling levelling = LevelElements(model);
  model.CalcLevel = levelling.levels;
  model.LevelCount = levelling.levelCount;
  std::vector<std::string> stored = {"NAC NAC = TN", "     + 1", "TN  TN = 0.1"};
  EXPECT_EQ(OrderEquations(stored, model), (std::vector<std::string>{"NAC = TN", " + 1", "NAC = TN", " + 1"}));
}

TEST(SpecificationOrdering, GroupsFollowTheCalculationOrder) {
  ModelTables model = Leveled(kNames, kRows);
  std::vector<std::string> m = {
      "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"",
      "\"POB poblacion\"",
      "\"   Cambios\",\"n\"",
      "\"   La funcion\",\"POB=f(NAC,MUE)\",\"¿Lleva incertidumbre?\",\"n\"",
      "\"   ¿De estado?\",\"s\"",
      "\"NAC nacimientos\"",
      "\"   La funcion\",\"NAC=f(TN)\",\"¿Lleva incertidumbre?\",\"n\"",
      "\"   ¿De estado?\",\"n\"",
      "\"TN tasa\"",
      "\"   Cambios\",\"n\"",
  };
  EXPECT_EQ(OrderSpecifications(m, model),
            (std::vector<std::string>{
                "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"",
                "\"TN tasa\"",
                "\"   Cambios\",\"n\"",
                "\"¿Funciones grabadas?\",\"s\"",
                "\"NAC nacimientos\"",
                "\"   La funcion\",\"NAC=f(TN)\",\"¿Lleva incertidumbre?\",\"n\"",
                "\"   ¿De estado?\",\"n\"",
                "\"POB poblacion\"",
                "\"   Cambios\",\"n\"",
                "\"   La funcion\",\"POB=f(NAC,MUE)\",\"¿Lleva incertidumbre?\",\"n\"",
                "\"   ¿De estado?\",\"s\"",
            }))
      << "MUE has no group and gets none";
}

TEST(FileOrdering, EquationsOrderedOnlyWhenTheMatrixCameFromThemOnTheirPaths) {
  struct Case {
    std::string menu;
    bool fromEquations;
    size_t storedLines;
  };
  for (const Case& c : {Case{"c", false, 0}, Case{"b", false, 0}, Case{"e", false, 0}, Case{"b", true, 3},
                        Case{"c", true, 3}, Case{"x", true, 0}}) {
    TempDir dir;
    dir.Write("GPOB.txt", "NAC NAC = TN\r\n\r\nMUE MUE = TN\n   + 1\n");
    ActivityRun a(dir.workDir(), "POB", {"n"}, c.menu);
    a.run.Cycle.Model = Leveled(kNames, kRows);
    a.run.Cycle.MatrixFromEquations = c.fromEquations;
    ASSERT_EQ(a.Try(FileOrderingStep), std::nullopt);
    EXPECT_EQ(a.run.Cycle.GLines.size(), c.storedLines) << c.menu << c.fromEquations;
    EXPECT_EQ(dir.Has("FPOB.txt"), c.storedLines != 0);
    EXPECT_EQ(a.TimesAsked("¿Desea que le ordene el fichero de especificaciones MPOB.txt? (S/N/T)\n Normalmente, solo "
                           "cuando este procede de una búsqueda analógica."),
              c.menu == "c" ? 1 : 0);
  }
}

TEST(FileOrdering, SpecificationsFileIsReplacedWholeOrReportedMissing) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "POB", {"s", ""});
  a.run.Cycle.Model = Leveled(kNames, kRows);
  EXPECT_EQ(a.Try(FileOrderingStep), EndReason::kErrorReported);
  EXPECT_EQ(a.box.Prompts().back(),
            "FICHERO " + dir.workDir() + "MPOB.txt NO ENCONTRADO    \n - PULSE UNA TECLA PARA CONTINUAR -");

  dir.Write("MPOB.txt", "\"h\",\"1\"\r\n\"POB p\"\r\n\"   Cambios\",\"n\"\r\n\"TN t\"\r\n\"   Cambios\",\"s\"\r\n");
  ActivityRun b(dir.workDir(), "POB", {"s"}, "c", 2);
  b.run.Cycle.Model = Leveled(kNames, kRows);
  ASSERT_EQ(b.Try(FileOrderingStep), std::nullopt);
  EXPECT_EQ(dir.Read("MPOB.txt"), "\"h\",\"1\"\r\n\"TN t\"\r\n\"   Cambios\",\"s\"\r\n\"POB p\"\r\n\"   Cambios\",\"n\"\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), {}), 3) << "M, log 1, log 2: no temporaries";
}

}  // namespace
}  // namespace korva

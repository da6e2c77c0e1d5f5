#include "model/element_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::TempDir;

const std::string kView =
    "\nCompruebe, si lo desea, su lista de elementos.\n\n¿Desea ver la lista por pantalla (p), fichero (f), o no la "
    "desea ver (n) o, desea terminar (t) ?";

std::vector<std::string> Names(const ModelTables& model) {
  return std::vector<std::string>(model.ElementList.begin() + 1, model.ElementList.begin() + 1 + model.ElementCount);
}

TEST(ElementList, ListFileSkipsBlankLinesAndDerivesIdentifiers) {
  TempDir dir;
  dir.Write("LPOB.txt", "POB poblaci\xC3\xB3n\r\n\r\n   \nNAC nacimientos\nMUE muertes\r\n");
  ActivityRun a(dir.workDir(), "POB", {"s", "n", ""});
  EXPECT_EQ(a.Try(ElementListDialogue), std::nullopt);
  const ModelTables& model = a.run.Cycle.Model;
  EXPECT_EQ(model.ElementCount, 3);
  EXPECT_EQ(Names(model), (std::vector<std::string>{"POB población", "NAC nacimientos", "MUE muertes"}));
  EXPECT_EQ(model.ElementIds[2], "NAC");
  EXPECT_EQ(model.IdLength, 3);
  EXPECT_EQ(FindElement(model, "MUE"), 3);
  EXPECT_EQ(FindElement(model, "mue"), 0) << "identifiers compare case-sensitively";
  EXPECT_EQ(a.TimesAsked(kView), 1);
  EXPECT_EQ(dir.Read("MODELO1.txt"), "\"Lista al completo\",\"s\"\r\n"
                                     "\"Ver la lista por Pantalla, Fichero, o No ver\",\"n\"\r\n");
}

TEST(ElementList, FindElementGivesTheLastOfEqualIdentifiers) {
  TempDir dir;
  dir.Write("LX.txt", "POB total\nPOB activa\nNAC n\n");
  ActivityRun a(dir.workDir(), "X", {"s", "n", "s"});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_EQ(FindElement(a.run.Cycle.Model, "POB"), 2);
  EXPECT_TRUE(a.Showed("Debe cambiar las 4 primeras letras del nombre de la variable 2POB activa"
                       "pues coinciden con las de otra anterior. ( La 1 )"));
  const std::vector<std::string> messages = a.box.Messages();
  EXPECT_EQ(std::count_if(messages.begin(), messages.end(),
                          [](const std::string& m) { return m.starts_with("Debe cambiar"); }),
            1)
      << "one duplicate warning";
}

// Every repeated name is warned about, naming at most the first five earlier
// ones: thousands of copies of a name give thousands of warnings, not millions.
TEST(ElementList, RepeatedNamesAreWarnedAboutBoundedly) {
  TempDir dir;
  std::string list;
  for (int i = 0; i < 1000; ++i) list += "B dos\n";
  dir.Write("LX.txt", list);
  ActivityRun a(dir.workDir(), "X", {"s", "n", "s"});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_EQ(a.box.Messages().size(), 1u + 2 + 3 + 4 + 5 * 995);
  EXPECT_TRUE(a.Showed("Debe cambiar las 2 primeras letras del nombre de la variable 1000B dos"
                       "pues coinciden con las de otra anterior. ( La 5 )"));
  EXPECT_FALSE(a.Showed("Debe cambiar las 2 primeras letras del nombre de la variable 1000B dos"
                        "pues coinciden con las de otra anterior. ( La 6 )"));
}

TEST(ElementList, TypedListRecordsItsEndAndReplaysToTheSamePlace) {
  TempDir dir;
  {
    ActivityRun a(dir.workDir(), "AB", {"n", "E", "40000", "1", "3", "1ABC x", "0ABC x", "ABD y", "", "f", "s"});
    ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
    EXPECT_EQ(a.TimesAsked("¿Cuantos elementos tendría, como máximo, su sistema?"), 3);
    EXPECT_EQ(a.TimesAsked("Elemento  1"), 2) << "a name beginning with 1 to 9 is asked again";
    EXPECT_EQ(a.TimesAsked("Elemento  3"), 1);
    EXPECT_EQ(Names(a.run.Cycle.Model), (std::vector<std::string>{"0ABC x", "ABD y"}));
    EXPECT_EQ(a.run.Cycle.Model.IdLength, 4);
  }
  EXPECT_EQ(dir.Read("LAB.txt"), "0ABC x\r\nABD y\r\n");
  EXPECT_EQ(dir.Read("lnAB.txt"), " 1 0ABC x\r\n 2 ABD y\r\n");
  EXPECT_EQ(dir.Read("MODELO1.txt"), "\"Lista al completo\",\"n\"\r\n\"Continuar o Empezar\",\"e\"\r\n"
                                     "\"Máximo de elementos\",\"3\"\r\n\"0ABC x\"\r\n\"ABD y\"\r\n\"\"\r\n"
                                     "\"Ver la lista por Pantalla, Fichero, o No ver\",\"f\"\r\n");
  // The replay ends the list at the recorded end and asks no name.
  dir.Write("LAB.txt", "");
  ActivityRun replay(dir.workDir(), "AB", {"s"});
  ASSERT_EQ(replay.Try(ElementListDialogue), std::nullopt);
  EXPECT_EQ(Names(replay.run.Cycle.Model), (std::vector<std::string>{"0ABC x", "ABD y"}));
  EXPECT_TRUE(replay.box.Prompts() == std::vector<std::string>{"¿Seguimos?"});
  EXPECT_EQ(dir.Read("LAB.txt"), "0ABC x\r\nABD y\r\n") << "the replayed names are written again";
}

TEST(ElementList, CommaIsWarnedAndBecomesASemicolonAfterACorrection) {
  TempDir dir;
  dir.Write("LT.txt", "ABC tasa, media\nXYZ otra\n");
  ActivityRun a(dir.workDir(), "T", {"s", "p", "n", "2", "XYZ Nueva", "s", "n", "s"});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_TRUE(a.Showed("La descripcion de la variable (toda la linea) 1 incluye al menos una coma.\n"
                       "Utilice Punto-y-coma en su lugar o elimine las comas directamente.\n"
                       "Si las conserva produciran errores que pueden ser dificiles de detectar."));
  EXPECT_TRUE(a.Showed(" 1 ABC tasa, media"));
  EXPECT_TRUE(a.Showed(" 2 XYZ otra"));
  EXPECT_EQ(dir.Read("LT.txt"), "ABC tasa; media\r\nXYZ Nueva\r\n") << "the replacement keeps its case";
  EXPECT_NE(dir.Read("MODELO1.txt").find("\"Elemento incorrecto\",2\r\n\"Nombre, o Suprimir, o Intercalar\",\"XYZ Nueva\""),
            std::string::npos)
      << "the element number is recorded as a number";
}

TEST(ElementList, DeletionAndInsertionKeepTheTablesInStep) {
  TempDir dir;
  dir.Write("LD.txt", "AA x\nBB y\nCC z\n");
  ActivityRun a(dir.workDir(), "D",
                {"s", "p", "n", "2", "S", "s", "p", "n", "1", "i", "ZZ nueva", "n", ""});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  const ModelTables& model = a.run.Cycle.Model;
  EXPECT_EQ(Names(model), (std::vector<std::string>{"ZZ nueva", "AA x", "CC z"}));
  EXPECT_EQ(model.ElementIds[1], "ZZ");
  EXPECT_EQ(FindElement(model, "BB"), 0);
  EXPECT_EQ(FindElement(model, "CC"), 3);
  EXPECT_EQ(model.CalcLevel.size(), 4u);
  EXPECT_EQ(dir.Read("LD.txt"), "ZZ nueva\r\nAA x\r\nCC z\r\n");
  // The inserted line is asked even while replaying: it is not in the log.
  EXPECT_EQ(dir.Read("MODELO1.txt").find("ZZ nueva"), std::string::npos);
}

TEST(ElementList, InsertionIntoAFullTypedTableMakesRoom) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "F", {"n", "e", "2", "AA x", "BB y", "p", "n", "2", "i", "CC z", "", ""});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_EQ(Names(a.run.Cycle.Model), (std::vector<std::string>{"AA x", "CC z", "BB y"}));
  EXPECT_EQ(dir.Read("LF.txt"), "AA x\r\nCC z\r\nBB y\r\n");
}

TEST(ElementList, ANameWithoutBlankIsItsOwnIdentifier) {
  TempDir dir;
  dir.Write("LW.txt", "AB x\nCD\n");
  ActivityRun a(dir.workDir(), "W", {"s", "n", ""});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_EQ(a.run.Cycle.Model.ElementIds[2], "CD");
  EXPECT_EQ(FindElement(a.run.Cycle.Model, "CD"), 2);
}

TEST(ElementList, FirstNameWithoutIdentifierEndsTheProgram) {
  const std::string message =
      "\nUn nombre de elemento no puede empezar por un espacio en blanco\nni estar vacio. Revise su lista de elementos.";
  for (const char* list : {" ABC x\nDEF y\n", "ABC\nDEF y\n", "", "\n\n"}) {
    TempDir dir;
    dir.Write("LQ.txt", list);
    ActivityRun a(dir.workDir(), "Q", {"s"});
    EXPECT_EQ(a.Try(ElementListDialogue), EndReason::kErrorReported) << list;
    EXPECT_TRUE(a.Showed(message)) << list;
  }
}

TEST(ElementList, MissingListFileIsReportedByName) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "NADA", {"s", ""});
  EXPECT_EQ(a.Try(ElementListDialogue), EndReason::kErrorReported);
  EXPECT_EQ(a.box.Prompts().back(), "FICHERO " + dir.workDir() +
                                        "LNADA.txt NO ENCONTRADO    \n - PULSE UNA TECLA PARA CONTINUAR -");
}

TEST(ElementList, ContinuingATypedListLeavesTheSpecificationsFileAlone) {
  TempDir dir;
  dir.Write("LC.txt", "AA x\r\nBB y\r\n");
  dir.Write("MC.txt", "\"AA x\"\r\n\"   La funcion\",\"AA=f()\",\"¿Lleva incertidumbre?\",\"n\"\r\n");
  const std::string spec = dir.Read("MC.txt");
  ActivityRun a(dir.workDir(), "C", {"n", "c", "4", "CC z", "", "n", ""});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_TRUE(a.Showed("Esta es la lista que Vd. tiene escrita. Prosiga con ella."));
  EXPECT_TRUE(a.Showed(" 1AA x"));
  EXPECT_TRUE(a.Showed(" 2BB y"));
  EXPECT_EQ(a.TimesAsked("Elemento  3"), 1) << "typing goes on after the names read";
  EXPECT_EQ(Names(a.run.Cycle.Model), (std::vector<std::string>{"AA x", "BB y", "CC z"}));
  EXPECT_EQ(dir.Read("LC.txt"), "AA x\r\nBB y\r\nCC z\r\n");
  EXPECT_EQ(dir.Read("MC.txt"), spec);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), {}), 3) << "no copy left behind";
}

// The run ends (no more answers) while a continued list is typed: the names
// typed so far stay in the list, and the list set aside does not linger.
TEST(ElementList, EndOfInputWhileContinuingKeepsTheListAndLeavesNoCopy) {
  TempDir dir;
  dir.Write("LC.txt", "AA x\r\nBB y\r\n");
  ActivityRun a(dir.workDir(), "C", {"n", "c", "9", "CC z"});
  EXPECT_EQ(a.Try(ElementListDialogue), EndReason::kEndOfInput);
  EXPECT_EQ(dir.Read("LC.txt"), "AA x\r\nBB y\r\nCC z\r\n");
  EXPECT_FALSE(dir.Has("~LC.tem"));
}

// A run killed between setting the list aside and putting the new one in
// place left the copy alone: the next continuation puts it back, loses nothing.
TEST(ElementList, CopyLeftByAKilledRunIsPutBack) {
  TempDir dir;
  dir.Write("~LC.tem", "AA x\r\nBB y\r\n");
  ActivityRun a(dir.workDir(), "C", {"n", "c", "4", "CC z", "", "n", ""});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_EQ(dir.Read("LC.txt"), "AA x\r\nBB y\r\nCC z\r\n");
  EXPECT_FALSE(dir.Has("~LC.tem"));
}

TEST(ElementList, TerminatingAnswersEndWithoutARecord) {
  TempDir dir;
  dir.Write("LT.txt", "AA x\nBB y\n");
  ActivityRun a(dir.workDir(), "T", {"s", "p", "n", "0"});
  EXPECT_EQ(a.Try(ElementListDialogue), EndReason::kTerminated);
  EXPECT_EQ(dir.Read("MODELO1.txt"), "\"Lista al completo\",\"s\"\r\n"
                                     "\"Ver la lista por Pantalla, Fichero, o No ver\",\"p\"\r\n"
                                     "\"¿Correcto?\",\"n\"\r\n");
  ActivityRun b(dir.workDir(), "T", {"p", "n", "1", "T"}, "c", 2);
  b.run.Context.Log.Close();
  b.run.Context.Log.Open(b.files, dir.workDir(), 1);  // replays the records above, then asks
  EXPECT_EQ(b.Try(ElementListDialogue), EndReason::kTerminated);
  EXPECT_EQ(dir.Read("MODELO1.txt").find("Nombre, o Suprimir"), std::string::npos);
}

TEST(ElementList, LongLinesAndBytesOfEitherEncoding) {
  TempDir dir;
  std::string longName = "LARGO " + std::string(100000, 'x');
  dir.Write("LB.txt", longName + "\r\nA\xF1O \xFF\xFE raro\r\n");  // not UTF-8: read as Windows-1252
  ActivityRun a(dir.workDir(), "B", {"s", "n", ""});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_EQ(a.run.Cycle.Model.ElementList[1].size(), 100006u);
  EXPECT_EQ(a.run.Cycle.Model.ElementIds[2], "A\xF1O");
}

}  // namespace
}  // namespace korva

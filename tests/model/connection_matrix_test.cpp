#include "model/connection_matrix.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <set>

#include "model/matrix_derivation.h"
#include "model/model_fixture.h"
#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::ModelOf;
using testing::TempDir;

const std::vector<std::string> kPop = {"POB poblacion", "NAC nacimientos", "MUE muertes", "TN tasa"};

TEST(MatrixFile, EmptyEntriesUnknownRowsAndRepeatedRows) {
  ModelTables model = ModelOf(kPop, {"POB   NAC,MUE,,", "XXX   POB", "sinblanco", "NAC  TN", "NAC   POB,TN"});
  EXPECT_EQ(model.MaxDeps, 4);
  // A row keeps what it holds; the free places after it are the columns up to MaxDeps.
  EXPECT_EQ(model.ConnectionMatrix[1], (std::vector<std::string>{"NAC", "MUE"}));
  // A second line for an element adds the influences the first lacked.
  EXPECT_EQ(model.ConnectionMatrix[2], (std::vector<std::string>{"TN", "POB"}));
  EXPECT_EQ(model.ConnectionMatrix[3], (std::vector<std::string>{}));
}

// A row holds what its line says: a line of many empty places costs no more
// than its text, and MaxDeps still counts every column.
TEST(MatrixFile, WideRowsAreHeldByWhatTheyHold) {
  const std::string commas(200000, ',');
  ModelTables model = ModelOf(kPop, {"NAC   POB" + commas, "MUE   ,,TN"});
  EXPECT_EQ(model.MaxDeps, 200001);
  EXPECT_EQ(model.ConnectionMatrix[2], (std::vector<std::string>{"POB"}));
  EXPECT_EQ(model.ConnectionMatrix[3], (std::vector<std::string>{"", "", "TN"}));
  EXPECT_EQ(MatrixListingLine(model, 3), " 3 MUE" + std::string(13, ' ') + "TN") << "TN at column 3 x 4 + 8";
}

// Columns are counted in 64 bits, and none is tabbed to past 32767: influences
// that would stand further follow one blank apart.
TEST(MatrixFile, ListingOfHugeIdentifiersStaysWithinItsWidestColumn) {
  const std::string longId(100000, 'Q');
  ModelTables model = ModelOf({longId + " larga", "A a", "B b"}, {"A   " + longId + ",B"});
  ASSERT_EQ(model.IdLength, 100000);
  const std::string line = MatrixListingLine(model, 2);
  const std::string head = " 2 A";
  ASSERT_EQ(line.size(), 32766 + longId.size() + 1 + 1);
  EXPECT_EQ(line.substr(0, head.size()), head);
  EXPECT_EQ(line.find_first_not_of(' ', head.size()), 32766u);
  EXPECT_EQ(line.substr(32766), longId + " B");
}

TEST(MatrixFile, ListStartsAfterTheLastBlank) {
  ModelTables model = ModelOf(kPop, {"MUE x y POB,TN"});
  EXPECT_EQ(model.ConnectionMatrix[3], (std::vector<std::string>{"POB", "TN"}));
}

MatrixDerivation Derive(const std::vector<std::string>& lines, const ModelTables& model) {
  return DeriveMatrix(lines, model, [](const std::string&) { return std::nullopt; });
}

TEST(MatrixDerivation, ListOrderDecidesTheOrderInEachRow) {
  ModelTables model = ModelOf(kPop);
  MatrixDerivation d = Derive({"POB POB=NAC-MUE", "NAC NAC=TN*POB", "TN  TN=0.3"}, model);
  EXPECT_EQ(d.badLine, 0);
  EXPECT_EQ(d.rows, (std::vector<std::string>{"POB    NAC,MUE", "NAC    POB,TN", "TN   "}));
}

TEST(MatrixDerivation, PlainSubstringsOfTheUpperCasedTextAfterTheIdentifier) {
  ModelTables model = ModelOf({"AB x", "ABC y", "B z", "Q q"});
  // "abc" holds AB and ABC and B; Q's own identifier and what it holds never count.
  MatrixDerivation d = Derive({"Q Q = abc + 1", "  + Q"}, model);
  EXPECT_EQ(d.rows, (std::vector<std::string>{"Q    AB,ABC"})) << "B already occurs in the row (in AB)";
  MatrixDerivation e = Derive({"AB AB = 2", "B B = AB", "ABC ABC=B"}, model);
  EXPECT_EQ(e.rows, (std::vector<std::string>{"AB   ", "B    AB", "ABC   "}))
      << "B occurs in ABC's own identifier";
}

TEST(MatrixDerivation, ContinuationLinesAddToTheirEquation) {
  ModelTables model = ModelOf(kPop);
  MatrixDerivation d = Derive({"   NAC before any equation", "POB POB = NAC", "", "  - MUE", "NAC NAC=1"}, model);
  EXPECT_EQ(d.rows, (std::vector<std::string>{"POB    NAC,MUE", "NAC   "}));
}

TEST(MatrixDerivation, LineWithoutBlankIsReportedByItsNumber) {
  ModelTables model = ModelOf(kPop);
  EXPECT_EQ(Derive({"POB POB=1", "", "NAC\tNAC=2"}, model).badLine, 3);
  EXPECT_EQ(Derive({" "}, model).badLine, 1);
}

TEST(MatrixDerivation, UnknownIdentifierIsCorrectedOrAbandoned) {
  ModelTables model = ModelOf(kPop);
  std::vector<std::string> asked;
  MatrixDerivation d = DeriveMatrix({"PB  PB=NAC"}, model, [&](const std::string& id) -> std::optional<std::string> {
    asked.push_back(id);
    return std::string("POB");
  });
  EXPECT_EQ(asked, std::vector<std::string>{"PB"});
  EXPECT_EQ(d.rows, std::vector<std::string>{"POB    NAC"});
  EXPECT_TRUE(Derive({"PB  PB=NAC"}, model).abandoned);
}

// The derivation done the plain way, one equation line after another: every
// element in list order whose identifier occurs in the upper-cased line after
// the line's identifier, and not already in the row's text, is added.
std::vector<std::string> PlainDerivation(const std::vector<std::string>& lines, const ModelTables& model) {
  std::vector<std::string> rows;
  std::string row;
  for (const std::string& line : lines) {
    const int idLength = LineIdentifierLength(line);
    if (line[0] != ' ') {
      if (!row.empty()) rows.push_back(row.substr(0, row.size() - 1));
      row = line.substr(0, static_cast<size_t>(idLength)) + "    ";
    }
    std::string upper = line;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::set<std::string> added;
    for (int j = 1; j <= model.ElementCount; ++j) {
      const std::string& id = model.ElementIds[j];
      if (added.count(id) != 0 || upper.find(id, static_cast<size_t>(idLength) + 1) == std::string::npos) continue;
      if (row.find(id) == std::string::npos) row += id + ",";
      added.insert(id);
    }
  }
  if (!row.empty()) rows.push_back(row.substr(0, row.size() - 1));
  return rows;
}

// Identifiers of many lengths that nest in one another and repeat, over random
// equations: the one-pass derivation gives exactly the rows of the plain one.
TEST(MatrixDerivation, SameRowsAsThePlainDerivation) {
  std::mt19937 random(2026);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> names;
    const int n = 2 + static_cast<int>(random() % 10);
    for (int i = 0; i < n; ++i) {
      std::string id(1 + random() % 4, 'A');
      for (char& c : id) c = static_cast<char>('A' + random() % 3);
      names.push_back(id + " nombre");
    }
    ModelTables model = ModelOf(names);
    std::vector<std::string> lines;
    for (int k = 0; k < 4; ++k) {
      const std::string& id = model.ElementIds[1 + random() % static_cast<unsigned>(n)];
      std::string text(random() % 30, ' ');
      for (char& c : text) c = "abcABC+ ,"[random() % 9];
      lines.push_back((k > 0 && random() % 3 == 0 ? " " + std::string(id.size(), ' ') : id) + " " + text);
    }
    if (lines[0][0] == ' ') continue;
    MatrixDerivation derived = Derive(lines, model);
    ASSERT_EQ(derived.badLine, 0);
    ASSERT_EQ(derived.rows, PlainDerivation(lines, model)) << "round " << round << ", first line " << lines[0];
  }
}

TEST(MatrixDialogue, DerivedFromTheEquationsFileAndListed) {
  TempDir dir;
  dir.Write("GPOB.txt", "NAC NAC=TN*POB\r\nPOB POB=NAC-MUE\r\n");
  ActivityRun a(dir.workDir(), "POB", {"s", "f", "n", "s"});
  a.run.Cycle.Model = ModelOf(kPop);
  EXPECT_EQ(a.Try(ConnectionMatrixDialogue), std::nullopt);
  EXPECT_TRUE(a.run.Cycle.MatrixFromEquations);
  EXPECT_EQ(dir.Read("CPOB.txt"), "NAC    POB,TN\r\nPOB    NAC,MUE\r\n");
  EXPECT_EQ(a.run.Cycle.Model.ConnectionMatrix[1], (std::vector<std::string>{"NAC", "MUE"}));
  EXPECT_EQ(a.TimesAsked("¿Tiene grabada por completo la matriz de conexiones? (S/N/T)"), 0);
  // Listing: number, blank, identifier; influences at columns IdLength + 8 and then IdLength + 2 further on.
  // A line ends at its last influence: the free columns after it are not padded out.
  EXPECT_EQ(dir.Read("cnPOB.txt"), " 1 POB    NAC  MUE\r\n 2 NAC    POB  TN\r\n 3 MUE\r\n 4 TN\r\n");
}

TEST(MatrixDialogue, EquationsFileErrors) {
  TempDir dir;
  dir.Write("GPOB.txt", "POB POB=1\r\nNAC\tNAC=2\r\n");
  ActivityRun a(dir.workDir(), "POB", {"s"});
  a.run.Cycle.Model = ModelOf(kPop);
  EXPECT_EQ(a.Try(ConnectionMatrixDialogue), EndReason::kErrorReported);
  EXPECT_TRUE(a.Showed("Error: revise la linea 2 del fichero " + dir.workDir() +
                       "GPOB.txt\nRecuerde que no puede incluir tabuladores ni estar en blanco."));
  EXPECT_FALSE(dir.Has("CPOB.txt"));

  dir.Write("GPOB.txt", "PB  PB=NAC\r\n");
  ActivityRun b(dir.workDir(), "POB", {"s", "XX", ""}, "c", 2);
  b.run.Cycle.Model = ModelOf(kPop);
  EXPECT_EQ(b.Try(ConnectionMatrixDialogue), EndReason::kErrorReported);
  EXPECT_EQ(b.TimesAsked("El identificador: PB no es correcto.\nIntroduzca el identificador correcto o, nada para terminar."),
            2);
  EXPECT_FALSE(dir.Has("CPOB.txt"));
}

TEST(MatrixDialogue, TypedMatrixAsksEveryPositionAndChecksTheLength) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "POB",
                {"n", "n", "4", "x", "2", "e",   // maximum 4 = N is asked again
                 "NAC", "MUEX", "MUE",           // POB: a four-letter entry is asked again
                 "", "",                         // NAC
                 "POB", "", "TN", "",            // MUE, TN
                 "n", "s"});
  a.run.Cycle.Model = ModelOf(kPop);
  EXPECT_EQ(a.Try(ConnectionMatrixDialogue), std::nullopt);
  EXPECT_EQ(a.TimesAsked("¿De cuantos elementos dependería, como máximo, un elemento? (0 para terminar)"), 3);
  EXPECT_EQ(a.TimesAsked("Elemento  2"), 5);
  EXPECT_TRUE(a.Showed("¿Quien influye sobre MUE muertes?"));
  EXPECT_EQ(dir.Read("CPOB.txt"), "POB   NAC,MUE\r\nNAC   ,\r\nMUE   POB,\r\nTN   TN,\r\n");
  EXPECT_EQ(a.run.Cycle.Model.MaxDeps, 2);
  EXPECT_EQ(a.run.Cycle.Model.ConnectionMatrix[3], (std::vector<std::string>{"POB"}));
}

TEST(MatrixDialogue, ZeroDependenciesEndsWithoutARecord) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "POB", {"n", "n", "0"});
  a.run.Cycle.Model = ModelOf(kPop);
  EXPECT_EQ(a.Try(ConnectionMatrixDialogue), EndReason::kTerminated);
  EXPECT_EQ(dir.Read("MODELO1.txt"), "\"Fichero G si y fichero C no\",\"n\"\r\n\"Matriz completa\",\"n\"\r\n");
}

TEST(MatrixDialogue, ContinuingATypedMatrix) {
  TempDir dir;
  dir.Write("CPOB.txt", "POB   NAC,MUE\r\n\r\nNAC   TN,\r\n");
  ActivityRun a(dir.workDir(), "POB", {"n", "n", "2", "c", "POB", "", "", "", "n", ""});
  a.run.Cycle.Model = ModelOf(kPop);
  EXPECT_EQ(a.Try(ConnectionMatrixDialogue), std::nullopt);
  EXPECT_TRUE(a.Showed("Esta es la parte de la matriz que tiene grabada. Prosiga con ella."));
  EXPECT_TRUE(a.Showed("NAC   TN,"));
  EXPECT_FALSE(a.Showed("¿Quien influye sobre NAC nacimientos?"));
  EXPECT_EQ(dir.Read("CPOB.txt"), "POB   NAC,MUE\r\nNAC   TN,\r\nMUE   POB,\r\nTN   ,\r\n");
  EXPECT_FALSE(dir.Has("NPOB.txt"));
}

TEST(MatrixDialogue, ShownElementByElementOnTheAssemblePath) {
  TempDir dir;
  dir.Write("CPOB.txt", "POB   NAC,MUE\r\n");
  ActivityRun a(dir.workDir(), "POB", {"s", "p", "s", "n", "s", "S", "n", "n"}, "e");
  a.run.Cycle.Model = ModelOf(kPop);
  EXPECT_EQ(a.Try(ConnectionMatrixDialogue), std::nullopt);
  EXPECT_EQ(a.TimesAsked("¿Tiene las funciones escritas y correctas en el fichero GPOB.txt\n  y la matriz de "
                         "dependencias sin grabar? (S/N/T)"),
            0);
  EXPECT_TRUE(a.Showed("Sobre el elemento POB influyen los elementos: NAC, MUE, "));
  EXPECT_TRUE(a.Showed("Sobre el elemento TN influyen los elementos: , , "));
  EXPECT_NE(dir.Read("MODELO1.txt").find("\"Toda correcta: 4\",\"s\"\r\n"), std::string::npos);
}

}  // namespace
}  // namespace korva

namespace korva {
namespace {

TEST(MatrixDialogue, MissingOrEmptyFiles) {
  TempDir dir;
  ActivityRun missingC(dir.workDir(), "POB", {"n", "s", ""});
  missingC.run.Cycle.Model = ModelOf(kPop);
  EXPECT_EQ(missingC.Try(ConnectionMatrixDialogue), EndReason::kErrorReported);
  EXPECT_EQ(missingC.box.Prompts().back(),
            "FICHERO " + dir.workDir() + "CPOB.txt NO ENCONTRADO    \n - PULSE UNA TECLA PARA CONTINUAR -");

  ActivityRun missingG(dir.workDir(), "POB", {"s", ""}, "c", 2);
  missingG.run.Cycle.Model = ModelOf(kPop);
  EXPECT_EQ(missingG.Try(ConnectionMatrixDialogue), EndReason::kErrorReported);
  EXPECT_EQ(missingG.run.Context.LastError.number, 53);

  // An empty equations file gives an empty matrix: every element is an input.
  dir.Write("GPOB.txt", "\r\n\r\n");
  ActivityRun emptyG(dir.workDir(), "POB", {"s", "n", "s"}, "c", 3);
  emptyG.run.Cycle.Model = ModelOf(kPop);
  EXPECT_EQ(emptyG.Try(ConnectionMatrixDialogue), std::nullopt);
  EXPECT_EQ(dir.Read("CPOB.txt"), "");
  EXPECT_EQ(emptyG.run.Cycle.Model.MaxDeps, 0);
}

}  // namespace
}  // namespace korva

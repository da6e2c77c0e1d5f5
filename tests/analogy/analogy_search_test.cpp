// The analogy path on the example library: what it writes, what it reports,
// and how it goes on past library models it cannot read.
#include "analogy/analogy_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/dialogue_run.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::ActivityRun;
using testing::LinesOf;
using testing::TempDir;
using Lines = std::vector<std::string>;

const std::string kPrepareNumber = "¿En qué fichero Modelo* quiere copiar MFIN?\n  (* = número entero)";

// The example library copied into a fresh working directory.
struct LibraryDir : TempDir {
  LibraryDir() {
    fs::copy(fs::path(KORVA_SOURCE_DIR) / "examples" / "analogia" / "biblioteca", fs::path(*this / "biblioteca"),
             fs::copy_options::recursive);
    Write("BIBLIO.txt", "biblioteca\\LDEM\r\nbiblioteca/LGRA\r\nbiblioteca\\LRIO\r\n");
  }
};

struct AnalogyRun : ActivityRun {
  AnalogyRun(const TempDir& dir, Lines answers) : ActivityRun(dir.workDir(), "FIN", std::move(answers), "a") {}
  std::optional<EndReason> Go() {
    return Try([](RunContext& run, ModelCycle& cycle) { AnalogySearch(run, cycle, 1000); });
  }
};

TEST(AnalogySearch, ProposesAModelFromTheLibraryAndReportsTheModelWithALoop) {
  LibraryDir dir;
  AnalogyRun r(dir, {"2", "poblacion", "coste", "BIBLIO", "s", "1", "3"});
  r.context().LogNumber = 1;
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.remaining(), 0u);
  EXPECT_TRUE(
      r.Showed("Existen bucles en la matriz de conexiones: \nCRIO\n Revise las filas correspondientes a los "
               "ceros de la lista que aparece en el fichero CEROS.txt"));
  EXPECT_EQ(LinesOf(dir.Read("CEROS.txt")), (Lines{"Modelo RIO", "LLU 1", "CAU 0", "EVA 0"}));
  EXPECT_EQ(LinesOf(dir.Read("LFIN.txt")),
            (Lines{"POI poblacion inicial", "POB poblacion al final del año", "NAC nacimientos del año",
                   "TNA tasa de natalidad", "MUE muertes del año", "TMO tasa de mortalidad",
                   "COS coste total de la alimentacion", "CON consumo de pienso", "RAC racion de pienso por animal",
                   "ANI animales al final del año", "ANO animales al inicio", "GAS gasto en pienso",
                   "PRE precio del pienso"}));
  EXPECT_EQ(LinesOf(dir.Read("GFIN.txt")).size(), 7u);
  // The log number of the cycle is refused for the prepared log: it holds this search.
  EXPECT_EQ(r.TimesAsked(kPrepareNumber), 2);
  EXPECT_EQ(dir.Read("Modelo3.txt"), dir.Read("MFIN.txt"));
  EXPECT_EQ(LinesOf(dir.Read("MODELO1.txt")), (Lines{"\"Palabras clave\",2", "\"   \",\"poblacion\"",
                                                     "\"   \",\"coste\"", "\"Fichero nombres biblioteca\",\"BIBLIO\"",
                                                     "\"Preparar Modelo* para construir programas\",\"s\""}));
}

TEST(AnalogySearch, AProposedModelWithALoopIsReportedBesideTheLibrarysAndGetsNoLog) {
  LibraryDir dir;
  AnalogyRun r(dir, {"1", "caudal", "BIBLIO"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.remaining(), 0u);
  EXPECT_TRUE(
      r.Showed("Existen bucles en la matriz de conexiones: \nCFIN\n Revise las filas correspondientes a los "
               "ceros de la lista que aparece en el fichero CEROS.txt"));
  // The library model's report first, then the proposed model's.
  EXPECT_EQ(LinesOf(dir.Read("CEROS.txt")),
            (Lines{"Modelo RIO", "LLU 1", "CAU 0", "EVA 0", "Modelo FIN", "CAU 0", "LLU 1", "EVA 0"}));
  const std::string m = dir.Read("MFIN.txt");
  for (const char* name : {"\"CAU caudal del rio\"", "\"LLU lluvia\"", "\"EVA evaporacion\""}) {
    EXPECT_NE(m.find(name), std::string::npos) << name << " keeps its group though it has no level";
  }
  // The create path would stop at the loop: no log is offered for it.
  EXPECT_TRUE(r.Showed("El modelo propuesto tiene bucles (vea CEROS.txt): sus programas no se pueden construir\n"
                       " hasta que los corrija, así que no le preparo un fichero Modelo*."));
  EXPECT_EQ(r.TimesAsked("¿Desea que le prepare un fichero Modelo* para construir los programas?"), 0);
}

// A library model whose element is named as a reserved word of the target
// language: the proposal is refused, naming the model that holds it.
TEST(AnalogySearch, AReservedWordFromTheLibraryIsRefusedWithItsModel) {
  LibraryDir dir;
  dir.Write("biblioteca/LTAX.txt", "BAS base del impuesto\r\nTIP tipo del impuesto\r\nIMP impuesto a pagar\r\n");
  dir.Write("biblioteca/CTAX.txt", "IMP    BAS,TIP\r\n");
  dir.Write("biblioteca/GTAX.txt", "IMP IMP = BAS * TIP\r\n");
  dir.Write("biblioteca/MTAX.txt", "");
  dir.Write("BIBLIO.txt", "biblioteca\\LDEM\r\nbiblioteca\\LTAX\r\n");
  AnalogyRun r(dir, {"2", "poblacion", "impuesto", "BIBLIO"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.remaining(), 0u);
  EXPECT_TRUE(r.Showed("Estos identificadores son palabras reservadas o nombres de funciones de Visual Basic:\n"
                       "los programas generados no compilarían con ellos.\n"
                       "   IMP, elemento 9 del modelo TAX de la biblioteca\n"
                       "Cámbielos en la lista de elementos."));
  EXPECT_TRUE(r.Showed("El modelo propuesto tiene identificadores que son palabras de Visual Basic: sus programas no\n"
                       " compilarían hasta que los cambie, así que no le preparo un fichero Modelo*."));
  EXPECT_EQ(r.TimesAsked("¿Desea que le prepare un fichero Modelo* para construir los programas?"), 0);
  EXPECT_NE(dir.Read("LFIN.txt").find("IMP impuesto a pagar"), std::string::npos) << "the proposal is written";
}

TEST(AnalogySearch, NoMatchIsSaidAndNothingIsProposed) {
  LibraryDir dir;
  AnalogyRun r(dir, {"2", "nada", "NADA", "BIBLIO"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.remaining(), 0u);
  EXPECT_TRUE(r.Showed("Ninguna variable de la biblioteca contiene las palabras clave dadas:\n"
                       " no puedo proponerle ningún modelo."));
  EXPECT_EQ(r.TimesAsked("¿Desea que le prepare un fichero Modelo* para construir los programas?"), 0);
  for (const char* kind : {"L", "C", "G", "M"}) EXPECT_EQ(dir.Read(std::string(kind) + "FIN.txt"), "") << kind;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with("Modelo")) << entry.path();
  }
}

// The example library: RIEGO and HUERTA both define TEM, each otherwise.
TEST(AnalogySearch, AnIdentifierOfTwoModelsIsProposedOnceWithTheFirstDefinition) {
  LibraryDir dir;
  fs::copy(fs::path(KORVA_SOURCE_DIR) / "examples" / "analogia" / "BIBLIO.txt", fs::path(dir / "BIBLIO.txt"),
           fs::copy_options::overwrite_existing);
  AnalogyRun r(dir, {"1", "riego", "BIBLIO", "n"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.remaining(), 0u);
  const std::string left =
      "El identificador TEM está en los modelos RIEGO y HUERTA con definiciones distintas:\n"
      "se toma la de RIEGO y se deja la de HUERTA.";
  EXPECT_TRUE(r.Showed(left));
  Lines list = LinesOf(dir.Read("LFIN.txt"));
  EXPECT_EQ(std::count_if(list.begin(), list.end(), [](const std::string& n) { return n.starts_with("TEM "); }), 1);
  EXPECT_EQ(std::count_if(list.begin(), list.end(), [](const std::string& n) { return n.starts_with("ALT "); }), 0)
      << "what only the left definition needs is not taken";
  Lines equations = LinesOf(dir.Read("GFIN.txt"));
  EXPECT_NE(std::find(equations.begin(), equations.end(), "TEM TEM = 2 * SOL"), equations.end());
  EXPECT_EQ(std::find(equations.begin(), equations.end(), "TEM TEM = 20 - 0.005 * ALT"), equations.end());
  // The proposed model's notes keep what was left, under its name.
  EXPECT_EQ(LinesOf(dir.Read("CEROS.txt")),
            (Lines{"Modelo RIO", "LLU 1", "CAU 0", "EVA 0", "Modelo FIN",
                   "El identificador TEM está en los modelos RIEGO y HUERTA con definiciones distintas: "
                   "se toma la de RIEGO y se deja la de HUERTA."}));
}

TEST(AnalogySearch, AModelWhoseFilesAreMissingIsReportedAndPassedOver) {
  LibraryDir dir;
  fs::remove(dir / "biblioteca/MDEM.txt");
  dir.Write("BIBLIO.txt", "biblioteca\\LDEM\r\notra\\LNADA\r\nbiblioteca\\LGRA\r\n");
  AnalogyRun r(dir, {"1", "coste", "BIBLIO", "", "", "n"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.remaining(), 0u);
  const Lines prompts = r.box.Prompts();
  ASSERT_GE(prompts.size(), 5u);
  EXPECT_EQ(prompts[3], "FICHERO " + dir.workDir() +
                            "BIBLIOTECA\\MDEM.txt NO ENCONTRADO    \n - PULSE UNA TECLA PARA "
                            "CONTINUAR -");
  EXPECT_EQ(prompts[4], "FICHERO " + dir.workDir() +
                            "OTRA\\LNADA.txt NO ENCONTRADO    \n - PULSE UNA TECLA PARA "
                            "CONTINUAR -");
  EXPECT_EQ(LinesOf(dir.Read("LFIN.txt")).size(), 7u) << "the farm model is still searched";
  EXPECT_FALSE(dir.Has("CEROS.txt"));
}

TEST(AnalogySearch, AMissingLibraryNamesFileLeavesTheModelsFilesEmpty) {
  LibraryDir dir;
  AnalogyRun r(dir, {"1", "coste", "NINGUNA", ""});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.remaining(), 0u);
  EXPECT_EQ(r.box.Prompts().back(),
            "FICHERO " + dir.workDir() + "NINGUNA.txt NO ENCONTRADO    \n - PULSE UNA TECLA PARA CONTINUAR -");
  for (const char* kind : {"L", "C", "G", "M"}) {
    EXPECT_TRUE(dir.Has(std::string(kind) + "FIN.txt")) << kind;
    EXPECT_EQ(dir.Read(std::string(kind) + "FIN.txt"), "") << kind;
  }
  EXPECT_EQ(r.TimesAsked("¿Desea que le prepare un fichero Modelo* para construir los programas?"), 0);
}

}  // namespace
}  // namespace korva

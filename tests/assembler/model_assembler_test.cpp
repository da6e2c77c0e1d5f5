// The assemble path: its notice, its six logged answers, the data-entry header
// it writes under the write directory, and the end of the program.
#include "assembler/model_assembler.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/dialogue_run.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::LinesOf;
using testing::TempDir;
using Lines = std::vector<std::string>;

const std::string kGoOn =
    "El estado actual del módulo ensamblador deja mucho que desear y  le obligará a efectuar muchas correcciones "
    "manuales en el modelo  ensamblado.\n ¿Desea continuar?";

struct AssembleRun : ActivityRun {
  AssembleRun(const TempDir& dir, Lines answers) : ActivityRun(dir.workDir(), "ENS", std::move(answers), "e") {}
  std::optional<EndReason> Go() { return Try(AssembleModels); }
};

TEST(ModelAssembler, AsksSixAnswersWritesTheDataEntryHeaderAndEnds) {
  TempDir dir;
  std::filesystem::create_directory(dir / "juntos");
  AssembleRun r(dir, {"S", "12", "partes", "juntos", "3", "A", "S"});
  EXPECT_EQ(r.Go(), EndReason::kFinished);
  EXPECT_EQ(r.box.remaining(), 0u);
  EXPECT_EQ(r.box.Messages().front(),
            "  era necesario y funcionó. Hoy dia, con la mayor disponibilidad  de memoria lo hace prácticamente "
            "innecesario. Ahora, para ensamblar  subsistemas basta con juntar los ficheros Lnombre de los "
            "subsistemas  en un único fichero, eliminando manualmente las duplicidades, hacer lo  propio con los "
            "ficheros Gnombre y, crear un nuevo modelo.");
  EXPECT_EQ(
      LinesOf(dir.Read("MODELO1.txt")),
      (Lines{"\"Número maximo de conexiones entre dos subsistemas\",\"12\"", "\"Directorio para leer:\",\"partes\"",
             "\"Directorio para escribir:\",\"juntos\"", "\"Caracteres de los identificadores de elementos:\",\"3\"",
             "\"Algunas, Todas o Ninguna variables de entrada con incertidumbre: \",\"A\"",
             "\"¿Modelo dinámico?\",\"S\""}));
  Lines header = LinesOf(dir.Read("juntos/dENS.bas"));
  ASSERT_GE(header.size(), 4u);
  EXPECT_EQ(header[0], "defsng a-h, o-t, x-z:deflng i-n:defstr u-w");
  EXPECT_EQ(header.back(), "20 REM print:print \"Programa para rellenar el fichero de datos del modelo ENS\"");
  EXPECT_NE(dir.Read("juntos/dENS.bas").find("msgbox(v1+ux+v2)"), std::string::npos) << "help on uncertain data";
  EXPECT_EQ(dir.Read("juntos/dENS.bas").find("NN = InputBox"), std::string::npos) << "no menu";

  // Replayed, the six answers write the same header; only the notice's question is asked.
  const std::string written = dir.Read("juntos/dENS.bas");
  std::filesystem::remove(dir / "juntos/dENS.bas");
  AssembleRun replay(dir, {"s"});
  EXPECT_EQ(replay.Go(), EndReason::kFinished);
  EXPECT_EQ(replay.box.Prompts(), Lines{kGoOn});
  EXPECT_EQ(dir.Read("juntos/dENS.bas"), written);
}

TEST(ModelAssembler, DecliningTheNoticeReturnsWithNothingAskedOrWritten) {
  TempDir dir;
  AssembleRun r(dir, {"n"});
  EXPECT_EQ(r.Go(), std::nullopt);
  EXPECT_EQ(r.box.Prompts(), Lines{kGoOn});
  EXPECT_EQ(dir.Read("MODELO1.txt"), "");
}

TEST(ModelAssembler, AWriteDirectoryThatDoesNotExistIsReportedAndTheProgramEnds) {
  TempDir dir;
  AssembleRun r(dir, {"s", "2", "a", "no-existe", "3", "n", "n"});
  EXPECT_EQ(r.Go(), EndReason::kErrorReported);
  EXPECT_EQ(r.box.Messages().back(), "Error:  76");
  EXPECT_FALSE(dir.Has("no-existe"));
}

}  // namespace
}  // namespace korva

// Whole runs fed what a careless or hostile modeller could give: a log that no
// longer follows the dialogue, logs that are links leading out of the working
// directory. Nothing outside it is touched and nothing in it is lost.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::DialogueRun;
using testing::TempDir;
namespace fs = std::filesystem;

const std::string kList = "PIN poblacion inicial\r\nNAC nacimientos\r\nPOB poblacion\r\n";

// A purpose typed with quotes by an earlier version was logged unescaped: on
// replay its record reads as more fields than it has, and every later record
// is out of place. The run stops at the first label that is not its
// question's, before the list is asked or rewritten.
TEST(HostileInput, ShiftedLogStopsBeforeAnythingIsWritten) {
  TempDir dir;
  dir.Write("LPOB.txt", kList);
  const std::string log = "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n"
                          "\"Nombre del simulador\",\"POB\"\r\n"
                          "\"Servirá para\",\"modelo \"simple\", anual\"\r\n"
                          "\"Lista al completo\",\"n\"\r\n"
                          "\"Continuar o empezar\",\"e\"\r\n";
  dir.Write("MODELO4.txt", log);
  DialogueRun run({dir.dir(), "4", "s", "5", "", "n", "n"});
  EXPECT_EQ(run.Go(), 1);
  EXPECT_TRUE(run.Showed("Error de descuadre en fichero Modelo4"));
  EXPECT_EQ(dir.Read("LPOB.txt"), kList);
  EXPECT_EQ(dir.Read("MODELO4.txt"), log);
}

// The answers log is a link to a file outside the working directory: it is
// neither read nor appended to, and a dangling link does not create its target.
TEST(HostileInput, AnswersLogLinkedOutsideIsRefused) {
  TempDir top;
  const std::string work = top / "w";
  fs::create_directory(work);
  const std::string target = top / "objetivo.txt";
  const std::string record = "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n";
  std::ofstream(target, std::ios::binary) << record;
  fs::create_symlink(target, work + "/MODELO1.txt");
  fs::create_symlink(top / "creado.txt", work + "/MODELO2.txt");

  DialogueRun linked({work, "1", "POB", "fin"});
  EXPECT_EQ(linked.Go(), 1);
  EXPECT_TRUE(linked.Showed("Error:  75"));
  DialogueRun dangling({work, "2", "c", "POB", "nuevo"});
  EXPECT_EQ(dangling.Go(), 1);
  EXPECT_TRUE(dangling.Showed("Error:  75"));

  std::ifstream in(target, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), record);
  EXPECT_FALSE(fs::exists(top / "creado.txt"));
}

}  // namespace
}  // namespace korva

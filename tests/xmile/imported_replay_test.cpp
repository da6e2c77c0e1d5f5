// An imported model in korva: its prepared log replays through korva's own
// create cycle (the program, and in this process) asking nothing the log
// answers, and its three modules run in korva-vbrun.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "dispatch/main_dialogue.h"
#include "dispatch/run_state.h"
#include "files/file_system.h"
#include "support/temp_dir.h"
#include "xmile/create_cycle.h"
#include "xmile/xmile_run.h"

namespace korva {
namespace {

using testing::ReferenceModel;
using testing::RunXmile;
using testing::TempDir;

int Shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ImportedModel, PrintsWhatItMappedAndToWhat) {
  TempDir dir;
  const testing::XmileRun run =
      RunXmile({"importar", ReferenceModel("teacup/teacup.xmile"), dir / "taza", "-n", "TAZA", "-r", "3"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("  Heat Loss to Room -> HEA (flujo, calculado)\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  Room Temperature -> ROO (constante, dato 70)\n"), std::string::npos);
  EXPECT_NE(run.out.find("  Teacup Temperature -> TEA (nivel, de estado; su valor inicial 180 es el dato TE2)\n"),
            std::string::npos);
  EXPECT_EQ(dir.Read("taza/LTAZA.txt"),
            "ROO Room Temperature\r\nTE2 Teacup Temperature al empezar el paso\r\nCHA Characteristic Time\r\n"
            "HEA Heat Loss to Room\r\nTEA Teacup Temperature\r\n");
  EXPECT_EQ(dir.Read("taza/GTAZA.txt"), "HEA HEA = ((TE2 - ROO) / CHA)\r\nTEA TEA = TE2 + dt * ( - HEA)\r\n");
  EXPECT_EQ(dir.Read("taza/DATOS1.txt"),
            "ROO Room Temperature\r\n70\r\nTE2 Teacup Temperature al empezar el paso\r\n180\r\n"
            "CHA Characteristic Time\r\n10\r\n");
  EXPECT_TRUE(dir.Has("taza/Modelo3.txt"));
}

TEST(ImportedModel, ReplaysThroughKorvaAndItsModulesRun) {
  TempDir dir;
  ASSERT_EQ(RunXmile({"importar", ReferenceModel("teacup/teacup.xmile"), dir / "taza", "-n", "TAZA", "-r", "3"}).status,
            0);
  const std::string log = dir.Read("taza/Modelo3.txt");

  // In this process: every question korva asks is one of its confirmations
  // outside the log.
  xmile::ConfirmingDialogue box;
  FileSystem files;
  RunState state(box, files);
  state.Context.GivenWorkDir = dir / "taza";
  state.Context.GivenLogNumber = 3;
  EXPECT_EQ(MainDialogue(state), 0) << box.LastMessage();
  EXPECT_TRUE(box.Unanswered().empty()) << box.Unanswered().front();
  EXPECT_EQ(dir.Read("taza/Modelo3.txt"), log) << "the log answered everything: nothing was added";

  // The program itself, its confirmations answered with Enter.
  const std::string korva = std::string(KORVA_BINARY) + " -d '" + (dir / "taza") + "' -r 3 </dev/null";
  EXPECT_NE(Shell(korva + " >/dev/null 2>&1"), 0) << "without the confirmations' answers the input ends";
  EXPECT_EQ(Shell("yes '' | head -20 | " + std::string(KORVA_BINARY) + " -d '" + (dir / "taza") +
                  "' -r 3 >/dev/null 2>&1"),
            0);
  EXPECT_EQ(dir.Read("taza/Modelo3.txt"), log);

  const std::string vbrun = "cd '" + (dir / "taza") + "' && printf '%s' \"$ANSWERS\" | " + KORVA_VBRUN_BINARY + " ";
  EXPECT_EQ(Shell("ANSWERS=$(printf '1\\n\\n70\\n\\n180\\n\\n10\\n\\n5\\n1\\n6\\n') && " + vbrun +
                  "DTAZA.bas >/dev/null 2>&1"),
            0);
  EXPECT_EQ(dir.Read("taza/DATOS1.txt"),
            "ROO Room Temperature\r\n70\r\nTE2 Teacup Temperature al empezar el paso\r\n180\r\n"
            "CHA Characteristic Time\r\n10\r\n");
  EXPECT_EQ(Shell("ANSWERS=$(printf '30\\n0.125\\n0.125\\n0\\n1\\n1\\nn\\nn\\n') && " + vbrun + "STAZA.bas >/dev/null 2>&1"), 0);
  // A record a step: the heat lost in the first step, from 180 degrees to a
  // room at 70 over 10 minutes, and the temperature it leaves.
  EXPECT_EQ(dir.Read("taza/resul1").substr(0, 13), "11\r\n178.625\r\n");
  EXPECT_EQ(Shell("ANSWERS=$(printf '1\\n0\\n1\\n1\\n5\\n') && " + vbrun + "RTAZA.bas >/dev/null 2>&1"), 0);
  EXPECT_TRUE(dir.Has("taza/COMPL1.txt"));
}

// The data file the import writes is the one the data-entry program writes
// when given the same values.
TEST(ImportedModel, WritesTheDataFileTheDataEntryProgramWrites) {
  TempDir dir;
  const std::string model = ReferenceModel("chained_initialization/test_chained_initialization.xmile");
  ASSERT_EQ(RunXmile({"importar", model, dir / "importado"}).status, 0);
  ASSERT_EQ(RunXmile({"simular", model, "-d", dir / "simulado", "-o", dir / "out.csv"}).status, 0);
  EXPECT_EQ(dir.Read("importado/DATOS1.txt"), dir.Read("simulado/DATOS1.txt"));
  EXPECT_NE(dir.Read("importado/DATOS1.txt").find("\r\n15\r\n"), std::string::npos) << "Stock B's initial value, 3 + 5 + 7";
}

}  // namespace
}  // namespace korva

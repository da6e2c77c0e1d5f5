// korva's command line, and both programs' --help, --version and refusal of
// an unknown option, run as a user runs them.
#include "dispatch/command_line.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::DialogueRun;
using testing::TempDir;

struct Output {
  int status = -1;
  std::string out;
  std::string err;
};

Output RunProgram(const std::string& command, const TempDir& dir) {
  Output o;
  int status =
      std::system((command + " >'" + (dir / "out.txt") + "' 2>'" + (dir / "err.txt") + "' </dev/null").c_str());
  o.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  o.out = dir.Read("out.txt");
  o.err = dir.Read("err.txt");
  return o;
}

TEST(CommandLine, OptionsAnswerTheStartUpQuestions) {
  CommandLine line = ParseCommandLine({"-d", "/tmp/m", "--respuestas=3"});
  EXPECT_TRUE(line.Error.empty()) << line.Error;
  EXPECT_EQ(line.WorkDir, "/tmp/m");
  EXPECT_EQ(line.LogNumber, 3);
  line = ParseCommandLine({"--directorio=x y", "-r", "0"});
  EXPECT_EQ(line.WorkDir, "x y");
  EXPECT_EQ(line.LogNumber, 0);
  EXPECT_TRUE(ParseCommandLine({"--help"}).Help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).Version);
  EXPECT_FALSE(ParseCommandLine({"-r", "10"}).Error.empty());
  EXPECT_FALSE(ParseCommandLine({"-r", "x"}).Error.empty());
  EXPECT_FALSE(ParseCommandLine({"-d"}).Error.empty());
  EXPECT_EQ(ParseCommandLine({"--bogus"}).Error, "opción desconocida: --bogus");
  EXPECT_EQ(ParseCommandLine({"sobra"}).Error, "argumento de más: sobra");
}

TEST(CommandLine, GivenAnswersAreNotAskedAndLaterCyclesAskTheLogNumber) {
  TempDir dir;
  // First cycle: create, stopped at "¿Seguimos?"; then another cycle, which
  // asks its log number, ended at the menu.
  DialogueRun run({"c", "M", "probar", "n", "s", "1", "t"});
  run.run.Context.GivenWorkDir = dir.dir();
  run.run.Context.GivenLogNumber = 4;
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(run.box.remaining(), 0u);
  EXPECT_EQ(run.TimesAsked("¿En que directorio desea trabajar?"), 0);
  EXPECT_EQ(run.run.Context.WorkDir, dir.workDir());
  EXPECT_NE(dir.Read("MODELO4.txt").find("\"Nombre del simulador\",\"M\""), std::string::npos);
  int logQuestions = 0;
  for (const std::string& prompt : run.box.Prompts())
    logQuestions += prompt.find("Modelo* tiene grabadas") != std::string::npos;
  EXPECT_EQ(logQuestions, 1) << "only the second cycle asks it";
  EXPECT_TRUE(dir.Has("MODELO1.txt"));
}

TEST(CommandLine, BothProgramsHelpShowTheirVersionAndRefuseUnknownOptions) {
  TempDir dir;
  for (const std::string binary : {KORVA_BINARY, KORVA_VBRUN_BINARY}) {
    SCOPED_TRACE(binary);
    const std::string name = std::filesystem::path(binary).filename().string();
    Output help = RunProgram("'" + binary + "' --help", dir);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Uso: " + name + " ")) << help.out;
    EXPECT_NE(help.out.find("\xC3\xB3"), std::string::npos) << "the help is UTF-8 on the terminal";
    Output version = RunProgram("'" + binary + "' --version", dir);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, name + " " + KorvaVersion().substr(6) + "\n");
    Output unknown = RunProgram("'" + binary + "' --desconocida", dir);
    EXPECT_NE(unknown.status, 0);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_NE(unknown.err.find("--desconocida"), std::string::npos) << unknown.err;
  }
}

}  // namespace
}  // namespace korva

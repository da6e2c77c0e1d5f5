// The questions of the generated programs explain themselves in korva-vbrun
// as korva's do: "?" or "ayuda" at an interactive front-end shows the
// question's help and asks it again, and the run does exactly what it does
// without them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "dialogue/terminal_dialogue.h"
#include "support/example_replay.h"
#include "support/example_run.h"
#include "text/cp1252.h"
#include "vbrun/runner.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

struct ProgramRun {
  int status = -1;
  std::string screen;  // Windows-1252
};

// Runs one module in its folder, in-process, with the answers (one a line),
// each preceded by "?" when `help`.
ProgramRun RunModule(const std::string& dir, const std::string& module, const std::string& answers, bool help) {
  std::string input;
  for (const std::string& line : testing::TextLinesOf(answers)) input += (help ? "?\n" : "") + line + "\n";
  std::FILE* in = ::fmemopen(input.data(), input.size(), "r");
  char* shown = nullptr;
  size_t shownSize = 0;
  std::FILE* out = ::open_memstream(&shown, &shownSize);
  const fs::path before = fs::current_path();
  fs::current_path(dir);
  ProgramRun run;
  {
    TerminalDialogue::Options options;
    options.helpOnRequest = help;
    TerminalDialogue box(in, out, stderr, options);
    FileSystem files;
    vbrun::RunRequest request;
    request.modules = {module};
    request.seed = 1;
    run.status = vbrun::RunModules(request, box, files, stderr, stderr);
  }
  fs::current_path(before);
  std::fclose(in);
  std::fclose(out);
  run.screen = Utf8ToCp1252(std::string(shown, shownSize));
  std::free(shown);
  return run;
}

// The prey-and-predators example: its data entry, simulator (with
// repetitions: the chi-square question) and results program, every answer
// preceded by a request for help.
TEST(ProgramHelp, EveryQuestionOfTheThreeProgramsExplainsItselfAndChangesNothing) {
  testing::ExampleModules plain(fs::path(KORVA_SOURCE_DIR) / "examples" / "presas");
  testing::ExampleModules helped(fs::path(KORVA_SOURCE_DIR) / "examples" / "presas");
  ASSERT_TRUE(plain.Generate());
  ASSERT_TRUE(helped.Generate());
  const std::pair<const char*, const char*> programs[] = {{"D", "datos"}, {"S", "simulador"}, {"R", "resultados"}};
  for (const auto& [kind, answers] : programs) {
    SCOPED_TRACE(kind);
    const std::string module = kind + plain.model + ".bas";
    const std::string given = plain.dir.Read("ejecucion/" + std::string(answers) + ".txt");
    const ProgramRun once = RunModule(plain.dir.dir(), module, given, false);
    const ProgramRun twice = RunModule(helped.dir.dir(), module, given, true);
    EXPECT_EQ(once.status, 0);
    EXPECT_EQ(twice.status, once.status);
    const size_t asked = Count(once.screen, "\n> ") + (once.screen.starts_with("> ") ? 1 : 0);
    EXPECT_GT(asked, 3u);
    EXPECT_EQ(Count(twice.screen, "Véase README"), asked) << twice.screen;
    EXPECT_EQ(twice.screen.find("Esta pregunta no tiene texto de ayuda."), std::string::npos);
  }
  EXPECT_TRUE(testing::FilesIn(plain.dir.dir()) == testing::FilesIn(helped.dir.dir()))
      << "the data, the results and the outputs are the same";
  // Questions a new user could not guess, each with its own text.
  const ProgramRun simulator =
      RunModule(helped.dir.dir(), "S" + helped.model + ".bas", helped.dir.Read("ejecucion/simulador.txt"), true);
  EXPECT_NE(simulator.screen.find("Pide el paso dt con que avanza la simulación."), std::string::npos);
  EXPECT_NE(simulator.screen.find("Pide los grados de libertad de la prueba chi-cuadrado"), std::string::npos);
}

}  // namespace
}  // namespace korva

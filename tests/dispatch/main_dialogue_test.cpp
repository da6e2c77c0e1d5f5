#include "dispatch/main_dialogue.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::DialogueRun;
using testing::TempDir;

const std::string kLogPrompt =
    "\nPor favor, conteste siempre S o N a las preguntas\n"
    "¿En qué fichero Modelo* tiene grabadas, o quiere grabar, las respuestas a mis preguntas? (* = número entero < 10)";
const std::string kMenuPrompt =
    "¿Desea\n   (c) crear un modelo nuevo,\n   (e) ensamblar modelos ya existentes,\n"
    "   (b) formar bloques jerarquizados que daran lugar a modelos ensamblables o,\n"
    "   (a) que le proponga un modelo para un problema nuevo por busqueda analógica ?\n   (t) terminar ?";
const std::string kDirPrompt = "¿En que directorio desea trabajar?";
const std::string kNamePrompt = "¿Como quiere llamar a su modelo? (una sola palabra)";
const std::string kSeguimos = "\nSi no esta seguro de saber hacerlo o ya lo tiene hecho, siga adelante.\n¿Seguimos?";
const std::string kFarewell = "¡Hasta la próxima!";

const std::string kMenuC = "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n";

// The common questions of a create cycle, which then ends at "¿Seguimos?".
std::vector<std::string> CreateCycle(const TempDir& dir) {
  return {dir.dir(), "3", "C", "pob", "para nada", "n", "n"};
}

// A model's name names its files: a typed name that would reach outside the
// working directory is asked again; a log edited to hold one stops the run.
TEST(MainDialogue, ModelNameMustBeOneWordInsideTheWorkingDirectory) {
  TempDir dir;
  {
    DialogueRun first({dir.dir(), "3", "C", "../GRA", "a/b", "gra", "para nada", "n", "n"});
    EXPECT_EQ(first.Go(), 0);
    EXPECT_EQ(first.TimesAsked(kNamePrompt), 3);
    EXPECT_EQ(first.run.Cycle.ModelName, "GRA");
  }
  dir.Write("MODELO4.txt", kMenuC + "\"Nombre del simulador\",\"..\\..\\GRA\"\r\n");
  DialogueRun replay({dir.dir(), "4", "n"});
  EXPECT_EQ(replay.Go(), 1);
  EXPECT_EQ(replay.TimesAsked("¿Su modelo servirá para ...?"), 0) << "the run stops at the name";
}

TEST(MainDialogue, RecordsACycleThenReplaysIt) {
  TempDir dir;
  {
    DialogueRun first(CreateCycle(dir));
    EXPECT_EQ(first.Go(), 0);
    EXPECT_EQ(first.run.Context.WorkDir, dir.workDir());
    EXPECT_EQ(first.run.Cycle.MainChoice, Activity::kCreate);
    EXPECT_EQ(first.run.Cycle.ModelName, "POB") << "a typed name is used in upper case";
    EXPECT_TRUE(first.Showed(kFarewell));
    EXPECT_EQ(first.box.remaining(), 0u);
  }
  EXPECT_EQ(dir.Read("MODELO3.txt"), kMenuC + "\"Nombre del simulador\",\"pob\"\r\n\"Servirá para\",\"para nada\"\r\n");

  // Replaying: the logged questions are not asked; the advice boxes and the
  // questions outside the log still are.
  DialogueRun replay({dir.dir(), "3", "n", "n"});
  EXPECT_EQ(replay.Go(), 0);
  EXPECT_EQ(replay.TimesAsked(kMenuPrompt), 0);
  EXPECT_EQ(replay.TimesAsked(kNamePrompt), 0);
  EXPECT_EQ(replay.TimesAsked(kSeguimos), 1);
  EXPECT_EQ(replay.TimesAsked("¿Desea algo más?"), 1);
  EXPECT_EQ(replay.box.Messages().size(), 1u + 1 + 3 + 2 + 1) << "banner, greeting, advice, file advice, farewell";
  EXPECT_EQ(replay.run.Cycle.ModelName, "pob") << "a replayed name is used unchanged";
  EXPECT_EQ(replay.run.Cycle.ModelPurpose, "para nada");
  EXPECT_EQ(dir.Read("MODELO3.txt"), kMenuC + "\"Nombre del simulador\",\"pob\"\r\n\"Servirá para\",\"para nada\"\r\n");
}

TEST(MainDialogue, ReplayThatRunsOutAsksAndAppends) {
  TempDir dir;
  dir.Write("MODELO4.txt", "\"Crear, Ensamblar, formar Bloques, Analogia\",\"b\"\r\n");
  DialogueRun run({dir.dir(), "4", "abc", "bloques", "n", "n"});
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(run.TimesAsked(kMenuPrompt), 0);
  EXPECT_EQ(run.TimesAsked(kNamePrompt), 1);
  EXPECT_EQ(run.run.Cycle.MainChoice, Activity::kBlocks);
  EXPECT_EQ(run.run.Cycle.ModelName, "ABC");
  EXPECT_EQ(dir.Read("MODELO4.txt"), "\"Crear, Ensamblar, formar Bloques, Analogia\",\"b\"\r\n"
                                     "\"Nombre del simulador\",\"abc\"\r\n\"Servirá para\",\"bloques\"\r\n");
}

TEST(MainDialogue, TerminatingAtTheMenuLeavesNoRecord) {
  TempDir dir;
  DialogueRun run({dir.dir(), "0", "x", "T"});
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(run.TimesAsked(kMenuPrompt), 2) << "an answer outside the menu is asked again";
  EXPECT_EQ(dir.Read("MODELO0.txt"), "");
  EXPECT_FALSE(run.Showed(kFarewell));
}

TEST(MainDialogue, LogNumberOutsideZeroToNineIsAskedAgain) {
  TempDir dir;
  DialogueRun run({dir.dir(), "10", "-1", "x", "", "2.5", "9", "t"});
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(run.TimesAsked(kLogPrompt), 6);
  EXPECT_EQ(run.run.Context.LogNumber, 9);
  EXPECT_TRUE(dir.Has("MODELO9.txt"));
}

TEST(MainDialogue, SecondCycleAsksTheLogNumberButNotTheDirectory) {
  TempDir dir;
  DialogueRun run({dir.dir(), "1", "c", "a", "b", "n", "s", "2", "t"});
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(run.TimesAsked(kDirPrompt), 1);
  EXPECT_EQ(run.TimesAsked(kLogPrompt), 2);
  EXPECT_TRUE(dir.Has("MODELO1.txt"));
  EXPECT_EQ(dir.Read("MODELO2.txt"), "");
}

TEST(MainDialogue, AnswersOtherThanYesToAnotherCycleSayGoodbye) {
  TempDir dir;
  DialogueRun run({dir.dir(), "1", "c", "a", "b", "n", "quizá", ""});
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(run.TimesAsked("¿Desea algo más?"), 2) << "only s, n and empty are accepted";
  EXPECT_TRUE(run.Showed(kFarewell));
}

TEST(MainDialogue, EndOfInputAtAnyQuestionEndsWithFailureKeepingTheAnswers) {
  // Cut the create cycle short after every answer in turn: each kind of question
  // (unlogged text, number, logged choice, logged text, unlogged choices) meets
  // the end of the input once.
  const std::vector<std::string> records = {kMenuC, "\"Nombre del simulador\",\"pob\"\r\n",
                                            "\"Servirá para\",\"para nada\"\r\n"};
  for (size_t given = 0; given < 7; ++given) {
    TempDir dir;
    std::vector<std::string> answers = CreateCycle(dir);
    answers.resize(given);
    DialogueRun run(answers);
    EXPECT_EQ(run.Go(), 1) << given << " answers";
    EXPECT_FALSE(run.Showed(kFarewell));
    std::string expected;
    for (size_t r = 0; r + 2 < given && r < records.size(); ++r) expected += records[r];
    if (given >= 2) {
      EXPECT_EQ(dir.Read("MODELO3.txt"), expected) << given << " answers";
    }
  }
}

TEST(MainDialogue, AnalogyPathAsksTheMaximumOfEquationLines) {
  TempDir dir;
  // The search then finds no library: its file-error message ends the cycle.
  DialogueRun run({dir.dir(), "1", "a", "m", "buscar", "0", "30001", "x", "30000", "1", "POB", "nada", "", "n"});
  EXPECT_EQ(run.Go(), 0);
  const std::string prompt = "¿Cuantas líneas tendría como máximo un fichero de ecuaciones GNombre";
  EXPECT_EQ(run.TimesAsked(prompt), 4);
  EXPECT_EQ(run.TimesAsked(kSeguimos), 0) << "the analogy path ends the cycle after its search";
  EXPECT_EQ(dir.Read("MODELO1.txt"), "\"Crear, Ensamblar, formar Bloques, Analogia\",\"a\"\r\n"
                                     "\"Nombre del simulador\",\"m\"\r\n\"Servirá para\",\"buscar\"\r\n"
                                     "\"Máximo de líneas de un GNombre\",\"30000\"\r\n\"Palabras clave\",1\r\n"
                                     "\"   \",\"POB\"\r\n\"Fichero nombres biblioteca\",\"nada\"\r\n");
}

TEST(MainDialogue, FileAdviceNamesTheModelFilesAndTheIdentifierLength) {
  TempDir dir;
  DialogueRun run({dir.dir(), "1", "e", "Pob", "x", "n", "n"});
  run.run.Cycle.Model.IdLength = 3;
  EXPECT_EQ(run.Go(), 0);
  const auto messages = run.box.Messages();
  ASSERT_GE(messages.size(), 7u);
  EXPECT_EQ(messages[5].find("Si su sistema tiene muchos elementos, probablemente le convendra crear un fichero "
                             "con la lista de nombres. Llámele LPOB.txt\nTambién puede crear un fichero con la "
                             "matriz de conexiones. Llámele CPOB.txt. Hágalo en el directorio implícito.\n"),
            0u);
  EXPECT_NE(messages[6].find("el fichero GPOB.txt, que deberá contener las ecuaciones precedidas por su identificador "
                             "o por blancos ( 3 dígitos + 1 blanco para la primera línea y al menos 1 blanco más "
                             "para las demás).\nEl identificador debe empezar pegado a la izquierda.\nEl fichero "
                             "FPOB.txt, creado por KORVA, contendrá"),
            std::string::npos);
}

TEST(MainDialogue, WorkingDirectoryThatCannotHoldTheLogIsReported) {
  TempDir dir;
  DialogueRun run({dir.workDir() + "no/existe", "1"});
  EXPECT_EQ(run.Go(), 1);
  EXPECT_TRUE(run.Showed("Error:  76"));
  EXPECT_FALSE(run.Showed(kFarewell));
}

TEST(MainDialogue, EmptyDirectoryAnswerIsTheRoot) {
  DialogueRun run({""});
  EXPECT_EQ(run.Go(), 1);
  EXPECT_EQ(run.run.Context.WorkDir, "/");
}

// A dialogue that looks at the log on disk when the purpose is asked: the
// answers given before must already be there, though the log is still open.
class PeekingDialogue : public ScriptedDialogue {
 public:
  PeekingDialogue(std::vector<std::string> answers, const TempDir& dir)
      : ScriptedDialogue(std::move(answers)), dir_(dir) {}
  std::optional<std::string> InputBox(const std::string& prompt) override {
    if (prompt == "¿Su modelo servirá para ...?") seen = dir_.Read("MODELO6.txt");
    return ScriptedDialogue::InputBox(prompt);
  }
  std::string seen;

 private:
  const TempDir& dir_;
};

TEST(MainDialogue, EveryAnswerReachesTheDiskAtOnce) {
  TempDir dir;
  PeekingDialogue box({dir.dir(), "6", "c", "pob"}, dir);
  FileSystem files;
  RunState run(box, files);
  EXPECT_EQ(MainDialogue(run), 1);
  EXPECT_EQ(box.seen, kMenuC + "\"Nombre del simulador\",\"pob\"\r\n");
}

// A new cycle starts from a new state: nothing of the cycle before it is left
// but the identifier length the file advice announces and the widest level.
TEST(MainDialogue, SecondCycleStartsFreshButForTheRunWideValues) {
  TempDir dir;
  std::filesystem::copy(std::filesystem::path(KORVA_SOURCE_DIR) / "examples" / "granja", dir.dir(),
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  DialogueRun run({dir.dir(), "1", "s", "s", "s", "s", "e", "f", "s", "n", "f", "n", "s", "s",  // the example's blocks cycle
                   "2", "e", "otro", "nada", "n", "n"});  // then an assemble cycle that stops at once
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(run.box.remaining(), 0u);
  const CycleState& cycle = run.run.Cycle;
  EXPECT_EQ(cycle.MainChoice, Activity::kAssemble);
  EXPECT_EQ(cycle.ModelName, "OTRO");
  EXPECT_TRUE(cycle.GLines.empty()) << "the first cycle's ordered equations are gone";
  EXPECT_FALSE(cycle.MatrixFromEquations);
  EXPECT_EQ(cycle.Model.ElementCount, 0);
  EXPECT_EQ(cycle.Simulator.FunctionLineRoom(), 0);
  EXPECT_TRUE(cycle.Simulator.Text().empty());
  EXPECT_EQ(cycle.Model.IdLength, 3) << "kept for the file advice";
  EXPECT_EQ(cycle.Model.MaxLevelWidth, 4) << "kept across cycles";
  int advised = 0;
  for (const std::string& m : run.box.Messages()) {
    advised += m.find("( 3 dígitos + 1 blanco para la primera línea") != std::string::npos;
  }
  EXPECT_EQ(advised, 1) << "the second cycle's advice names the first cycle's identifier length";
  EXPECT_EQ(dir.Read("MODELO2.txt"), "\"Crear, Ensamblar, formar Bloques, Analogia\",\"e\"\r\n"
                                     "\"Nombre del simulador\",\"otro\"\r\n\"Servirá para\",\"nada\"\r\n");
}

}  // namespace
}  // namespace korva

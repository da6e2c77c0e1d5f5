#include "core/answer_log.h"

#include <gtest/gtest.h>

#include "core/program_end.h"
#include "core/questions.h"
#include "dialogue/scripted_dialogue.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::TempDir;

TEST(AnswerLog, MissingLogIsCreatedAndRecords) {
  TempDir dir;
  FileSystem fs;
  AnswerLog log;
  ASSERT_FALSE(log.Open(fs, dir.workDir(), 3).failed());
  EXPECT_EQ(log.ReplayFlag, "n");
  EXPECT_TRUE(dir.Has("MODELO3.txt"));
  log.WriteRecord({RecordField::Text("Elemento incorrecto"), RecordField::Number(2)});
  // Flushed at once: the record is on disk while the log is still open.
  EXPECT_EQ(dir.Read("MODELO3.txt"), "\"Elemento incorrecto\",2\r\n");
}

TEST(AnswerLog, ReplaysThenAppendsToTheSameFile) {
  TempDir dir;
  dir.Write("modelo5.txt", "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n\r\n");
  FileSystem fs;
  AnswerLog log;
  ASSERT_FALSE(log.Open(fs, dir.workDir(), 5).failed());
  EXPECT_EQ(log.ReplayFlag, "s");
  ASSERT_FALSE(log.CheckEndOfReplay(fs).failed());
  EXPECT_EQ(log.ReplayFlag, "s");
  std::string label, answer;
  ASSERT_TRUE(log.ReadField(label));
  ASSERT_TRUE(log.ReadField(answer));
  EXPECT_EQ(label, "Crear, Ensamblar, formar Bloques, Analogia");
  EXPECT_EQ(answer, "c");
  // Only a blank line is left: that is the end of the recorded answers.
  ASSERT_FALSE(log.CheckEndOfReplay(fs).failed());
  EXPECT_EQ(log.ReplayFlag, "n");
  log.WriteRecord({RecordField::Text("Nombre del simulador"), RecordField::Text("pob")});
  log.Close();
  EXPECT_EQ(dir.Read("modelo5.txt"),
            "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n\r\n\"Nombre del simulador\",\"pob\"\r\n");
}

TEST(AnswerLog, HandEditedLogWithoutFinalLineEndGetsOneBeforeAppending) {
  TempDir dir;
  dir.Write("MODELO1.txt", "\"Crear, Ensamblar, formar Bloques, Analogia\",\"e\"");
  FileSystem fs;
  AnswerLog log;
  ASSERT_FALSE(log.Open(fs, dir.workDir(), 1).failed());
  std::string field;
  ASSERT_TRUE(log.ReadField(field));
  ASSERT_TRUE(log.ReadField(field));
  ASSERT_FALSE(log.CheckEndOfReplay(fs).failed());
  log.WriteRecord({RecordField::Text("x"), RecordField::Text("y")});
  log.Close();
  EXPECT_EQ(dir.Read("MODELO1.txt"), "\"Crear, Ensamblar, formar Bloques, Analogia\",\"e\"\r\n\"x\",\"y\"\r\n");
}

TEST(AnswerLog, UnreadableLogIsNeverReplaced) {
  TempDir dir;
  std::filesystem::create_directory(dir / "MODELO2.txt");
  FileSystem fs;
  AnswerLog log;
  FileError error = log.Open(fs, dir.workDir(), 2);
  EXPECT_EQ(error.number, vberr::kPathFileAccess);
  EXPECT_FALSE(log.isOpen());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "MODELO2.txt"));
}

// What an answer holding a double quote does today: the log keeps it as typed,
// the inner quotes unescaped as the target language's Write # leaves them, and
// reading the record back splits the answer, so every later field shifts.
// An answer the log could not give back as typed is refused and asked again,
// so that every record written reads back as the fields that were written.
TEST(AnswerLog, AnswersTheLogCannotHoldAreAskedAgain) {
  TempDir dir;
  {
    ScriptedDialogue box({"modelo \"simple\", anual", "PO\rB", std::string("a\0b", 3), "modelo simple, anual"});
    FileSystem fs;
    RunContext run(box, fs);
    ASSERT_FALSE(run.Log.Open(fs, dir.workDir(), 4).failed());
    EXPECT_EQ(AskLoggedText(run, "Servirá para", "¿Su modelo servirá para ...?"), "modelo simple, anual");
    EXPECT_EQ(box.Messages().size(), 3u);
    EXPECT_NE(box.Messages()[0].find("comillas"), std::string::npos);
    run.Log.Close();
  }
  EXPECT_EQ(dir.Read("MODELO4.txt"), "\"Servirá para\",\"modelo simple, anual\"\r\n");
}

// Whole lines (equations, table points) are read back as they stand: a quote
// is theirs to keep, a control character is not.
TEST(AnswerLog, WholeLinesKeepQuotesButNotControlCharacters) {
  TempDir dir;
  ScriptedDialogue box({"Y = \"a\" & X\r", "Y = \"a\" & X"});
  FileSystem fs;
  RunContext run(box, fs);
  ASSERT_FALSE(run.Log.Open(fs, dir.workDir(), 4).failed());
  EXPECT_EQ(AskLoggedLine(run, [&] { return AskLineText(run, "Línea 1 de\nY=f(X)"); }), "Y = \"a\" & X");
  EXPECT_EQ(box.Messages().size(), 1u);
  run.Log.Close();
  EXPECT_EQ(dir.Read("MODELO4.txt"), "Y = \"a\" & X\r\n");
}

// A replayed record whose label is not the question's stops the run with the
// out-of-step message, naming the log; the same label written with other
// accents, case or blanks is the question's own.
TEST(AnswerLog, ReplayedLabelOfAnotherQuestionStopsTheRun) {
  TempDir dir;
  const std::string recorded = "\"  SERVIRA PARA:\",\"nada\"\r\n\"Lista al completo\",\"s\"\r\n";
  dir.Write("MODELO4.txt", recorded);
  ScriptedDialogue box;
  FileSystem fs;
  RunContext run(box, fs);
  run.LogNumber = 4;
  ASSERT_FALSE(run.Log.Open(fs, dir.workDir(), 4).failed());
  EXPECT_EQ(AskLoggedText(run, "Servirá para", "?"), "nada");
  try {
    AskLoggedText(run, "Nombre del simulador", "?");
    ADD_FAILURE() << "the run went on";
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.reason, EndReason::kErrorReported);
  }
  EXPECT_EQ(box.Messages(), (std::vector<std::string>{"Error de descuadre en fichero Modelo4"}));
  run.Log.Close();
  EXPECT_EQ(dir.Read("MODELO4.txt"), recorded) << "nothing was added to the log";
}

TEST(AnswerLog, LabelsCompareByTheirLettersWhateverTheAccents) {
  EXPECT_TRUE(SameLabel("   La función", "   La funcion"));
  EXPECT_TRUE(SameLabel("   La funci\xA2n", "LA FUNCION:"));
  EXPECT_TRUE(SameLabel("Fichero G s\xA1 y fichero C no", "Fichero G sí y fichero C no"));
  EXPECT_TRUE(SameLabel("A\xA4o", "Año"));
  EXPECT_TRUE(SameLabel("Ver la matriz por Pantalla, Impresora, o No ver",
                        "Ver la matriz por Pantalla, Fichero, o No ver"));
  EXPECT_FALSE(SameLabel("Ver la lista por Pantalla, Fichero, o No ver",
                         "Ver la matriz por Pantalla, Fichero, o No ver"));
  EXPECT_FALSE(SameLabel(" anual\"", "Lista al completo"));
  EXPECT_FALSE(SameLabel("Toda correcta: 2", "Toda correcta: 12"));
}

TEST(AnswerLog, LogInAMissingFolderCannotBeCreated) {
  TempDir dir;
  FileSystem fs;
  AnswerLog log;
  EXPECT_EQ(log.Open(fs, dir.workDir() + "nada/", 0).number, vberr::kPathNotFound);
  EXPECT_FALSE(log.isOpen());
}

}  // namespace
}  // namespace korva

#include "core/answer_log.h"

#include <gtest/gtest.h>

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
TEST(AnswerLog, AnswerWithADoubleQuoteIsWrittenAsTypedAndReadBackSplit) {
  TempDir dir;
  {
    ScriptedDialogue box({"modelo \"simple\", anual"});
    FileSystem fs;
    RunContext run(box, fs);
    ASSERT_FALSE(run.Log.Open(fs, dir.workDir(), 4).failed());
    EXPECT_EQ(AskLoggedText(run, "Servirá para", "¿Su modelo servirá para ...?"), "modelo \"simple\", anual");
    run.Log.Close();
  }
  EXPECT_EQ(dir.Read("MODELO4.txt"), "\"Servirá para\",\"modelo \"simple\", anual\"\r\n");
  FileSystem fs;
  AnswerLog log;
  ASSERT_FALSE(log.Open(fs, dir.workDir(), 4).failed());
  std::vector<std::string> fields;
  for (std::string field; log.ReadField(field);) fields.push_back(field);
  EXPECT_EQ(fields, (std::vector<std::string>{"Servirá para", "modelo ", "anual\""}));
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

#include "core/file_errors.h"

#include <gtest/gtest.h>

#include "core/program_end.h"
#include "dialogue/scripted_dialogue.h"

namespace korva {
namespace {

struct Harness {
  ScriptedDialogue box{{""}};
  FileSystem files;
  RunContext run{box, files};
};

TEST(FileErrors, ListedNumbersAreWordedInAnInputBox) {
  Harness h;
  h.run.CurrentFileName = "/m/DPOB.bas";
  h.run.LastError = FileError{53, "/m/DPOB.bas"};
  ShowFileError(h.run);
  ASSERT_EQ(h.box.Prompts().size(), 1u);
  EXPECT_EQ(h.box.Prompts()[0], "FICHERO /m/DPOB.bas NO ENCONTRADO    \n - PULSE UNA TECLA PARA CONTINUAR -");
}

TEST(FileErrors, OtherNumbersShowTheNumberWithItsLeadingBlank) {
  Harness h;
  h.run.LastError = FileError{13, ""};
  ShowFileError(h.run);
  EXPECT_EQ(h.box.Messages(), std::vector<std::string>{"Error:  13"});
  EXPECT_TRUE(h.box.Prompts().empty());
}

TEST(FileErrors, TableTexts) {
  EXPECT_EQ(FileErrorText(55, "f", ""), "LLAME A MANTENIMIENTO    ");
  EXPECT_EQ(FileErrorText(72, "f", ""), "LLAME A MANTENIMIENTO    ");
  EXPECT_EQ(FileErrorText(71, "f", ""), "UNIDAD DESACTIVADA       ");
  EXPECT_EQ(FileErrorText(68, "f", ""), "UNIDAD DESACTIVADA       ");
  EXPECT_EQ(FileErrorText(70, "f", ""), "DISCO PROTEGIDO          ");
  // The existing file is named, without its extension.
  EXPECT_EQ(FileErrorText(58, "/m/LPOB.txt", "/m/MPOB.txt"), "EL FICHERO /m/MPOB.BAK YA EXISTE");
  EXPECT_EQ(FileErrorText(58, "/m/LPOB.txt", ""), "EL FICHERO /m/LPOB.BAK YA EXISTE");
  EXPECT_EQ(FileErrorText(76, "f", ""), "");
}

TEST(FileErrors, FailingEndsTheProgramAsAReportedError) {
  Harness h;
  try {
    FailOnFileError(h.run, FileError{70, "/m/CPOB.txt"});
    FAIL() << "the program must end";
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.reason, EndReason::kErrorReported);
  }
  EXPECT_EQ(h.box.Prompts(), std::vector<std::string>{"DISCO PROTEGIDO          \n - PULSE UNA TECLA PARA CONTINUAR -"});
}

}  // namespace
}  // namespace korva

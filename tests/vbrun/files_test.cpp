// The file statements of the dialect against real files: what Write # and
// Print # put on disk, what Input # and Line Input # read back, random-access
// records, and the error numbers of failed file operations.
#include <gtest/gtest.h>

#include <cstring>

#include "vbrun/vb_program.h"

namespace korva {
namespace {

using testing::MainWith;
using testing::RunVb;
using testing::TempDir;

// The module's text with every "@" replaced by the test folder.
std::string InDir(const TempDir& dir, std::string text) {
  for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + dir.path().size())) {
    text.replace(at, 1, dir.path() + "/");
  }
  return text;
}

TEST(VbFiles, WriteAndPrintLayouts) {
  TempDir dir;
  auto out = RunVb(dir, MainWith(InDir(dir,
                                       "Dim s As Single, e\r\n s = 0.5\r\n"
                                       " Open \"@a.txt\" For Output As #1\r\n"
                                       " Write #1, \"Hola, mundo\", 234, s, -1.5, e, 1 = 1\r\n"
                                       " Print #1, 3; -3; \"x\"\r\n Print #1, \"a\", \"b\"; Tab(20); \"c\"\r\n"
                                       " Print #1, \"sin fin\";\r\n Close\r\n"
                                       " Open \"@A.TXT\" For Append As #2: Print #2, \"+\": Close #2")));
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(dir.Read("a.txt"),
            "\"Hola, mundo\",234,.5,-1.5,,#TRUE#\r\n 3 -3 x\r\na             b    c\r\nsin fin+\r\n");
}

TEST(VbFiles, InputReadsFieldsLinesAndEnd) {
  TempDir dir;
  dir.Write("d.txt", "PIN poblaci\xF3n, inicial\r\n\"100\",2.5\r\n\"a,b\",7\r\n");
  auto out = RunVb(dir, MainWith(InDir(dir,
                                       "Dim v, n As Long, x As Single\r\n"
                                       " Open \"@D.txt\" For Input As #1\r\n Line Input #1, u: Input #1, v, x\r\n"
                                       " Debug.Print u; \"|\"; v; \"|\"; x\r\n"
                                       " While Not EOF(1): Input #1, u, n: Debug.Print u; n: Wend\r\n"
                                       " Input #1, u"),
                                 "defstr u\r\n"));
  EXPECT_EQ(out.debug, "PIN poblaci\xF3n, inicial|100| 2.5 \na,b 7 \n");
  EXPECT_EQ(out.status, vbrun::kExitRunFailed);
  EXPECT_NE(out.messages.find("error 62"), std::string::npos) << out.messages;
  EXPECT_NE(out.messages.find("D.txt"), std::string::npos) << "the message names the file";
}

TEST(VbFiles, RandomRecordsOfSingles) {
  TempDir dir;
  auto out = RunVb(dir, MainWith(InDir(dir,
                                       "Dim c As Single, r As Single\r\n"
                                       " Open \"@r.ale\" For Random As #2 Len = 4\r\n"
                                       " For i = 1 To 3: c = i / 4: Put #2, , c: Next\r\n"
                                       " Get #2, 2, r: Debug.Print r; LOF(2)\r\n Close #2"),
                                 "deflng i\r\n"));
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(out.debug, " .5  12 \n");
  std::string bytes = dir.Read("r.ale");
  ASSERT_EQ(bytes.size(), 12u);
  float third;
  std::memcpy(&third, bytes.data() + 8, 4);
  EXPECT_EQ(third, 0.75f);
}

TEST(VbFiles, FailedOperationsRaiseTheirErrorNumbers) {
  TempDir dir;
  struct Case {
    const char* body;
    const char* error;
  } cases[] = {
      {"Open \"@falta.txt\" For Input As #1", "error 53"},
      {"Open \"@x.txt\" For Output As #1: Open \"@y.txt\" For Output As #1", "error 55"},
      {"Open \"@x.txt\" For Output As #1: Open \"@X.txt\" For Append As #2", "error 55"},
      {"Open \"@x.txt\" For Output As #1: Input #1, a", "error 54"},
      {"Print #7, 1", "error 52"},
      {"Open \"@no/existe/x.txt\" For Output As #1", "error 76"},
      {"Kill \"@falta.txt\"", "error 53"},
  };
  for (const Case& c : cases) {
    auto out = RunVb(dir, MainWith(InDir(dir, c.body)));
    EXPECT_EQ(out.status, vbrun::kExitRunFailed) << c.body;
    EXPECT_NE(out.messages.find(c.error), std::string::npos) << c.body << ": " << out.messages;
  }
}

TEST(VbFiles, RenameWithAHandlerAsTheDataEntryProgramDoes) {
  // The data-entry program tries to open the file; when it is missing the
  // handler resumes at the line that creates it; when it exists, it is renamed.
  TempDir dir;
  std::string program = MainWith(InDir(dir,
                                       " UV = \"@DATOS1.txt\"\r\n On Error GoTo 115\r\n Open UV For Input As #2\r\n"
                                       " On Error GoTo 0\r\n Close #2: Name UV As \"@BDATOS1.txt\"\r\n"
                                       "113 Open UV For Output As #2\r\n Print #2, \"nuevo\": Close #2: Exit Sub\r\n"
                                       "115 Resume 113"));
  auto first = RunVb(dir, program);
  ASSERT_EQ(first.status, 0) << first.messages;
  EXPECT_EQ(dir.Read("DATOS1.txt"), "nuevo\r\n");
  EXPECT_FALSE(dir.Has("BDATOS1.txt"));
  auto second = RunVb(dir, program);
  ASSERT_EQ(second.status, 0) << second.messages;
  EXPECT_EQ(dir.Read("BDATOS1.txt"), "nuevo\r\n");
  // A third time the renamed file is in the way: "file already exists".
  auto third = RunVb(dir, program);
  EXPECT_NE(third.messages.find("error 58"), std::string::npos) << third.messages;
}

TEST(VbFiles, FilesLeftOpenAreClosedWithWhatWasWritten) {
  TempDir dir;
  auto out = RunVb(dir, MainWith(InDir(dir, "Open \"@o.txt\" For Output As #3: Print #3, \"uno\": x = 1 / 0")));
  EXPECT_EQ(out.status, vbrun::kExitRunFailed);
  EXPECT_EQ(dir.Read("o.txt"), "uno\r\n");
}

}  // namespace
}  // namespace korva

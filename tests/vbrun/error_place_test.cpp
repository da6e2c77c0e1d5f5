// Where a run-time error is placed: the label named is one of the procedure
// that failed, never one of the procedure written above it.
#include <gtest/gtest.h>

#include "vbrun/vb_program.h"

namespace korva {
namespace {

using testing::RunVb;
using testing::TempDir;

// Main has a label; the called procedure (header on line 5) fails on line 7.
std::string FailureIn(const std::string& header, const std::string& firstLine) {
  const std::string source =
      "Sub Main()\r\n10 x = 1\r\n Call Helper\r\nEnd Sub\r\n" + header + "\r\n" + firstLine + "\r\n k = 40000\r\nEnd Sub\r\n";
  TempDir dir;
  auto out = RunVb(dir, "deflng k\r\n" + source);
  EXPECT_EQ(out.status, vbrun::kExitRunFailed) << out.messages;
  return out.messages;
}

TEST(ErrorPlace, ALabelOfAnotherProcedureIsNeverNamed) {
  for (const char* header : {"Private Sub Helper()", "private  sub Helper()", "Sub Helper()", "Public Sub Helper()"}) {
    SCOPED_TRACE(header);
    // Line 8 of the file (the letter rule comes first), with no label above it in Helper.
    std::string messages = FailureIn(header, " Dim k As Integer");
    EXPECT_NE(messages.find("línea 8: error 6 en tiempo de ejecución"), std::string::npos) << messages;
    EXPECT_EQ(messages.find("etiqueta"), std::string::npos) << messages;
    // A label of its own is named.
    messages = FailureIn(header, "20 Dim k As Integer");
    EXPECT_NE(messages.find("línea 8 (tras la etiqueta 20): error 6"), std::string::npos) << messages;
  }
}

}  // namespace
}  // namespace korva

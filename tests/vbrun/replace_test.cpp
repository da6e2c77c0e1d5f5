// Replace, as the data-entry programs use it to drop the double quotes of an
// uncertain input's text.
#include <gtest/gtest.h>

#include "vbrun/vb_program.h"

namespace korva {
namespace {

using testing::MainWith;
using testing::RunVb;
using testing::TempDir;

TEST(VbReplace, EveryOccurrenceFromTheStartOrAsMany) {
  TempDir dir;
  auto out = RunVb(dir, MainWith("u = Chr$(34) + \"1;0.05\" + Chr$(34)\r\n"
                                 " Debug.Print Replace(u, Chr$(34), \"\"); \"|\"; Replace(\"a-b-c\", \"-\", \"+\", 1, 1); "
                                 "\"|\"; Replace(\"a-b-c\", \"-\", \"\", 3); \"|\"; Replace(\"abc\", \"\", \"x\"); \"|\"; "
                                 "Replace$(\"ab\", \"b\", \"c\", 5); \"|\"",
                                 "defstr u\r\n"));
  EXPECT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(out.debug, "1;0.05|a+b-c|bc|abc||\n");
  auto bad = RunVb(dir, MainWith("u = Replace(\"ab\", \"a\", \"b\", 0)", "defstr u\r\n"));
  EXPECT_NE(bad.messages.find("error 5"), std::string::npos) << bad.messages;
}

}  // namespace
}  // namespace korva

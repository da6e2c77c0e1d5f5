// The conversion built-ins (CSng, CDbl, CBool, CStr), IsNumeric and String$,
// run in whole modules: Single results are held against C++ floats, the rest
// against the target's documented rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "vbrun/vb_numbers.h"

namespace korva {
namespace {

using testing::DebugOutput;
using testing::Lines;
using testing::PrintedNumber;

// The text C's %g gives with `digits` significant digits.
std::string Digits(double x, int digits) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*g", digits, x);
  return buffer;
}

TEST(VbConversions, CSngRoundsToSinglePrecision) {
  // Widened back with CDbl, the Single shows the float's own value in fifteen digits.
  const auto lines = Lines(DebugOutput(
      "Debug.Print CDbl(CSng(0.1))\r\n Debug.Print CDbl(CSng(1 / 3))\r\n Debug.Print CDbl(CSng(\"2.7182818\"))\r\n"
      " Debug.Print CDbl(CSng(16777217))\r\n Debug.Print CDbl(CSng(-3.4E+38))"));
  const double want[] = {static_cast<float>(0.1), static_cast<float>(1.0 / 3), static_cast<float>(2.7182818),
                         static_cast<float>(16777217.0), static_cast<float>(-3.4e38)};
  ASSERT_EQ(lines.size(), std::size(want));
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_NEAR(PrintedNumber(lines[i]), want[i], 6e-15 * std::fabs(want[i])) << lines[i];
  }
  // Shown as a Single: seven significant digits.
  EXPECT_EQ(DebugOutput("Debug.Print CSng(1 / 3); CSng(2 / 3); CSng(0.1)"), " .3333333  .6666667  .1 \n");
  // Beyond the Single range: overflow.
  EXPECT_NE(DebugOutput("x = CSng(1E+39)").find("error 6"), std::string::npos);
  EXPECT_NE(DebugOutput("x = CSng(-3.5E+38)").find("error 6"), std::string::npos);
  EXPECT_NE(DebugOutput("x = CSng(\"tres\")").find("error 13"), std::string::npos);
}

TEST(VbConversions, CDblKeepsDoublePrecision) {
  const auto lines = Lines(DebugOutput(
      "Dim s As Single\r\n s = 0.1\r\n Debug.Print CDbl(1 / 3)\r\n Debug.Print CDbl(\" -1.5E3 \")\r\n"
      " Debug.Print CDbl(True)\r\n Debug.Print CDbl(s) - 0.1\r\n Debug.Print CDbl(2147483647) * 4"));
  const double want[] = {1.0 / 3, -1500, -1, static_cast<double>(0.1f) - 0.1, 2147483647.0 * 4};
  ASSERT_EQ(lines.size(), std::size(want));
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_NEAR(PrintedNumber(lines[i]), want[i], 6e-15 * std::fabs(want[i])) << lines[i];
  }
  EXPECT_NE(DebugOutput("x = CDbl(\"1,5x\")").find("error 13"), std::string::npos);
}

TEST(VbConversions, CBoolOfNumbersAndTexts) {
  // Any number but zero is True; the texts "True" and "False" in any case, and
  // numeric texts by their number; Empty is False.
  EXPECT_EQ(DebugOutput("Dim e\r\n Debug.Print CBool(0); CBool(0.4); CBool(-1); CBool(\"True\"); CBool(\"FALSE\"); "
                        "CBool(\"0\"); CBool(\"2.5\"); CBool(e)"),
            "FalseTrueTrueTrueFalseFalseTrueFalse\n");
  // A Boolean counts as -1 or 0 in arithmetic.
  EXPECT_EQ(DebugOutput("Debug.Print CBool(7) + 0; CBool(0) + 0"), "-1  0 \n");
  EXPECT_NE(DebugOutput("x = CBool(\"sí\")").find("error 13"), std::string::npos);
}

TEST(VbConversions, IsNumericAcceptsWhatReadsAsANumber) {
  EXPECT_EQ(DebugOutput("Dim e\r\n Debug.Print IsNumeric(\"12\"); IsNumeric(\" -1.5E2 \"); IsNumeric(3.5); "
                        "IsNumeric(e)"),
            "TrueTrueTrueTrue\n");
  EXPECT_EQ(DebugOutput("Debug.Print IsNumeric(\"1.2.3\"); IsNumeric(\"abc\"); IsNumeric(\"\"); "
                        "IsNumeric(\"12abc\")"),
            "FalseFalseFalseFalse\n");
}

TEST(VbConversions, StringRepeatsOneCharacter) {
  // The first character of a text, or a character code (taken Mod 256 above
  // 255); the count rounds half to even.
  EXPECT_EQ(DebugOutput("Debug.Print String$(3, \"ab\") & \"|\" & String$(3, 42) & \"|\" & String$(0, \"x\") & "
                        "\"|\" & String$(2, 321) & \"|\" & String(2.5, \"x\") & \"|\" & String$(3.5, \"y\")"),
            "aaa|***||" + std::string(2, static_cast<char>(321 % 256)) + "|xx|yyyy\n");
  for (const char* bad : {"String$(-1, \"x\")", "String$(2, \"\")", "String$(2, -1)"}) {
    EXPECT_NE(DebugOutput(std::string("x = ") + bad).find("error 5"), std::string::npos) << bad;
  }
}

TEST(VbConversions, CStrHasNoLeadingBlankAndShowsTheValuesDigits) {
  EXPECT_EQ(DebugOutput("Dim e, i As Integer\r\n i = -32768\r\n Debug.Print CStr(12) & \"|\" & CStr(i) & \"|\" & "
                        "CStr(-2.5) & \"|\" & CStr(True) & \"|\" & CStr(e) & \"|\" & CStr(0.5) & \"|\" & Str(12)"),
            "12|-32768|-2.5|True||0.5| 12\n");
  // A Double shows fifteen significant digits, a Single seven.
  EXPECT_EQ(DebugOutput("Debug.Print CStr(1 / 3) & \"|\" & CStr(CSng(1 / 3)) & \"|\" & CStr(CSng(0.1)) & \"|\" & "
                        "CStr(CDbl(CSng(0.1)))"),
            Digits(1.0 / 3, 15) + "|" + Digits(1.0f / 3, 7) + "|" + Digits(0.1f, 7) + "|" +
                Digits(static_cast<float>(0.1), 15) + "\n");
  EXPECT_EQ(DebugOutput("Debug.Print CStr(1E+20); Len(CStr(123456789))"), "1E+20 9 \n");
}

}  // namespace
}  // namespace korva

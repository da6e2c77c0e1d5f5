// The run-time semantics of the dialect, checked through whole small modules:
// each module prints what it computed with Debug.Print.
#include <gtest/gtest.h>

#include "vbrun/vb_program.h"

namespace korva {
namespace {

using testing::MainWith;
using testing::RunVb;
using testing::TempDir;

std::string Printed(const std::string& body, const std::string& head = "") {
  TempDir dir;
  auto out = RunVb(dir, MainWith(body, head));
  EXPECT_EQ(out.status, 0) << out.messages;
  return out.debug;
}

TEST(VbRun, WholeNumbersRoundHalfToEvenAndOverflow) {
  EXPECT_EQ(Printed("Dim a As Integer, b As Long\r\n a = 2.5: b = 3.5: Debug.Print a; b; CInt(-2.5); CLng(1.5)"),
            " 2  4 -2  2 \n");
  // Letter rules: i-n are Long, so i holds a rounded value; s is Single.
  EXPECT_EQ(Printed("i = 7 / 2: s = 7 / 2: Debug.Print i; s", "defsng s:deflng i\r\n"), " 4  3.5 \n");
  TempDir dir;
  auto out = RunVb(dir, MainWith("Dim k As Integer\r\n10 k = 32767: k = k + 1"));
  EXPECT_EQ(out.status, vbrun::kExitRunFailed);
  EXPECT_NE(out.messages.find("línea 3 (etiqueta 10): error 6 en tiempo de ejecución: Desbordamiento"),
            std::string::npos)
      << out.messages;
  EXPECT_NE(out.messages.find("en la instrucción: 10 k = 32767: k = k + 1"), std::string::npos);
  // A line without a label of its own is placed after the nearest label above it.
  auto later = RunVb(dir, MainWith("Dim k As Integer\r\n20 ' una nota\r\n k = 40000"));
  EXPECT_NE(later.messages.find("línea 4 (tras la etiqueta 20): error 6"), std::string::npos) << later.messages;
}

TEST(VbRun, SingleArithmeticKeepsSinglePrecision) {
  // A Single third shows 7 digits; the same division in a Double shows 15.
  EXPECT_EQ(Printed("Dim s As Single, d As Double\r\n s = 1 / 3: d = 1 / 3: Debug.Print s; d"),
            " .3333333  .333333333333333 \n");
  // Summing 0.1 ten times in Single precision is not exactly 1, though it shows as 1.
  EXPECT_EQ(Printed("Dim s As Single\r\n For i = 1 To 10: s = s + 0.1!: Next: Debug.Print s = 1; s", "deflng i\r\n"),
            "False 1 \n");
  EXPECT_EQ(Printed("Debug.Print -2 ^ 2; 7 \\ 2; 7 Mod 3; 2 ^ -1"), "-4  3  1  .5 \n");
}

TEST(VbRun, TextsAndNumbersConvertOnAssignment) {
  EXPECT_EQ(Printed("Dim n As Long, t As String\r\n n = \" 12 \": t = 2.5: Debug.Print n; t; \"1\" + 2; \"a\" + \"b\"; "
                    "3 & \"x\""),
            " 12 2.5 3 ab3x\n");
  for (const char* bad : {"", "12abc"}) {
    TempDir dir;
    auto out = RunVb(dir, MainWith("Dim n As Long\r\n n = InputBox(\"¿Cuántos?\")"), {bad});
    EXPECT_EQ(out.status, vbrun::kExitRunFailed) << bad;
    EXPECT_NE(out.messages.find("error 13"), std::string::npos) << out.messages;
  }
}

TEST(VbRun, ComparisonsFollowTheVariantRules) {
  // A typed number against a Variant holding a numeric text compares as numbers;
  // two texts compare by character codes; a numeric Variant is less than a text Variant.
  EXPECT_EQ(Printed("Dim v, w, x\r\n v = \"10\": t = 9: w = 5: x = \"5\"\r\n"
                    " Debug.Print t < v; \"10\" < \"9\"; w < x; \"B\" < \"a\"",
                    "defsng t\r\n"),
            "TrueTrueTrueTrue\n");
}

TEST(VbRun, ArraysAreSizedAndSubscriptsChecked) {
  EXPECT_EQ(Printed("ReDim a(3, 2): a(3, 2) = 5: ReDim Preserve a(3, 4): a(1, 4) = 1: Debug.Print a(3, 2); a(1, 4)"),
            " 5  1 \n");
  TempDir dir;
  auto out = RunVb(dir, MainWith("Dim a(3) As Single\r\n a(4) = 1"));
  EXPECT_NE(out.messages.find("error 9 en tiempo de ejecución"), std::string::npos) << out.messages;
  auto unsized = RunVb(dir, MainWith("x = POB(1)", "Dim POB() As Single\r\n"));
  EXPECT_NE(unsized.messages.find("error 9"), std::string::npos) << unsized.messages;
}

TEST(VbRun, LoopsAndJumps) {
  // For with a step, a Next closing two loops, Exit For, While, Do ... Loop Until.
  EXPECT_EQ(Printed("For i = 10 To 1 Step -4: Debug.Print i;: Next\r\n"
                    "For i = 1 To 2: For j = 1 To 2: Debug.Print i * 10 + j;: Next j, i\r\n"
                    "For i = 1 To 100: If i = 3 Then Exit For\r\n Next i: Debug.Print i;\r\n"
                    "While i > 0: i = i - 2: Wend: Debug.Print i;\r\n"
                    "Do: i = i + 5: Loop Until i >= 7: Debug.Print i"),
            " 10  6  2  11  12  21  22  3 -1  9 \n");
  // A loop left by GoTo to the line of its Next, as the normal-table lookup does.
  EXPECT_EQ(Printed("120 For l = 1 To 5: If l < 4 Then GoTo 160\r\n130 Debug.Print l: Exit Sub\r\n160 Next l: "
                    "Debug.Print \"none\""),
            " 4 \n");
  // GoSub and Return; a line number after Then and Else is a GoTo.
  EXPECT_EQ(Printed("GoSub 50: Debug.Print \"back\": If 1 > 2 Then 60 Else 70\r\n"
                    "50 Debug.Print \"sub\": Return\r\n60 Debug.Print \"then\"\r\n70 Debug.Print \"else\""),
            "sub\nback\nelse\n");
}

TEST(VbRun, IfStatements) {
  // Everything after Then belongs to it; Else binds to the nearest single-line If.
  EXPECT_EQ(Printed("a = 1: If a = 2 Then Debug.Print \"x\": Debug.Print \"y\"\r\n"
                    "If a = 1 Then If a = 2 Then Debug.Print \"p\" Else Debug.Print \"q\"\r\n"
                    "If a = 0 Then\r\n Debug.Print \"0\"\r\nElseIf a = 1 Then\r\n Debug.Print \"1\"\r\nElse\r\n"
                    " Debug.Print \"-\"\r\nEnd If\r\nIf a = 1 GoTo 9\r\nDebug.Print \"no\"\r\n9 if a=1 then\r\n"
                    " Debug.Print \"endif\"\r\n endif"),
            "q\n1\nendif\n");
}

TEST(VbRun, ErrorHandlers) {
  // On Error GoTo with Resume to a label, Resume Next, and an error in a called
  // procedure taken by the caller's handler.
  EXPECT_EQ(Printed("On Error GoTo 100\r\n x = 1 / 0\r\n Debug.Print \"after\"\r\n Exit Sub\r\n"
                    "100 Debug.Print Err: Resume Next"),
            " 11 \nafter\n");
  EXPECT_EQ(Printed("On Error GoTo 9\r\n Call Boom: Debug.Print \"not here\"\r\n9 Debug.Print \"caught\"; "
                    "Err.Number\r\nEnd Sub\r\n"
                    "Sub Boom()\r\n Dim a(2)\r\n a(5) = 1"),
            "caught 9 \n");
  EXPECT_EQ(Printed("On Error Resume Next\r\n Error 62\r\n Debug.Print Err\r\n On Error GoTo 0\r\n Debug.Print Err"),
            " 62 \n 0 \n");
  TempDir dir;
  auto out = RunVb(dir, MainWith("Resume"));
  EXPECT_NE(out.messages.find("error 20"), std::string::npos) << out.messages;
}

TEST(VbRun, TextFunctions) {
  EXPECT_EQ(Printed("u = \"Año;2/3\": Debug.Print Mid$(u, 2, 2); InStr(u, \";\"); InStr(6, u, \"/\"); InStr(u, \"x\"); "
                    "Left$(u, 1); Right$(u, 1); Len(u)",
                    "defstr u\r\n"),
            "ño 4  6  0 A3 7 \n");
  EXPECT_EQ(Printed("Debug.Print Str$(459); Str$(-4.5); Val(\" 2 45 7\"); Val(\"24 and 57\"); Val(\"&HFF\")"),
            " 459-4.5 2457  24  255 \n");
  EXPECT_EQ(
      Printed("Debug.Print LCase$(\"ÑANDÚ\"); UCase$(\"ñu\"); Chr$(65); Asc(\"a\"); \"[\" & Trim$(\"  x \") & \"]\""),
      "ñandúÑUA 97 [x]\n");
  EXPECT_EQ(Printed("Debug.Print Format$(0.5); Format$(3); Format$(1234.567, \"#,##0.00\"); Format$(0.25, \"0%\")"),
            "0.531,234.5725%\n");
  EXPECT_EQ(Printed("Debug.Print Int(-2.5); Fix(-2.5); Abs(-3); Sqr(16); Sgn(-7)"), "-3 -2  3  4 -1 \n");
}

TEST(VbRun, PrintZonesTabAndSpc) {
  EXPECT_EQ(
      Printed(
          "Debug.Print 3; -3; \"x\"\r\nDebug.Print \"a\", \"b\"\r\nDebug.Print \"a\"; Tab(5); \"b\"; Spc(2); \"c\"\r\n"
          "Debug.Print \"abcdef\"; Tab(3); \"z\"\r\nDebug.Print \"n\";\r\nDebug.Print"),
      " 3 -3 x\na             b\na   b  c\nabcdef\n  z\nn\n");
}

TEST(VbRun, RandomNumbersFollowTheTargetGenerator) {
  // Without Randomize the sequence starts as on the target.
  EXPECT_EQ(Printed("Debug.Print Rnd; Rnd"), " .7055475  .533424 \n");
  // Randomize without argument takes the --seed value: the same seed, the same run.
  TempDir dir;
  std::string program = MainWith("Randomize: Debug.Print Rnd; Rnd");
  auto first = RunVb(dir, program, {}, 42);
  auto second = RunVb(dir, program, {}, 42);
  auto other = RunVb(dir, program, {}, 43);
  EXPECT_EQ(first.debug, second.debug);
  EXPECT_NE(first.debug, other.debug);
}

TEST(VbRun, BoxesSpeakThroughTheDialogue) {
  TempDir dir;
  auto out =
      RunVb(dir, MainWith("a = InputBox(\"¿Nombre?\"): MsgBox (\"Hola \" + a): MsgBox \"dos\", 0, \"t\""), {"Ana"});
  ASSERT_EQ(out.status, 0) << out.messages;
  ASSERT_EQ(out.boxes.size(), 3u);
  EXPECT_EQ(out.boxes[0].text, "¿Nombre?");
  EXPECT_EQ(out.boxes[1].text, "Hola Ana");
  EXPECT_EQ(out.boxes[2].text, "dos");
  // The input ending at an input box stops the run with a failure status.
  auto ended = RunVb(dir, MainWith("a = InputBox(\"¿Nombre?\")\r\nDebug.Print \"never\""));
  EXPECT_EQ(ended.status, vbrun::kExitRunFailed);
  EXPECT_EQ(ended.debug, "");
  EXPECT_NE(ended.messages.find("la entrada se ha terminado"), std::string::npos);
}

TEST(VbRun, EndStopsTheWholeProgram) {
  EXPECT_EQ(Printed(" Call Inner: Debug.Print \"not reached\"\r\nEnd Sub\r\nSub Inner()\r\n Debug.Print \"in\": End"),
            "in\n");
}

}  // namespace
}  // namespace korva

// Numbers whose types the checker knows (typed variables and literals) are
// worked without making values: the same operations on Variants holding
// values of those types, which go the general way, must print the same, and
// the typed way must stop with the same errors.
#include <gtest/gtest.h>

#include "vbrun/vb_program.h"

namespace korva {
namespace {

using testing::MainWith;
using testing::RunVb;
using testing::TempDir;

// Every operator and typed built-in over Integer, Long, Single, Double and
// Boolean operands, printed; `assign` gives the operands their values.
std::string Table(const std::string& head, const std::string& assign) {
  TempDir dir;
  auto out = RunVb(dir, MainWith(assign +
                                     "\r\n Debug.Print i + j; i - j; i * j; i / j; i \\ j; i Mod j; i ^ j; -i; Not i\r\n"
                                     " Debug.Print s * d; s / i; l * s; l + i; l \\ i; d - s; s ^ 2; -s\r\n"
                                     " Debug.Print i < s; s = 2.5; d >= s; b And b; b Or Not b; b And i; i Or j; i Xor l\r\n"
                                     " Debug.Print Int(-s); Fix(-s); Abs(j); Int(b); CInt(s); CInt(3.5); CLng(s * 3); "
                                     "CSng(d); CDbl(s); Sqr(s)\r\n"
                                     " r = s + d: Debug.Print r",
                                 head));
  EXPECT_EQ(out.status, 0) << out.messages;
  return out.debug;
}

TEST(TypedNumbers, PrintAsTheSameOperationsOnVariants) {
  const std::string typed =
      Table("Dim i As Integer, j As Integer, l As Long, s As Single, d As Double, b As Boolean\r\n"
            "Dim r As Double\r\n",
            " i = 7: j = -2: l = 100000: s = 2.5: d = 0.1: b = True");
  const std::string variants =
      Table("Dim i, j, l, s, d, b, r\r\n",
            " i = CInt(7): j = CInt(-2): l = CLng(100000): s = CSng(2.5): d = CDbl(0.1): b = True");
  EXPECT_EQ(typed, variants);
  EXPECT_EQ(typed.substr(0, typed.find('\n')), " 5  9 -14 -3.5 -3  1  .0204081632653061 -7 -8 ");
  // Stored into typed variables, the numbers take the variables' types.
  TempDir dir;
  auto out = RunVb(dir, MainWith(" s = 2.5: k = s * 3: t = 7 / -2: b = s: i = k / 3: Debug.Print k; t; b; i",
                                 "Dim s As Single, k As Long, t As Single, b As Boolean, i As Integer\r\n"));
  EXPECT_EQ(out.debug, " 8 -3.5 True 3 \n") << out.messages;
}

TEST(TypedNumbers, StopWithTheErrorsOfTheirTypes) {
  struct Case {
    const char* body;
    const char* error;
  } cases[] = {
      {"Dim k As Integer\r\n k = 32767: k = k + 1", "error 6"},
      {"Dim k As Integer, n As Integer\r\n k = -32768: k = -k", "error 6"},
      {"Dim m As Long\r\n m = 2147483647: m = m + 1", "error 6"},
      {"Dim s As Single\r\n s = 1E+38: s = s * 10", "error 6"},
      {"Dim d As Double, z As Double\r\n d = d / z", "error 6"},
      {"Dim d As Double, z As Double\r\n d = 1: d = d / z", "error 11"},
      {"Dim k As Integer, z As Integer\r\n k = k \\ z", "error 11"},
      {"Dim k As Integer, s As Single\r\n s = 40000: k = CInt(s)", "error 6"},
      {"Dim s As Single\r\n s = -1: s = Sqr(s)", "error 5"},
      {"Dim k As Integer, a(3) As Single\r\n k = 4: a(k) = 1", "error 9"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    auto out = RunVb(dir, MainWith(c.body));
    EXPECT_EQ(out.status, vbrun::kExitRunFailed) << c.body;
    EXPECT_NE(out.messages.find(c.error), std::string::npos) << c.body << "\n" << out.messages;
  }
  // A Variant grows instead: the same sum gives a Long.
  TempDir dir;
  auto out = RunVb(dir, MainWith("Dim v\r\n v = CInt(32767): v = v + 1: Debug.Print v"));
  EXPECT_EQ(out.debug, " 32768 \n") << out.messages;
}

}  // namespace
}  // namespace korva

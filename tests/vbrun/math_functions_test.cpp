// The mathematical built-ins (Exp, Log, Sin, Cos, Tan, Atn) run in whole
// modules, each result printed and held against the C library's value: they
// are Double, so the fifteen digits Print shows must all agree.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "vbrun/vb_numbers.h"

namespace korva {
namespace {

using testing::DebugOutput;
using testing::Lines;
using testing::PrintedNumber;

struct Case {
  std::string expression;  // as the module writes it
  double expected;
};

// Runs one Debug.Print per case and compares each printed number with the
// expected one, to the fifteen significant digits a Double shows.
void ExpectPrinted(const std::vector<Case>& cases, const std::string& head = "", const std::string& setup = "") {
  std::string body = setup;
  for (const Case& c : cases) body += "\r\n Debug.Print " + c.expression;
  const std::string printed = DebugOutput(body, head);
  const std::vector<std::string> lines = Lines(printed);
  ASSERT_EQ(lines.size(), cases.size()) << printed;
  for (size_t i = 0; i < cases.size(); ++i) {
    const double got = PrintedNumber(lines[i]);
    const double want = cases[i].expected;
    EXPECT_NEAR(got, want, 6e-15 * std::fabs(want) + 1e-300)
        << cases[i].expression << " printed \"" << lines[i] << "\"";
  }
}

TEST(VbMath, ExpAndLogAreTheNaturalOnes) {
  ExpectPrinted({
      {"Exp(1)", std::exp(1.0)},
      {"Exp(0)", 1.0},
      {"Exp(-2.5)", std::exp(-2.5)},
      {"Exp(709)", std::exp(709.0)},
      {"Exp(\"1.5\")", std::exp(1.5)},  // a numeric text is its number
      {"Log(10)", std::log(10.0)},
      {"Log(0.5)", std::log(0.5)},
      {"Log(1)", 0.0},
      {"Log(1E+300)", std::log(1e300)},
      {"Log(Exp(3))", std::log(std::exp(3.0))},
  });
}

TEST(VbMath, TrigonometryWorksInRadians) {
  const double pi = 4 * std::atan(1.0);
  ExpectPrinted({
      {"Sin(0.5)", std::sin(0.5)},
      {"Sin(-2)", std::sin(-2.0)},
      {"Sin(4 * Atn(1))", std::sin(pi)},
      {"Cos(1)", std::cos(1.0)},
      {"Cos(-3)", std::cos(-3.0)},
      {"Cos(0)", 1.0},
      {"Tan(1)", std::tan(1.0)},
      {"Tan(-0.7)", std::tan(-0.7)},
      {"Atn(1) * 4", pi},
      {"Atn(-1E+10)", std::atan(-1e10)},
      {"Atn(0.5)", std::atan(0.5)},
  });
}

TEST(VbMath, ASingleArgumentIsTakenAsStoredAndTheResultIsDouble) {
  // s holds 0.1 rounded to single precision; the functions work on that value
  // and answer in double precision.
  const double s = static_cast<double>(0.1f);
  const int i = 3;
  ExpectPrinted(
      {
          {"Exp(s)", std::exp(s)},
          {"Log(s)", std::log(s)},
          {"Sin(s)", std::sin(s)},
          {"Cos(s)", std::cos(s)},
          {"Tan(s)", std::tan(s)},
          {"Atn(s)", std::atan(s)},
          {"Exp(i)", std::exp(i)},
          {"Log(i)", std::log(i)},
      },
      "", "Dim s As Single, i As Integer\r\n s = 0.1: i = 3");
}

TEST(VbMath, OutOfTheirDomainTheFunctionsRaiseTheTargetsErrors) {
  // Log of zero or of a negative number is an invalid call (5), so is the
  // square root of a negative; an Exp beyond the Double range overflows (6).
  // Each On Error Resume Next clears the error before the next try.
  const std::string body =
      "On Error Resume Next\r\n"
      " x = 1: x = Log(0): Debug.Print Err.Number; x\r\n"
      " On Error Resume Next: x = Log(-1): Debug.Print Err.Number\r\n"
      " On Error Resume Next: x = Log(-1E-300): Debug.Print Err.Number\r\n"
      " On Error Resume Next: x = Sqr(-4): Debug.Print Err.Number\r\n"
      " On Error Resume Next: x = Exp(710): Debug.Print Err.Number\r\n"
      " On Error Resume Next: x = Log(\"dos\"): Debug.Print Err.Number\r\n"
      " On Error Resume Next: x = Log(1E-300): Debug.Print Err.Number";
  EXPECT_EQ(DebugOutput(body), " 5  1 \n 5 \n 5 \n 5 \n 6 \n 13 \n 0 \n");
  // Unhandled, the error stops the run with its number and description.
  EXPECT_NE(DebugOutput("Debug.Print Log(0)").find("error 5 en tiempo de ejecución"), std::string::npos);
}

}  // namespace
}  // namespace korva

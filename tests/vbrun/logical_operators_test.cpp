// And, Or, Xor, Eqv, Imp and Not on numbers work bit by bit on the two's
// complement of the whole values, as the target's do: the expected values are
// worked out here with the C++ operators on 32-bit integers.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "vbrun/vb_numbers.h"

namespace korva {
namespace {

using testing::DebugOutput;
using testing::PrintedWhole;

// The five binary operators on a and b, as one Print line shows them.
std::string AllFive(int32_t a, int32_t b) {
  return PrintedWhole(a & b) + PrintedWhole(a | b) + PrintedWhole(a ^ b) + PrintedWhole(~(a ^ b)) +
         PrintedWhole(~a | b) + "\n";
}

const char* kAllFive = "Debug.Print a And b; a Or b; a Xor b; a Eqv b; a Imp b";

TEST(VbLogical, IntegerOperandsBitByBit) {
  EXPECT_EQ(DebugOutput("Debug.Print 12 And 10; 12 Or 10; 12 Xor 10; 12 Eqv 10; 12 Imp 10"), AllFive(12, 10));
  const std::vector<std::pair<int16_t, int16_t>> pairs = {{12, 10}, {-12, 10}, {-1, 255}, {32767, -32768}, {0, 0},
                                                          {-7, -3}};
  for (const auto& [a, b] : pairs) {
    const std::string set = "a = " + std::to_string(a) + ": b = " + std::to_string(b) + "\r\n ";
    EXPECT_EQ(DebugOutput("Dim a As Integer, b As Integer\r\n " + set + kAllFive), AllFive(a, b))
        << a << ", " << b;
  }
}

TEST(VbLogical, LongOperandsBitByBit) {
  const std::vector<std::pair<int32_t, int32_t>> pairs = {
      {0x12345678, 0x00FF00FF}, {-2147483647 - 1, 2147483647}, {-100000, 65535}, {-1, -1}, {70000, -70000}};
  for (const auto& [a, b] : pairs) {
    const std::string set = "a = " + std::to_string(a) + "#: b = " + std::to_string(b) + "#\r\n ";
    EXPECT_EQ(DebugOutput("Dim a As Long, b As Long\r\n " + set + kAllFive), AllFive(a, b)) << a << ", " << b;
  }
  // Hexadecimal literals: &HFFFF is the Integer -1, &HFFFF& the Long 65535.
  EXPECT_EQ(DebugOutput("Debug.Print &HFFFF And &HF0; &HFFFF& And &HF0F0&; &HFF00& Xor &HFFFF; Not &H7FFFFFFF"),
            PrintedWhole(-1 & 0xF0) + PrintedWhole(0xFFFF & 0xF0F0) + PrintedWhole(0xFF00 ^ -1) +
                PrintedWhole(~0x7FFFFFFF) + "\n");
}

TEST(VbLogical, NotComplementsEveryBit) {
  EXPECT_EQ(DebugOutput("Dim i As Integer, l As Long\r\n i = 32767: l = 0\r\n Debug.Print Not i; Not l; Not -1; Not 12"),
            PrintedWhole(~32767) + PrintedWhole(~0) + PrintedWhole(~-1) + PrintedWhole(~12) + "\n");
  // Eqv and Imp are Not (a Xor b) and (Not a) Or b.
  EXPECT_EQ(DebugOutput("Debug.Print (12 Eqv 10) = (Not (12 Xor 10)); (12 Imp 10) = ((Not 12) Or 10)"), "TrueTrue\n");
}

TEST(VbLogical, OperandsAreRoundedToWholeValuesFirst) {
  // Fractions round half to even; numeric texts are their numbers; True is -1.
  EXPECT_EQ(DebugOutput("Debug.Print 12.6 And 10; 2.5 Or 0; 3.5 Or 0; \"12\" And \"10\"; True And 3; False Or 6"),
            PrintedWhole(13 & 10) + PrintedWhole(2) + PrintedWhole(4) + PrintedWhole(12 & 10) +
                PrintedWhole(-1 & 3) + PrintedWhole(0 | 6) + "\n");
  // Two Booleans give a Boolean.
  EXPECT_EQ(DebugOutput("Debug.Print True And False; True Or False; True Xor True; False Eqv False; True Imp False"),
            "FalseTrueFalseTrueFalse\n");
}

TEST(VbLogical, TheResultTypeIsIntegerOnlyForTwoIntegers) {
  // An Integer result times 5000 overflows the Integer range; a Long one does not.
  EXPECT_NE(DebugOutput("Debug.Print (12 And 10) * 5000").find("error 6"), std::string::npos);
  EXPECT_EQ(DebugOutput("Debug.Print (12& And 10) * 5000; (12 Or 10&) * 5000; (12.5 Xor 1) * 5000"),
            PrintedWhole((12 & 10) * 5000) + PrintedWhole((12 | 10) * 5000) + PrintedWhole((12 ^ 1) * 5000) + "\n");
  // An operand beyond the Long range cannot take part.
  EXPECT_NE(DebugOutput("Debug.Print 3000000000# And 1").find("error 6"), std::string::npos);
  EXPECT_NE(DebugOutput("Debug.Print \"doce\" Or 1").find("error 13"), std::string::npos);
}

}  // namespace
}  // namespace korva

#include "vbrun/number_text.h"

#include <gtest/gtest.h>

namespace korva::vbrun {
namespace {

constexpr NumberKind kSng = NumberKind::kSingle;
constexpr NumberKind kDbl = NumberKind::kDouble;

TEST(VbNumbers, StrAndPrintReserveThePlaceOfTheSign) {
  EXPECT_EQ(StrText(459, NumberKind::kInteger), " 459");
  EXPECT_EQ(StrText(-459.65, kDbl), "-459.65");
  EXPECT_EQ(StrText(0, kDbl), " 0");
  EXPECT_EQ(StrText(-0.0, kDbl), " 0");
  EXPECT_EQ(StrText(0.5, kSng), " .5");
  EXPECT_EQ(StrText(-0.25, kDbl), "-.25");
  EXPECT_EQ(PrintText(3, NumberKind::kInteger), " 3 ");
  EXPECT_EQ(PrintText(-3, NumberKind::kLong), "-3 ");
}

TEST(VbNumbers, CStrAndWriteHaveNoBlankAndDifferOnlyInTheLeadingZero) {
  EXPECT_EQ(CStrText(459, NumberKind::kLong), "459");
  EXPECT_EQ(CStrText(0.5, kDbl), "0.5");
  EXPECT_EQ(CStrText(-0.5, kSng), "-0.5");
  EXPECT_EQ(CStrText(-0.0, kSng), "0");
  EXPECT_EQ(WriteText(234, NumberKind::kInteger), "234");
  EXPECT_EQ(WriteText(-1.5, kDbl), "-1.5");
  EXPECT_EQ(WriteText(0.5, kDbl), ".5");
}

TEST(VbNumbers, SingleShowsSevenSignificantDigitsDoubleFifteen) {
  EXPECT_EQ(StrText(0.1f, kSng), " .1");
  EXPECT_EQ(StrText(0.1f, kDbl), " .100000001490116");
  EXPECT_EQ(StrText(1.0 / 3, kSng), " .3333333");
  EXPECT_EQ(StrText(2.0 / 3, kSng), " .6666667");
  EXPECT_EQ(StrText(1.0 / 3, kDbl), " .333333333333333");
  EXPECT_EQ(StrText(-2147483648.0, NumberKind::kLong), "-2147483648");
}

TEST(VbNumbers, ExponentFormBeyondTheDigitsAndBelowTenThousandths) {
  EXPECT_EQ(StrText(1234567, kSng), " 1234567");
  EXPECT_EQ(StrText(12345678, kSng), " 1.234568E+07");
  EXPECT_EQ(StrText(9999999.6, kSng), " 1E+07") << "rounding carries into the exponent";
  EXPECT_EQ(StrText(1e14, kDbl), " 100000000000000");
  EXPECT_EQ(StrText(1e15, kDbl), " 1E+15");
  EXPECT_EQ(StrText(123456789012345678.0, kDbl), " 1.23456789012346E+17");
  EXPECT_EQ(CStrText(1e24, kSng), "1E+24");
  EXPECT_EQ(StrText(1e100, kDbl), " 1E+100");
  EXPECT_EQ(StrText(0.0001, kDbl), " .0001");
  EXPECT_EQ(CStrText(0.0001, kSng), "0.0001");
  EXPECT_EQ(StrText(0.00001, kSng), " 1E-05");
  EXPECT_EQ(CStrText(-1.5e-7, kDbl), "-1.5E-07");
}

TEST(VbNumbers, TextToNumberTakesOnlyAWholeNumber) {
  EXPECT_EQ(TextToNumber(" 12 "), 12);
  EXPECT_EQ(TextToNumber("\t-1.5E3"), -1500);
  EXPECT_EQ(TextToNumber("1.5d2"), 150);
  EXPECT_EQ(TextToNumber("+.5"), 0.5);
  EXPECT_EQ(TextToNumber("1E-400"), 0);
  EXPECT_EQ(TextToNumber("&HFF"), 255);
  EXPECT_EQ(TextToNumber("&hFFFF"), -1) << "16 bits make an Integer";
  EXPECT_EQ(TextToNumber("&H10000"), 65536);
  EXPECT_EQ(TextToNumber("&O17"), 15);
  for (const char* bad :
       {"", "  ", "12abc", "abc", ".", "1E", "- 1", "1 2", "&H", "&HG", "&O8", "&H100000000", "1E400"}) {
    EXPECT_EQ(TextToNumber(bad), std::nullopt) << '"' << bad << '"';
  }
}

}  // namespace
}  // namespace korva::vbrun

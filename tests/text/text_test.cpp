#include <gtest/gtest.h>

#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

TEST(CodePage, SystemTextsSurviveTheTerminalRoundTrip) {
  // The program's own odd characters (DOS letters seen through Windows-1252) included.
  const std::string text = "¿Cómo? s¡ simulaci¢n ‚l ñ € ¡Hasta la próxima!";
  EXPECT_EQ(text.size(), 46u) << "literals are one byte a character";
  std::string utf8 = Cp1252ToUtf8(text);
  EXPECT_EQ(utf8.substr(0, 2), "\xC2\xBF");
  EXPECT_EQ(Utf8ToCp1252(utf8), text);
}

TEST(CodePage, EveryByteRoundTripsThroughUtf8ButTheFiveUnassigned) {
  const std::string unassigned = "\x81\x8D\x8F\x90\x9D";
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string expected = all;
  for (char& c : expected) {
    if (unassigned.find(c) != std::string::npos) c = '?';  // shown as U+FFFD, read back as "?"
  }
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), expected);
  for (int b = 0; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    SCOPED_TRACE(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), unassigned.find(one[0]) == std::string::npos ? one : "?");
  }
  EXPECT_EQ(Cp1252ToUtf8("\x80\x9F\xFF"), "\xE2\x82\xAC\xC5\xB8\xC3\xBF");  // €, Ÿ, ÿ
}

TEST(CodePage, TypedTextThatIsNotUtf8IsKeptAsWindows1252) {
  EXPECT_EQ(Utf8ToCp1252("a\xF1o"), "a\xF1o");         // "año" typed in Windows-1252
  EXPECT_EQ(Utf8ToCp1252("a\xC3\xB1o"), "a\xF1o");     // the same typed in UTF-8
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");        // no such character in the code page
}

TEST(CodePage, Utf8IsRecognisedOnlyWithMultiByteCharacters) {
  EXPECT_FALSE(LooksLikeUtf8("plain ascii"));
  EXPECT_TRUE(LooksLikeUtf8("a\xC3\xB1o"));
  EXPECT_FALSE(LooksLikeUtf8("a\xF1o"));
  EXPECT_FALSE(LooksLikeUtf8("\xC3"));  // cut short
}

TEST(CodePage, CaseChangesCoverAccentedLetters) {
  EXPECT_EQ(LowerCase("SÍ ÑANDÚ T"), "sí ñandú t");
  EXPECT_EQ(UpperCase("población"), "POBLACIÓN");
  EXPECT_EQ(LowerCase("×÷"), "×÷");  // signs, not letters
}

TEST(NumberText, LeadingBlankForNonNegativeNumbers) {
  EXPECT_EQ(NumText(3), " 3");
  EXPECT_EQ(NumText(0), " 0");
  EXPECT_EQ(NumText(-3), "-3");
  EXPECT_EQ(PlainNum(7), "7");
}

TEST(NumberText, ValReadsTheLeadingNumber) {
  EXPECT_EQ(Val(" 2 45 7"), 2457);
  EXPECT_EQ(Val("24 and 57"), 24);
  EXPECT_EQ(Val("x"), 0);
  EXPECT_EQ(Val("-1.5e1"), -15);
  EXPECT_EQ(Val(".5"), 0.5);
  EXPECT_EQ(Val("&HFF"), 255);
  EXPECT_EQ(Val("1e999"), 0) << "an overflow must not become infinity";
  EXPECT_EQ(Val("+2.5x"), 2.5);
  EXPECT_EQ(Val("-.25"), -0.25);
}

TEST(NumberText, WholeNumbersStandAlone) {
  EXPECT_EQ(ParseWholeNumber(" 9 "), 9);
  EXPECT_EQ(ParseWholeNumber("-1"), -1);
  EXPECT_FALSE(ParseWholeNumber(""));
  EXPECT_FALSE(ParseWholeNumber("x"));
  EXPECT_FALSE(ParseWholeNumber("3x"));
  EXPECT_FALSE(ParseWholeNumber("2.5"));
  EXPECT_FALSE(ParseWholeNumber("-"));
  EXPECT_FALSE(ParseWholeNumber("99999999999999999999999"));
  EXPECT_EQ(ParseWholeNumber("+5"), 5);
  EXPECT_FALSE(ParseWholeNumber("+-5"));
  EXPECT_FALSE(ParseWholeNumber("-+5"));
  EXPECT_FALSE(ParseWholeNumber("++5"));
  EXPECT_FALSE(ParseWholeNumber("- 5"));
}

}  // namespace
}  // namespace korva

// The copies of the sources that the clang build compiles must give the
// program the bytes g++ gives it with -fexec-charset=CP1252 (this test is
// built by g++ with that option, so its own literals are those bytes).
#include <gtest/gtest.h>

#include <string>

#include "tools/literal_charset.h"

namespace korva::fuzz {
namespace {

std::string Converted(const std::string& source) {
  LiteralConversion result = Cp1252Literals(source);
  EXPECT_TRUE(result.ok) << result.error << " at line " << result.line;
  return result.text;
}

// The bytes that a run of octal escapes ("\200\342") stands for.
std::string Unescaped(const std::string& escapes) {
  std::string bytes;
  for (size_t i = 0; i + 3 < escapes.size() && escapes[i] == '\\'; i += 4) {
    bytes += static_cast<char>(std::stoi(escapes.substr(i + 1, 3), nullptr, 8));
  }
  return bytes;
}

TEST(LiteralCharset, EveryLetterGetsTheByteGxxGivesIt) {
  // u8 literals stay UTF-8 whatever the execution character set; plain ones
  // are Windows-1252 in this build.
  const std::u8string utf8 = u8"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ¡ª¿ÀÑñóúüÿ";
  const std::string cp1252 = "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ¡ª¿ÀÑñóúüÿ";
  const std::string source = "s = \"" + std::string(utf8.begin(), utf8.end()) + "\";";
  const std::string copy = Converted(source);
  ASSERT_TRUE(copy.starts_with("s = \"") && copy.ends_with("\";")) << copy;
  const std::string escapes = copy.substr(5, copy.size() - 7);
  EXPECT_EQ(escapes.size(), 4 * cp1252.size()) << copy;
  EXPECT_EQ(Unescaped(escapes), cp1252);
}

TEST(LiteralCharset, OnlyLiteralsChange) {
  // "ñ" is C3 B1 in UTF-8, octal 361 in Windows-1252; "é" is C3 A9, 351.
  EXPECT_EQ(Converted("a = \"x\xC3\xB1y\"; b = '\xC3\xA9';"), "a = \"x\\361y\"; b = '\\351';");
  // Escapes in a literal are kept, and do not end it early.
  EXPECT_EQ(Converted("\"\\\"\xC3\xB1\\\\\" \"\xC3\xA9\""), "\"\\\"\\361\\\\\" \"\\351\"");
  // An octal escape takes three digits at most, so a digit after it stays a digit.
  EXPECT_EQ(Converted("\"\xC3\xB1" "7\""), "\"\\3617\"");
  // Comments, and code around literals, are copied as they stand.
  const std::string comments = "// a\xC3\xB1o \"x\n/* \xC3\xA9 ' */ int n = 1'000; // \xC3\xA9\n";
  EXPECT_EQ(Converted(comments), comments);
  // A digit separator does not open a character literal.
  EXPECT_EQ(Converted("int n = 1'000; char c = '\xC3\xB1';"), "int n = 1'000; char c = '\\361';");
}

TEST(LiteralCharset, RawStringsAreSplitAroundEscapes) {
  EXPECT_EQ(Converted("R\"T(a\xC3\xB1\"b)T\""), "R\"T(a)T\" \"\\361\" R\"T(\"b)T\"");
  // A quote inside a raw string does not end it; what follows is code again.
  EXPECT_EQ(Converted("R\"(\")\" + \"\xC3\xA9\""), "R\"(\")\" + \"\\351\"");
}

TEST(LiteralCharset, RefusesWhatWindows1252CannotHold) {
  LiteralConversion bitcoin = Cp1252Literals("\n\"\xE2\x82\xBF\"");  // U+20BF
  EXPECT_FALSE(bitcoin.ok);
  EXPECT_EQ(bitcoin.line, 2);
  EXPECT_FALSE(Cp1252Literals("\"\xC3\"").ok);     // a sequence cut short
  EXPECT_FALSE(Cp1252Literals("\"abc\ndef\"").ok);  // a literal without its closing quote
}

}  // namespace
}  // namespace korva::fuzz

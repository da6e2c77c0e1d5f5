#include "variables/function_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace korva {
namespace {

ElementSpec Element(const std::string& id, std::vector<std::string> arguments, bool uncertain = false) {
  ElementSpec element;
  element.Id = id;
  element.Arguments = std::move(arguments);
  element.HasUncertainty = uncertain;
  return element;
}

// The meaning of the check, searched the plain way, word by word.
bool PlainCheck(const ElementSpec& element, const std::vector<std::string>& lines) {
  auto inSomeLine = [&](const std::string& word) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(word) != std::string::npos; });
  };
  return inSomeLine(element.Id) &&
         std::all_of(element.Arguments.begin(), element.Arguments.end(), inSomeLine);
}

// Identifiers are found as plain substrings, each in some line, never across
// the end of one line and the start of the next.
TEST(FunctionCheck, EveryIdentifierInSomeLineAsPlainText) {
  const std::vector<std::string> lines = {"VENTA = PRECIO * CANT", "  + PRECIOX2"};
  EXPECT_TRUE(FunctionPassesCheck(Element("VENTA", {"PRECIO", "CANT", "X2", "RECI"}), lines));
  EXPECT_TRUE(FunctionPassesCheck(Element("VENTA", {"PRECIO", "PRECIO", ""}), lines));
  EXPECT_FALSE(FunctionPassesCheck(Element("VENTA", {"PRECIO", "COSTE"}), lines));
  EXPECT_FALSE(FunctionPassesCheck(Element("VENTAS", {"PRECIO"}), lines));
  EXPECT_FALSE(FunctionPassesCheck(Element("VENTA", {"CANT+"}), lines));
  EXPECT_FALSE(FunctionPassesCheck(Element("VENTA", {"CANT  +"}), lines));
  EXPECT_FALSE(FunctionPassesCheck(Element("venta", {}), lines));
  EXPECT_FALSE(FunctionPassesCheck(Element("VENTA", {""}), {}));
}

// An uncertain function needs the estimate's "H=" or "H =" in any case, and
// not its own identifier; its inputs are still required.
TEST(FunctionCheck, UncertainFunctionNeedsTheEstimateNotItsIdentifier) {
  EXPECT_TRUE(FunctionPassesCheck(Element("Y", {"X1"}, true), {"h = 2 * X1"}));
  EXPECT_TRUE(FunctionPassesCheck(Element("Y", {"X1"}, true), {"X1", "H=3"}));
  EXPECT_FALSE(FunctionPassesCheck(Element("Y", {"X1"}, true), {"Y = 2 * X1"}));
  EXPECT_FALSE(FunctionPassesCheck(Element("Y", {"X1"}, true), {"H = 2 * X2"}));
  EXPECT_FALSE(FunctionPassesCheck(Element("Y", {}, true), {"H  = 2"}));
}

// Random identifiers and lines over a small alphabet, so that identifiers
// nest, overlap and repeat: the check agrees with the plain search.
TEST(FunctionCheck, AgreesWithThePlainSearch) {
  std::mt19937 random(2026);
  auto text = [&](size_t length) {
    std::string s(length, ' ');
    for (char& c : s) c = static_cast<char>('a' + random() % 3);
    return s;
  };
  int passed = 0;
  int passedWithMany = 0;
  for (int round = 0; round < 2000; ++round) {
    ElementSpec element = Element(text(1 + random() % 3), {});
    // Few inputs, or many: an element of many inputs is checked otherwise.
    const size_t inputs = random() % 2 == 0 ? random() % 6 : 9 + random() % 12;
    for (size_t k = inputs; k > 0; --k) element.Arguments.push_back(text(1 + random() % (inputs > 8 ? 3 : 4)));
    std::vector<std::string> lines(random() % 4);
    for (std::string& line : lines) line = text(random() % (inputs > 8 ? 40 : 12));
    const bool expected = PlainCheck(element, lines);
    passed += expected;
    passedWithMany += expected && element.Arguments.size() > 8;
    EXPECT_EQ(FunctionPassesCheck(element, lines), expected) << "round " << round;
  }
  EXPECT_GT(passed, 100);  // both outcomes well represented
  EXPECT_LT(passed, 1900);
  EXPECT_GT(passedWithMany, 50);
}

}  // namespace
}  // namespace korva

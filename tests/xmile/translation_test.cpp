// The importer's pieces, equation in and text out: the parser's reading of
// precedence and names, the identifiers it gives, and the statements an
// equation becomes.
#include <gtest/gtest.h>

#include <set>

#include "text/cp1252.h"
#include "xmile/expression.h"
#include "xmile/identifiers.h"
#include "xmile/start_values.h"
#include "xmile/vb_translation.h"

namespace korva::xmile {
namespace {

std::string Read(const std::string& equation) {
  ParseResult parsed = ParseEquation(equation);
  if (!parsed.expr) return "error: " + parsed.error;
  return ToXmileText(*parsed.expr, [](const std::string& name) { return "<" + name + ">"; });
}

TEST(XmileExpression, ReadsPrecedenceNamesAndComments) {
  EXPECT_EQ(Read("a + b * c ^ 2 ^ 3"), "(<a> + (<b> * ((<c> ^ 2) ^ 3)))");
  EXPECT_EQ(Read("-2 ^ 2"), "-((2 ^ 2))");
  EXPECT_EQ(Read("a - b - c"), "((<a> - <b>) - <c>)");
  EXPECT_EQ(Read("x < 1 AND NOT y = 2 OR z"), "(((<x> < 1) AND NOT ((<y> = 2))) OR <z>)");
  EXPECT_EQ(Read("IF a THEN IF b THEN 1 ELSE 2 ELSE 3"), "(IF <a> THEN (IF <b> THEN 1 ELSE 2) ELSE 3)");
  EXPECT_EQ(Read("\"Teacup  Temperature\" - Room_temperature {a comment} / 1.5e2"),
            "(<teacup temperature> - (<room temperature> / 150))");
  EXPECT_EQ(Read("Arc_Tan(x) + MOD(a, b) + a MOD b"), "((ARC TAN(<x>) + MOD(<a>, <b>)) + (<a> MOD <b>))");
  EXPECT_EQ(Read("a[dim, 2]"), "<a>[<dim>, 2]");
  EXPECT_EQ(Read(".5 <> 0.5"), "(0.5 <> 0.5)");
}

TEST(XmileExpression, SaysWhatIsWrong) {
  EXPECT_EQ(Read("1 +"), "error: ecuación incompleta");
  EXPECT_EQ(Read("(1"), "error: falta ')' en la posición 3");
  EXPECT_EQ(Read("IF a THEN b"), "error: falta ELSE en la posición 12");
  EXPECT_EQ(Read("a b"), "error: sobra texto desde la posición 3");
  EXPECT_EQ(Read("\"open"), "error: comillas sin cerrar");
  EXPECT_EQ(Read("a # b"), "error: carácter inesperado '#'");
  EXPECT_EQ(Read(std::string(1001, '(') + "1" + std::string(1001, ')')), "error: la ecuación anida más de 1000 operaciones");
}

TEST(XmileExpression, NamesAreCanonical) {
  EXPECT_EQ(CanonicalName("\"Heat_Loss  to\\nRoom \""), "heat loss to room");
  EXPECT_EQ(CanonicalName("  TIME "), "time");
  const ParseResult parsed = ParseEquation("a * B + \"a\" - c(d)");
  ASSERT_TRUE(parsed.expr);
  EXPECT_EQ(NamesUsed(*parsed.expr), (std::vector<std::string>{"a", "b", "d"}));
}

TEST(XmileIdentifiers, OneLengthTheShortestThatKeepsThemApart) {
  Identifiers ids = MakeIdentifiers({"Teacup Temperature", "Room Temperature", "Heat Loss"});
  EXPECT_EQ(ids.length, 3);
  EXPECT_EQ(ids.ids, (std::vector<std::string>{"TEA", "ROO", "HEA"}));
  ids = MakeIdentifiers({"Stock A", "Stock B", "Flow A"});
  EXPECT_EQ(ids.length, 6);
  EXPECT_EQ(ids.ids, (std::vector<std::string>{"STOCKA", "STOCKB", "FLOWA0"}));
}

TEST(XmileIdentifiers, TypedSinglePrecisionAndClearOfTheProgramsWords) {
  // I to N would be whole numbers, U to W texts; a digit cannot start one.
  Identifiers ids = MakeIdentifiers({"inflow", "units", "1st", "Zeta"});
  EXPECT_EQ(ids.ids, (std::vector<std::string>{"XIN", "XUN", "X1S", "ZET"}));
  // Words of the programs and parts of the words the equations use.
  ids = MakeIdentifiers({"then", "else", "abs", "rini", "dt0a", "Sqrt"});
  for (const std::string& id : ids.ids) {
    for (const char* word : {"THEN", "ELSE", "ABS", "RINI", "DT0", "SQR"}) EXPECT_EQ(std::string(word).find(id), std::string::npos) << id;
  }
  // Names sharing their letters: numbered after their first letters.
  std::vector<std::string> many;
  for (int i = 0; i < 3000; ++i) many.push_back("population of region " + std::to_string(i));
  ids = MakeIdentifiers(many);
  std::set<std::string> distinct(ids.ids.begin(), ids.ids.end());
  EXPECT_EQ(distinct.size(), many.size());
  for (const std::string& id : ids.ids) EXPECT_EQ(static_cast<int>(id.size()), ids.length);
  EXPECT_EQ(ids.ids[0].substr(0, 3), "POP");
}

std::vector<std::string> Lines(const std::string& equation, const GraphicalFunction* gf = nullptr) {
  TranslationNames names;
  names.variable = [](const std::string& name) { return UpperCase(name); };
  names.graphical = [gf](const std::string& name) { return name == "g" ? gf : nullptr; };
  names.startTime = "STA";
  names.stopTime = 10;
  Translation translation(names);
  return translation.Assign("OUT", *ParseEquation(equation).expr);
}

TEST(XmileTranslation, EquationsBecomeStatements) {
  EXPECT_EQ(Lines("aaa * (bbb - 2) / -ccc"), (std::vector<std::string>{"  OUT = ((AAA * (BBB - 2)) / (-CCC))"}));
  EXPECT_EQ(Lines("TIME + DT + STOPTIME + STARTTIME"),
            (std::vector<std::string>{"  OUT = ((((STA + (npaso - 1) * dt) + dt) + 10) + STA)"}));
  // A condition as a number is 1 or 0; a number as a condition is true when not 0.
  EXPECT_EQ(Lines("(aaa > 1) + NOT bbb"), (std::vector<std::string>{"  OUT = (Abs((AAA > 1)) + Abs((Not (BBB <> 0))))"}));
  // A branch not taken is not computed.
  EXPECT_EQ(Lines("IF aaa = 0 THEN 0 ELSE 1 / aaa"),
            (std::vector<std::string>{"  If (AAA = 0) Then", "   q_1 = 0", "  Else", "   q_1 = (1 / AAA)", "  End If",
                                      "  OUT = q_1"}));
  EXPECT_EQ(Lines("MIN(aaa, 2) * MOD(bbb, 3)"),
            (std::vector<std::string>{"  q_1 = AAA", "  q_2 = 2", "  If q_2 < q_1 Then q_1 = q_2", "  q_3 = BBB",
                                      "  q_4 = 3", "  OUT = (q_1 * (q_3 - q_4 * Int(q_3 / q_4)))"}));
  EXPECT_EQ(Lines("LN(aaa) + LOG10(bbb)"), (std::vector<std::string>{"  OUT = (Log(AAA) + (Log(BBB) / 2.30258509299405))"}));
}

TEST(XmileTranslation, GraphicalFunctionsInterpolateHoldOrStep) {
  GraphicalFunction gf;
  gf.xs = {0, 2, 4};
  gf.ys = {1, 5, 3};
  EXPECT_EQ(Lines("g(aaa)", &gf),
            (std::vector<std::string>{"  q_1 = AAA", "  If q_1 <= 0 Then", "   q_2 = 1", "  ElseIf q_1 <= 2 Then",
                                      "   q_2 = (1 + (q_1 - 0) * 2)", "  ElseIf q_1 <= 4 Then",
                                      "   q_2 = (5 + (q_1 - 2) * (-1))", "  Else", "   q_2 = 3", "  End If",
                                      "  OUT = q_2"}));
  EXPECT_DOUBLE_EQ(GraphicalValue(gf, -1), 1);
  EXPECT_DOUBLE_EQ(GraphicalValue(gf, 1), 3);
  EXPECT_DOUBLE_EQ(GraphicalValue(gf, 3), 4);
  EXPECT_DOUBLE_EQ(GraphicalValue(gf, 9), 3);
  gf.type = GraphicalFunction::Type::kExtrapolate;
  EXPECT_DOUBLE_EQ(GraphicalValue(gf, -1), -1);
  EXPECT_DOUBLE_EQ(GraphicalValue(gf, 6), 1);
  gf.type = GraphicalFunction::Type::kDiscrete;
  EXPECT_DOUBLE_EQ(GraphicalValue(gf, -1), 1);
  EXPECT_DOUBLE_EQ(GraphicalValue(gf, 2), 5);
  EXPECT_DOUBLE_EQ(GraphicalValue(gf, 3.9), 5);
  EXPECT_DOUBLE_EQ(GraphicalValue(gf, 4), 3);
  EXPECT_EQ(Lines("g(aaa)", &gf)[1], "  If q_1 < 2 Then");
}

}  // namespace
}  // namespace korva::xmile

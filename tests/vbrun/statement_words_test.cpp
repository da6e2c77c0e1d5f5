// The words statements start with: reserved words name nothing else, each
// statement word reaches its own statement, and the words of the language the
// runner leaves out are refused by name.
#include <gtest/gtest.h>

#include "vbrun/parser.h"
#include "vbrun/vb_program.h"

namespace korva {
namespace {

using testing::MainWith;
using testing::RunVb;
using testing::TempDir;

// The syntax error of a Sub Main holding `body` ("" when it parses), or of the
// whole module text when `whole`.
std::string SyntaxError(const std::string& body, bool whole = false) {
  auto parsed = vbrun::ParseModule("M.bas", whole ? body : MainWith(body));
  const auto* error = std::get_if<vbrun::SyntaxError>(&parsed);
  return error == nullptr ? "" : std::to_string(error->line) + ":" + std::to_string(error->column) + ": " +
                                     error->message;
}

TEST(VbStatementWords, ReservedWordsNameNothingInAnyCase) {
  EXPECT_EQ(SyntaxError("Dim LOOP"), "2:5: se esperaba un nombre de variable y hay \"LOOP\"");
  EXPECT_EQ(SyntaxError("GoTo next"), "2:6: se esperaba una etiqueta y hay \"next\"");
  EXPECT_EQ(SyntaxError("x = Wend + 1"), "2:5: se esperaba una expresión y hay \"Wend\"");
  EXPECT_EQ(SyntaxError("For Step = 1 To 2: Next"), "2:5: se esperaba una variable y hay \"Step\"");
  EXPECT_EQ(SyntaxError("Sub Then()\r\nEnd Sub\r\n", true),
            "1:5: se esperaba el nombre del procedimiento y hay \"Then\"");
  // A label is a name too: "Loop:" at the start of a line is the Loop statement.
  EXPECT_EQ(SyntaxError("Do\r\nloop: x = 1"), "");
  // Words of the statements that are not reserved stay free for names.
  EXPECT_EQ(SyntaxError("Name = 3: tab = 2: Debug.Print Name; tab"), "");
  EXPECT_EQ(SyntaxError("Name \"a.txt\" As \"b.txt\""), "");
}

TEST(VbStatementWords, WordsThatStartNoStatementOrAreLeftOut) {
  EXPECT_EQ(SyntaxError("Case 1"), "2:1: \"Case\" no puede empezar una instrucción aquí");
  EXPECT_EQ(SyntaxError("x = 1: To = 2"), "2:8: \"To\" no puede empezar una instrucción aquí");
  EXPECT_EQ(SyntaxError("With x"), "2:1: \"With\" no es admitido por el ejecutor");
  EXPECT_EQ(SyntaxError("x = 1: Const a = 1"), "2:8: \"Const\" no es admitido por el ejecutor");
  EXPECT_EQ(SyntaxError("End Select"), "2:5: \"End Select\" no es admitido por el ejecutor");
  EXPECT_EQ(SyntaxError("On x GoTo 10, 20"), "2:4: \"On ... GoTo\" calculado no es admitido por el ejecutor");
  EXPECT_EQ(SyntaxError("Exit Function"), "2:6: se esperaba Sub, For o Do y hay \"Function\"");
  EXPECT_EQ(SyntaxError("Line x"), "2:6: se esperaba \"input\" y hay \"x\"");
}

TEST(VbStatementWords, TheStatementsOfBlockIfsAreRefusedInASingleLineIf) {
  // In either part of a single-line If, wherever it stands.
  EXPECT_EQ(SyntaxError("If x Then ElseIf z Then y = 1"), "2:11: ElseIf en un If de una línea");
  EXPECT_EQ(SyntaxError("If a Then\r\n If x Then y = 1 Else ElseIf a = 1 Then\r\n End If"),
            "3:23: ElseIf en un If de una línea");
  EXPECT_EQ(SyntaxError("If x Then y = 1 Else Else"), "2:22: Else repetido en un If de una línea");
  EXPECT_EQ(SyntaxError("If x Then y = 1: End If"), "2:18: End If en un If de una línea");
  EXPECT_EQ(SyntaxError("If x Then y = 1 Else EndIf"), "2:22: End If en un If de una línea");
  EXPECT_EQ(SyntaxError("If x Then If y Then\r\n z = 1\r\n End If"), "2:11: If de bloque en un If de una línea");
  // Single-line Ifs nest, and a block Else may hold a statement on its line.
  EXPECT_EQ(SyntaxError("If x Then If y Then z = 1 Else z = 2"), "");
  EXPECT_EQ(SyntaxError("If x Then\r\n z = 1\r\n Else If y Then z = 2\r\n End If"), "");
}

TEST(VbStatementWords, ResumeNextGoesOnAfterTheFailingStatementOnly) {
  TempDir dir;
  // Resume Next continues after the statement that failed, within its line;
  // Resume retries it (here after the cause is mended).
  auto out = RunVb(dir, MainWith("On Error GoTo 90\r\n d = 0: x = 1 / d: Debug.Print \"after\"; x\r\n"
                                 " Debug.Print \"next line\"\r\n Exit Sub\r\n"
                                 "90 Debug.Print \"handler\"; Err.Number: d = 4: If d = 4 Then Resume Next"));
  EXPECT_EQ(out.debug, "handler 11 \nafter\nnext line\n") << out.messages;
  auto retry = RunVb(dir, MainWith("On Error GoTo 90\r\n d = 0: x = 1 / d: Debug.Print x\r\n Exit Sub\r\n"
                                   "90 d = 4: Resume"));
  EXPECT_EQ(retry.debug, " .25 \n") << retry.messages;
  // Outside a handler there is no error to resume after.
  auto stray = RunVb(dir, MainWith("Resume Next"));
  EXPECT_NE(stray.messages.find("error 20"), std::string::npos) << stray.messages;
}

}  // namespace
}  // namespace korva

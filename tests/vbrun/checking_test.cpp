// What is refused before anything runs: syntax errors name the module, the
// line and what was expected; the checks of the compiler name what is wrong.
#include <gtest/gtest.h>

#include "vbrun/checker.h"
#include "vbrun/parser.h"
#include "vbrun/vb_program.h"

namespace korva {
namespace {

using testing::MainWith;
using testing::RunVb;
using testing::TempDir;

std::string SyntaxMessage(const std::string& text) {
  auto parsed = vbrun::ParseModule("M.bas", text);
  auto* error = std::get_if<vbrun::SyntaxError>(&parsed);
  if (error == nullptr) return "(no error)";
  return error->module + ":" + std::to_string(error->line) + ": " + error->message;
}

std::string CompileMessage(const std::string& text) {
  auto parsed = vbrun::ParseModule("M.bas", text);
  if (auto* error = std::get_if<vbrun::SyntaxError>(&parsed)) return "syntax: " + error->message;
  std::vector<vbrun::Module> modules;
  modules.push_back(std::move(std::get<vbrun::Module>(parsed)));
  auto checked = vbrun::CheckProgram(std::move(modules));
  auto* error = std::get_if<vbrun::CompileError>(&checked);
  if (error == nullptr) return "(no error)";
  return error->module + ":" + std::to_string(error->line) + ": " + error->message;
}

TEST(VbChecking, SyntaxErrorsSayWhatWasExpected) {
  EXPECT_EQ(SyntaxMessage("Sub Main()\r\n If a = 1 x = 2\r\nEnd Sub\r\n"), "M.bas:2: se esperaba \"then\" y hay \"x\"");
  EXPECT_EQ(SyntaxMessage("Sub Main()\r\n a = (1 + \r\nEnd Sub\r\n"),
            "M.bas:2: se esperaba una expresión y hay el final de la línea");
  EXPECT_EQ(SyntaxMessage("Sub Main()\r\n a = \"abc\r\nEnd Sub\r\n"), "M.bas:2: texto sin comillas de cierre");
  EXPECT_EQ(SyntaxMessage("Sub Main()\r\n a = 1\r\n"), "M.bas:1: falta \"End Sub\" del procedimiento Main");
  // A Print with no object does not compile in a module.
  EXPECT_NE(SyntaxMessage("Sub Main()\r\n print \"x\"\r\nEnd Sub\r\n").find("Print sin objeto"), std::string::npos);
  // Constructs outside the dialect are refused, never skipped.
  EXPECT_EQ(SyntaxMessage("Sub Main()\r\n Select Case a\r\nEnd Sub\r\n"),
            "M.bas:2: \"Select\" no es admitido por el ejecutor");
  EXPECT_EQ(SyntaxMessage("Sub Main()\r\n Open \"f\" For Binary As #1\r\nEnd Sub\r\n"),
            "M.bas:2: El modo Binary no es admitido por el ejecutor");
}

TEST(VbChecking, TheCompilersChecks) {
  EXPECT_EQ(CompileMessage("Sub Main()\r\n : : ALGGEN : x = 1\r\nEnd Sub\r\n"),
            "M.bas:2: Sub o Function no definida: ALGGEN");
  EXPECT_EQ(CompileMessage("Sub Main()\r\n x = POB(1)\r\nEnd Sub\r\n"), "M.bas:2: Sub o Function no definida: POB");
  EXPECT_EQ(CompileMessage("Sub Main()\r\n GoTo 20\r\nEnd Sub\r\nSub B()\r\n20 x = 1\r\nEnd Sub\r\n"),
            "M.bas:2: etiqueta no definida: 20");
  EXPECT_EQ(CompileMessage("Sub Main()\r\n10 x = 1\r\n10 x = 2\r\nEnd Sub\r\n"), "M.bas:3: etiqueta duplicada: 10");
  EXPECT_EQ(CompileMessage("Sub Main()\r\n For i = 1 To 2\r\nEnd Sub\r\n"), "M.bas:2: For sin Next");
  EXPECT_EQ(CompileMessage("Sub Main()\r\n For i = 1 To 2: If i Then\r\n Next\r\n End If\r\nEnd Sub\r\n"),
            "M.bas:3: Next sin For (hay un If de bloque abierto en la línea 2 sin cerrar)");
  EXPECT_EQ(CompileMessage("Sub Main()\r\n For i = 1 To 2: Next j\r\nEnd Sub\r\n"),
            "M.bas:2: Next j no cierra el For de i");
  EXPECT_EQ(CompileMessage("Dim a, a\r\nSub Main()\r\nEnd Sub\r\n"), "M.bas:1: declaración duplicada de a");
  EXPECT_EQ(CompileMessage("Dim POB As Single\r\nSub Main()\r\n ReDim POB(3)\r\nEnd Sub\r\n"),
            "M.bas:3: ReDim de POB, que no es una matriz");
  EXPECT_EQ(CompileMessage("Sub Other()\r\nEnd Sub\r\n"), "M.bas:0: no hay ningún procedimiento Sub Main");
  // Labels are unique within a procedure only; the same number in two is no error.
  EXPECT_EQ(CompileMessage("Sub Main()\r\n210 :B\r\nEnd Sub\r\nSub B()\r\n210 x = 1\r\nEnd Sub\r\n"), "(no error)");
}

TEST(VbChecking, DeclarationsFollowTheLetterRulesAndAsClauses) {
  // Only the last name of "Dim a, b As Integer" takes the clause: a is Single by its letter.
  TempDir dir;
  auto out = RunVb(dir, MainWith("a = 2.5: b = 2.5: c$ = 7: Debug.Print a; b; c$ + \"!\"",
                                 "defsng a-h\r\n Dim a, b As Integer\r\n"));
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(out.debug, " 2.5  2 7!\n");
  // Names outside every letter rule ("ñ" names) are Variants and keep texts as texts.
  auto variant = RunVb(dir, MainWith("ñX = \"010\": Debug.Print ñX; ñX + 1", "deflng i-n\r\n"));
  EXPECT_EQ(variant.debug, "010 11 \n");
}

TEST(VbChecking, LongAndDeepExpressions) {
  // A sum of forty thousand terms is a tree that deep: it is read, checked and run.
  std::string sum = "1&";
  for (int i = 1; i < 40000; ++i) sum += "+1&";
  TempDir dir;
  auto out = RunVb(dir, MainWith("Debug.Print " + sum));
  EXPECT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(out.debug, " 40000 \n");
  // Nesting beyond reason is refused as too complex, not followed down.
  std::string nested = std::string(5000, '(') + "1" + std::string(5000, ')');
  auto refused = RunVb(dir, MainWith("x = " + nested));
  EXPECT_EQ(refused.status, vbrun::kExitNotStarted);
  EXPECT_NE(refused.messages.find("demasiado compleja"), std::string::npos) << refused.messages;
}

TEST(VbChecking, CommandLine) {
  TempDir dir;
  std::string bin = KORVA_VBRUN_BINARY;
  auto run = [&](const std::string& args) {
    std::string command = "cd '" + dir.path() + "' && '" + bin + "' " + args + " >out.txt 2>err.txt </dev/null";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(run("--help"), 0);
  EXPECT_NE(dir.Read("out.txt").find("Uso: korva-vbrun"), std::string::npos);
  EXPECT_EQ(run("--bogus"), vbrun::kExitNotStarted);
  EXPECT_NE(dir.Read("err.txt").find("desconocida"), std::string::npos);
  EXPECT_EQ(run(""), vbrun::kExitNotStarted);
  EXPECT_EQ(run("falta.bas"), vbrun::kExitNotStarted);
  dir.Write("m.bas", "Sub Main()\r\n Debug.Print Rnd: x = 1 / 0\r\nEnd Sub\r\n");
  EXPECT_EQ(run("--seed 5 M.BAS"), vbrun::kExitRunFailed) << "module names are found without regard to case";
  EXPECT_NE(dir.Read("err.txt").find("error 11"), std::string::npos) << dir.Read("err.txt");
}

}  // namespace
}  // namespace korva

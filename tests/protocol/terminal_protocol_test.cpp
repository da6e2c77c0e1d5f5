// Drives the korva binary through a shell pipe, as other programs do.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::TempDir;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs korva with `input` (UTF-8 bytes) on its standard input.
Outcome RunKorva(const TempDir& dir, const std::string& input) {
  dir.Write("stdin.bin", input);
  std::string command = std::string("'") + KORVA_BINARY + "' < '" + (dir / "stdin.bin") + "' > '" +
                        (dir / "stdout.bin") + "' 2> '" + (dir / "stderr.bin") + "'";
  int raw = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = dir.Read("stdout.bin");
  outcome.err = dir.Read("stderr.bin");
  return outcome;
}

TEST(TerminalProtocol, BoxesAndPromptsAsOtherProgramsExpectThem) {
  TempDir dir;
  std::filesystem::create_directory(dir / "w");
  Outcome run = RunKorva(dir, dir.dir() + "/w\n1\r\nt\n");
  EXPECT_EQ(run.status, 0);
  const std::string expected =
      "    Generador de Sistemas Expertos KORVA     \n"
      "       Versi\xC3\xB3n 01-10-2021 (Experimental)       \n"
      "\n\n"
      "\nSaludos. Mi nombre es KORVA,\n y le puedo ayudar a construir un sistema experto.\n\n"
      "\xC2\xBF"
      "En que directorio desea trabajar?\n\n> "
      "\nPor favor, conteste siempre S o N a las preguntas\n"
      "\xC2\xBF"
      "En qu\xC3\xA9 fichero Modelo* tiene grabadas, o quiere grabar, las respuestas a mis preguntas? "
      "(* = n\xC3\xBAmero entero < 10)\n\n> "
      "\xC2\xBF"
      "Desea\n   (c) crear un modelo nuevo,\n";
  EXPECT_EQ(run.out.substr(0, expected.size()), expected);
  const std::string tail = "   (t) terminar ?\n\n> ";
  ASSERT_GE(run.out.size(), tail.size());
  EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail) << "the \"t\" ends the run at the menu";
  EXPECT_TRUE(dir.Has("w/MODELO1.txt"));
  EXPECT_EQ(run.err, "");
}

TEST(TerminalProtocol, EndOfInputEndsWithFailureAndSaysSo) {
  TempDir dir;
  Outcome run = RunKorva(dir, dir.dir() + "\n2\nc\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err, "");
  EXPECT_EQ(dir.Read("MODELO2.txt"), "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n");
}

TEST(TerminalProtocol, TypedUtf8IsStoredInWindows1252) {
  TempDir dir;
  Outcome run = RunKorva(dir, dir.dir() + "\n2\nc\na\xC3\xB1o\nPoblaci\xC3\xB3n\nn\nn\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Ll\xC3\xA1mele LA\xC3\x91O.txt"), std::string::npos) << "upper-cased, shown in UTF-8";
  EXPECT_EQ(dir.Read("MODELO2.txt"),
            "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n"
            "\"Nombre del simulador\",\"a\xF1o\"\r\n"
            "\"Servir\xE1 para\",\"Poblaci\xF3n\"\r\n");
  EXPECT_NE(run.out.find("\xC2\xA1Hasta la pr\xC3\xB3xima!\n\n"), std::string::npos);
}

TEST(TerminalProtocol, ReportedErrorEndsWithFailure) {
  TempDir dir;
  Outcome run = RunKorva(dir, dir.dir() + "/falta\n1\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("Error:  76\n\n"), std::string::npos);
}

}  // namespace
}  // namespace korva

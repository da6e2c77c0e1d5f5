// "?" and "ayuda" at the questions of an interactive front-end: the question's
// help is shown and the question asked again; nothing of it reaches the
// answers log or changes what a replay does. From a pipe "?" is an answer.
#include <gtest/gtest.h>

#include <string>

#include "support/example_replay.h"
#include "support/examples.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"
#include "support/tmux_session.h"
#include "text/cp1252.h"

namespace korva {
namespace {

using testing::Examples;
using testing::Replay;
using testing::ReplayExample;

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

TerminalDialogue::Options HelpOnRequest() {
  TerminalDialogue::Options options;
  options.helpOnRequest = true;
  return options;
}

// Every example of every path (create, blocks, analogy, assemble), its every
// typed answer preceded by a request for help, alternately "?" and "ayuda":
// each question shows a help of its own before it is asked again, and the
// run writes exactly what the plain run writes, answers logs included.
TEST(HelpRequest, EveryQuestionOfEveryExampleExplainsItselfAndChangesNothing) {
  for (const auto& example : Examples()) {
    SCOPED_TRACE(example.filename().string());
    const Replay plain = ReplayExample(example);
    int requests = 0;
    const Replay helped = ReplayExample(example, HelpOnRequest(), [&requests](const std::string& answer) {
      return std::string(++requests % 2 == 0 ? "ayuda" : " ? ") + "\n" + answer;
    });
    EXPECT_EQ(helped.status, plain.status);
    EXPECT_TRUE(helped.after == plain.after) << "the files written, the answers log among them, are the same";
    const size_t asked = Count(plain.terminal, "\n> ");
    EXPECT_EQ(Count(helped.terminal, "\n> "), 2 * asked) << "every question asked again after its help";
    const std::string shown = Utf8ToCp1252(helped.terminal);
    EXPECT_EQ(shown.find("Esta pregunta no tiene texto de ayuda."), std::string::npos);
    EXPECT_EQ(Count(shown, "Véase README"), asked) << "one help text for every question";
  }
}

TEST(HelpRequest, TheHelpOfAQuestionIsItsOwn) {
  const Replay helped = ReplayExample(std::filesystem::path(KORVA_SOURCE_DIR) / "examples" / "analogia",
                                      HelpOnRequest(), [](const std::string& answer) { return "?\n" + answer; });
  // The working directory, the log number, the prepared log's number: each with its text.
  const std::string shown = Utf8ToCp1252(helped.terminal);
  const size_t directory = shown.find("Pregunta la carpeta donde korva lee y escribe");
  const size_t logNumber = shown.find("Pregunta el número del fichero de respuestas MODELO<n>.txt");
  const size_t prepared = shown.find("Pide el número del fichero de respuestas que se prepara.");
  ASSERT_NE(directory, std::string::npos) << shown;
  ASSERT_NE(logNumber, std::string::npos);
  ASSERT_NE(prepared, std::string::npos);
  EXPECT_LT(directory, logNumber);
  EXPECT_LT(logNumber, prepared);
}

// From a pipe the front-end offers no help: "?" is an answer like any other,
// recorded as typed.
TEST(HelpRequest, FromAPipeAQuestionMarkIsAnAnswer) {
  testing::TempDir dir;
  const std::string command = std::string("printf 'c\\nPOB\\n?\\nn\\nn\\n' | '") + KORVA_BINARY + "' -d '" +
                              dir.dir() + "' -r 1 > '" + dir.dir() + "/screen.txt' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(testing::LinesOf(dir.Read("MODELO1.txt")).back(), "\"Servirá para\",\"?\"");
  EXPECT_EQ(Utf8ToCp1252(dir.Read("screen.txt")).find("Véase README"), std::string::npos);
}

// The screen waits for an answer: its last line with text is a prompt.
bool Waiting(const std::string& screen) {
  const size_t end = screen.find_last_not_of(" \n");
  if (end == std::string::npos) return false;
  const size_t newline = screen.rfind('\n', end);
  const size_t start = newline == std::string::npos ? 0 : newline + 1;
  const std::string last = screen.substr(start, end - start + 1);
  return last.starts_with(">") || last.starts_with("[Intro]");
}

// On a real terminal: the help in a box of its own, the question again, and
// the answers log holding only the answers.
TEST(HelpRequest, OnATerminalTheHelpHasItsOwnBox) {
  if (!testing::TmuxAvailable()) GTEST_SKIP() << "tmux is not installed";
  testing::TempDir dir;
  testing::TmuxSession terminal(std::string("'") + KORVA_BINARY + "' -d '" + dir.dir() + "' -r 1", 100, 60);
  const std::string rule = "\xE2\x94\x80\xE2\x94\x80 ";
  size_t boxes = 0;
  // Answers the messages with Enter up to the next question; the screen then.
  auto nextQuestion = [&]() {
    for (;;) {
      std::string screen;
      EXPECT_TRUE(terminal.WaitFor([&](const std::string& s) {
        screen = s;
        return Count(s, rule) > boxes && Waiting(s);
      })) << screen;
      boxes = Count(screen, rule);
      if (screen.compare(screen.rfind(rule), rule.size() + 7, rule + "Mensaje") != 0) return Utf8ToCp1252(screen);
      terminal.Keys("Enter");
    }
  };
  auto answer = [&](const std::string& text) {
    terminal.Type(text);
    terminal.Keys("Enter");
  };
  EXPECT_NE(nextQuestion().find("(c) crear un modelo nuevo"), std::string::npos);
  answer("ayuda");
  std::string screen = nextQuestion();
  EXPECT_NE(screen.find("Pregunta qué quiere hacer en este ciclo."), std::string::npos) << screen;
  EXPECT_EQ(Count(screen, "(c) crear un modelo nuevo"), 2u) << "the same question again";
  answer("c");
  EXPECT_NE(nextQuestion().find("¿Como quiere llamar a su modelo?"), std::string::npos);
  answer("?");
  screen = nextQuestion();
  EXPECT_NE(screen.find("Respuestas: una sola palabra"), std::string::npos) << screen;
  EXPECT_EQ(Count(screen, "¿Como quiere llamar a su modelo?"), 2u);
  EXPECT_EQ(Count(terminal.Screen(), rule + "Ayuda "), 2u) << terminal.Screen();
  answer("POB");
  EXPECT_NE(nextQuestion().find("¿Su modelo servirá para ...?"), std::string::npos);
  EXPECT_EQ(testing::LinesOf(dir.Read("MODELO1.txt")),
            (std::vector<std::string>{"\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"",
                                      "\"Nombre del simulador\",\"POB\""}));
}

}  // namespace
}  // namespace korva

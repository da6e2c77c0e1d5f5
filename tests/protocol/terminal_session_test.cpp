// korva on a real terminal (tmux): dressed boxes, answers edited with the
// cursor keys and recalled from the run's history, and the progress line of a
// long step on a 30,000-element model.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/file_lines.h"
#include "support/temp_dir.h"
#include "support/tmux_session.h"
#include "text/cp1252.h"

namespace korva {
namespace {

using testing::LinesOf;
using testing::TempDir;
using testing::TmuxSession;

// The rules that open the boxes, as the terminal shows them (UTF-8).
const std::string kRule = "\xE2\x94\x80\xE2\x94\x80 ";
const std::string kMessageRule = kRule + "Mensaje ";
const std::string kQuestionRule = kRule + "Pregunta ";

struct Answer {
  std::string question;           // part of the question's text (Windows-1252)
  std::vector<std::string> keys;  // typed text, or a key name after "key:"
};

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

// The screen waits for an answer: its last line with text is a prompt.
bool Waiting(const std::string& screen) {
  size_t end = screen.find_last_not_of(" \n");
  if (end == std::string::npos) return false;
  size_t start = screen.rfind('\n', end);
  std::string last =
      screen.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
  return last.starts_with(">") || last.starts_with("[Intro]");
}

// Answers the boxes one by one: Enter for a message, the next answer for a
// question (whose text must hold the answer's question), until the program ends.
void Converse(TmuxSession& terminal, const std::vector<Answer>& answers) {
  size_t boxes = 0;
  size_t next = 0;
  for (;;) {
    std::string screen;
    ASSERT_TRUE(terminal.WaitFor([&](const std::string& s) {
      screen = s;
      return s.find("<<fin>>") != std::string::npos || (Count(s, kRule) > boxes && Waiting(s));
    })) << "no box after box "
        << boxes << ":\n"
        << screen;
    if (screen.find("<<fin>>") != std::string::npos) break;
    boxes = Count(screen, kRule);
    size_t rule = screen.rfind(kRule);
    if (screen.compare(rule, kMessageRule.size(), kMessageRule) == 0) {
      terminal.Keys("Enter");
      continue;
    }
    ASSERT_LT(next, answers.size()) << "a question no answer was meant for:\n" << screen;
    const Answer& answer = answers[next++];
    std::string box = Utf8ToCp1252(screen.substr(rule));
    ASSERT_NE(box.find(answer.question), std::string::npos)
        << "expected a question with «" << answer.question << "», the terminal shows:\n"
        << screen;
    for (const std::string& key : answer.keys) {
      if (key.starts_with("key:")) {
        terminal.Keys(key.substr(4));
      } else {
        terminal.Type(key);
      }
    }
  }
  EXPECT_EQ(next, answers.size()) << "the program ended before every answer was given";
}

std::string Korva(const TempDir& dir) { return std::string("'") + KORVA_BINARY + "' -d '" + dir.dir() + "' -r 1"; }

TEST(TerminalSession, AnswersAreEditedWithTheCursorKeysAndRecalledFromTheHistory) {
  if (!testing::TmuxAvailable()) GTEST_SKIP() << "tmux is not installed";
#ifndef KORVA_HAVE_LIBEDIT
  GTEST_SKIP() << "korva is built without libedit: the cursor keys do not edit answers";
#endif
  TempDir dir;
  TmuxSession terminal(Korva(dir), 100, 40);
  Converse(terminal, {
                         {"(c) crear un modelo nuevo", {"c", "key:Enter"}},
                         // "PB", back one character, "O": POB.
                         {"¿Como quiere llamar a su modelo?", {"PB", "key:Left", "O", "key:Enter"}},
                         // The earlier answer recalled and lengthened.
                         {"¿Su modelo servirá para ...?", {"key:Up", " y su crecimiento", "key:Enter"}},
                         {"¿Seguimos?", {"n", "key:Enter"}},
                         {"¿Desea algo más?", {"n", "key:Enter"}},
                     });
  std::vector<std::string> log = LinesOf(dir.Read("MODELO1.txt"));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[1], "\"Nombre del simulador\",\"POB\"");
  EXPECT_EQ(log[2], "\"Servirá para\",\"POB y su crecimiento\"");
  const std::string screen = terminal.Screen();
  EXPECT_NE(screen.find(kMessageRule), std::string::npos);
  EXPECT_NE(screen.find("[Intro]"), std::string::npos) << "a message waits at its own prompt";
  for (const std::string& line : testing::TextLinesOf(screen)) {
    EXPECT_LE(Utf8ToCp1252(line).size(), 80u) << "folded at 80 columns: " << line;
  }
}

TEST(TerminalSession, TheLevellingOfALargeModelShowsItsProgress) {
  if (!testing::TmuxAvailable()) GTEST_SKIP() << "tmux is not installed";
  TempDir dir;
  const int n = 30000;
  std::string list;
  std::string matrix;
  for (int i = 1; i <= n; ++i) {
    std::string id = "E" + std::to_string(100000 + i).substr(1);
    list += id + " elemento " + std::to_string(i) + "\r\n";
    if (i > 1) matrix += id + "    E" + std::to_string(100000 + i - 1).substr(1) + "\r\n";
  }
  dir.Write("LBIG.txt", list);
  dir.Write("CBIG.txt", matrix);
  TmuxSession terminal(Korva(dir), 100, 40);
  Converse(terminal, {
                         {"(c) crear un modelo nuevo", {"c", "key:Enter"}},
                         {"¿Como quiere llamar a su modelo?", {"BIG", "key:Enter"}},
                         {"¿Su modelo servirá para ...?", {"probar", "key:Enter"}},
                         {"¿Seguimos?", {"s", "key:Enter"}},
                         {"lista de elementos? (S/N/T)", {"s", "key:Enter"}},
                         {"no la desea ver (n)", {"n", "key:Enter"}},
                         {"¿Seguimos?", {"s", "key:Enter"}},
                         {"y la matriz de dependencias sin grabar?", {"n", "key:Enter"}},
                         {"matriz de conexiones? (S/N/T)", {"s", "key:Enter"}},
                         {"matriz causal", {"n", "key:Enter"}},
                         {"¿Desea continuar?", {"s", "key:Enter"}},
                         {"orden de cálculo? (S/N/T)", {"n", "key:Enter"}},
                         {"fichero de especificaciones", {"n", "key:Enter"}},
                         {"¿Desea continuar?", {"n", "key:Enter"}},
                         {"¿Desea algo más?", {"n", "key:Enter"}},
                     });
  EXPECT_NE(Utf8ToCp1252(terminal.Screen()).find("korva: orden de cálculo, elementos: 30000 de 30000"),
            std::string::npos)
      << terminal.Screen();
}

}  // namespace
}  // namespace korva

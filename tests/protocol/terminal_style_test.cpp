// How the terminal dresses boxes and shows progress, without a terminal.
#include "dialogue/terminal_style.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "dialogue/progress_line.h"

namespace korva {
namespace {

using Lines = std::vector<std::string>;

TEST(TerminalStyle, TextsAreFoldedAtBlanksAndHardWhereAWordIsTooLong) {
  EXPECT_EQ(FoldText("uno dos tres cuatro", 10), (Lines{"uno dos", "tres", "cuatro"}));
  EXPECT_EQ(FoldText("a\n\nbb", 10), (Lines{"a", "", "bb"})) << "empty pieces stay";
  EXPECT_EQ(FoldText("abcdefghijklmnopqrstuvwxy", 10), (Lines{"abcdefghij", "klmnopqrst", "uvwxy"}));
  EXPECT_EQ(FoldText("  sangrado corto", 80), (Lines{"  sangrado corto"})) << "a line that fits keeps its blanks";
  EXPECT_EQ(BoxRule("Mensaje", 14), "\xE2\x94\x80\xE2\x94\x80 Mensaje \xE2\x94\x80\xE2\x94\x80\xE2\x94\x80");
}

// The progress line over a memory stream, on a clock the test moves.
struct ProgressRun {
  explicit ProgressRun(bool enabled)
      : out(::open_memstream(&bytes, &size)), line(out, enabled, [this] { return now; }) {}
  ~ProgressRun() {
    std::fclose(out);
    std::free(bytes);
  }
  std::string Written() {
    std::fflush(out);
    return std::string(bytes, size);
  }

  char* bytes = nullptr;
  size_t size = 0;
  std::FILE* out;
  std::chrono::steady_clock::time_point now{};
  ProgressLine line;
};

TEST(TerminalStyle, ProgressIsRewrittenInPlaceAtMostTenTimesASecond) {
  ProgressRun run(true);
  run.line.Show("paso: 1", false);
  run.line.Show("paso: 2", false);  // too soon: not shown
  run.now += std::chrono::milliseconds(150);
  run.line.Show("paso: 3", false);
  run.line.Clear();
  run.line.Show("paso: 4 de 4", true);  // the end is always shown, and stays
  EXPECT_EQ(run.Written(), "\rpaso: 1\033[K\rpaso: 3\033[K\r\033[K\rpaso: 4 de 4\033[K\n");
  EXPECT_FALSE(run.line.open());

  ProgressRun off(false);
  off.line.Show("paso: 1", false);
  off.line.Show("paso: 1 de 1", true);
  off.line.Clear();
  EXPECT_EQ(off.Written(), "") << "not a terminal: nothing";
}

}  // namespace
}  // namespace korva

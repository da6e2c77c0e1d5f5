// Every shipped example replays from its answers log to the end of its dialogue:
// the answers outside the log come from its stdin.txt, the log is read to its
// end and nothing is appended to it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/dialogue_run.h"
#include "support/examples.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::DialogueRun;
using testing::Examples;
using testing::TempDir;

std::vector<std::string> Lines(const fs::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(Examples, EachReplaysToTheEndOfItsDialogue) {
  std::vector<fs::path> examples = Examples();
  ASSERT_FALSE(examples.empty());
  for (const fs::path& example : examples) {
    SCOPED_TRACE(example.filename().string());
    TempDir dir;
    fs::copy(example, dir.dir(), fs::copy_options::recursive);
    std::vector<std::string> answers = Lines(example / "stdin.txt");
    answers.insert(answers.begin(), dir.dir());
    DialogueRun run(answers);
    EXPECT_EQ(run.Go(), 0);
    EXPECT_EQ(run.box.remaining(), 0u) << "every answer of stdin.txt is used";
    for (const auto& entry : fs::directory_iterator(example)) {
      std::string name = entry.path().filename().string();
      if (name.rfind("MODELO", 0) != 0) continue;
      std::ifstream original(entry.path(), std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(original)), std::istreambuf_iterator<char>());
      EXPECT_EQ(dir.Read(name), bytes) << name << " is replayed whole, nothing appended";
    }
  }
}

}  // namespace
}  // namespace korva

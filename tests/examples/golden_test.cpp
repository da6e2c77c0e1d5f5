// Every shipped example, replayed through the terminal front-end, must write
// exactly the files and show exactly the text kept under tests/golden/<example>/:
// `files/` holds every file the replay writes or changes, byte for byte, and
// `terminal.txt` what the terminal shows. Files of the example that the replay
// leaves alone must stay as they are, and no other file may appear.
//
// After a deliberate change of what korva writes, KORVA_UPDATE_GOLDEN=1 makes
// this test write the golden files afresh instead of comparing them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <map>

#include "dialogue/terminal_dialogue.h"
#include "dispatch/main_dialogue.h"
#include "files/file_system.h"
#include "support/example_replay.h"
#include "support/examples.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::Examples;
using testing::FilesIn;
using testing::ReadBytes;
using testing::Replay;
using testing::ReplayExample;
using testing::WriteBytes;

// Where two texts first part: the line number (from 1) and both lines.
std::string FirstDifference(const std::string& got, const std::string& want) {
  size_t at = 0;
  while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
  auto lineAround = [at](const std::string& text) {
    size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
    start = start == std::string::npos ? 0 : start + 1;
    size_t end = text.find('\n', at);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
  };
  long line = 1 + std::count(want.begin(), want.begin() + static_cast<long>(at), '\n');
  return "line " + std::to_string(line) + ": got [" + lineAround(got) + "], want [" + lineAround(want) + "]";
}

TEST(Golden, EveryExampleWritesAndShowsExactlyItsGoldenFiles) {
  const bool update = std::getenv("KORVA_UPDATE_GOLDEN") != nullptr;
  std::vector<fs::path> examples = Examples();
  ASSERT_FALSE(examples.empty());
  for (const fs::path& example : examples) {
    const std::string name = example.filename().string();
    SCOPED_TRACE(name);
    const fs::path golden = fs::path(KORVA_SOURCE_DIR) / "tests" / "golden" / name;
    Replay replay = ReplayExample(example);
    EXPECT_EQ(replay.status, 0);

    std::map<std::string, std::string> written;
    for (const auto& [file, bytes] : replay.after) {
      auto original = replay.before.find(file);
      if (original == replay.before.end() || original->second != bytes) written[file] = bytes;
    }
    if (update) {
      fs::remove_all(golden);
      for (const auto& [file, bytes] : written) WriteBytes(golden / "files" / file, bytes);
      WriteBytes(golden / "terminal.txt", replay.terminal);
      continue;
    }

    ASSERT_TRUE(fs::is_directory(golden)) << "no golden files for " << name;
    std::map<std::string, std::string> expected = FilesIn(golden / "files");
    for (const auto& [file, bytes] : expected) {
      auto got = written.find(file);
      if (got == written.end()) {
        ADD_FAILURE() << file << " is not written (or is left as the example has it)";
      } else {
        EXPECT_TRUE(got->second == bytes) << file << " differs from its golden copy, "
                                          << FirstDifference(got->second, bytes);
      }
    }
    for (const auto& [file, bytes] : written) {
      EXPECT_TRUE(expected.count(file) != 0) << file << " is written but has no golden copy";
    }
    const std::string shown = ReadBytes(golden / "terminal.txt");
    EXPECT_TRUE(replay.terminal == shown) << "the terminal shows other text, "
                                          << FirstDifference(replay.terminal, shown);
  }
}

}  // namespace
}  // namespace korva

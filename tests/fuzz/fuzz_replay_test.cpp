// Replays the fuzz targets' saved inputs through their entry functions (the
// ones the fuzzers call): the inputs that once made a target fail, under
// fuzz/regressions/<target>/, and the seeds under fuzz/corpus/<target>/. An
// entry aborts when a property it checks does not hold; under the sanitizer
// build a memory error or undefined behaviour fails the test as well.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "entries.h"

namespace korva::fuzz {
namespace {

namespace fs = std::filesystem;

const fs::path kFuzzDir = fs::path(KORVA_SOURCE_DIR) / "fuzz";

std::vector<fs::path> FilesUnder(const fs::path& dir) {
  std::vector<fs::path> files;
  if (!fs::is_directory(dir)) return files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> TargetNames() {
  std::vector<std::string> names;
  for (const Target& target : Targets()) names.emplace_back(target.name);
  return names;
}

TEST(FuzzTargets, EveryFuzzerSourceHasItsEntryAndSeeds) {
  int fuzzers = 0;
  for (const auto& entry : fs::directory_iterator(kFuzzDir)) {
    const std::string file = entry.path().filename().string();
    if (!file.ends_with("_fuzz.cpp")) continue;
    ++fuzzers;
    const std::string name = file.substr(0, file.size() - std::string("_fuzz.cpp").size());
    EXPECT_NE(FindEntry(name), nullptr) << file << " has no entry in Targets()";
    EXPECT_FALSE(FilesUnder(kFuzzDir / "corpus" / name).empty()) << "no seeds for " << name;
  }
  EXPECT_EQ(fuzzers, static_cast<int>(Targets().size())) << "a target of Targets() has no fuzz/<name>_fuzz.cpp";
  // A folder of saved inputs names a target, or its inputs would never be replayed.
  if (!fs::is_directory(kFuzzDir / "regressions")) return;
  for (const auto& entry : fs::directory_iterator(kFuzzDir / "regressions")) {
    if (entry.is_directory()) {
      EXPECT_NE(FindEntry(entry.path().filename().string()), nullptr) << entry.path();
    }
  }
}

TEST(FuzzTargets, SectionsSplitAtLinesThatBeginWithTwoPercentSigns) {
  SplitInput split = SplitSections("1\ns\n%%LPOB.txt\r\nA uno\r\n%%\nx%%y\n%%GPOB.txt");
  EXPECT_EQ(split.lead, "1\ns\n");
  ASSERT_EQ(split.sections.size(), 3u);
  EXPECT_EQ(split.sections[0].name, "LPOB.txt");
  EXPECT_EQ(split.sections[0].text, "A uno\r\n");
  EXPECT_EQ(split.sections[1].name, "");
  EXPECT_EQ(split.sections[1].text, "x%%y\n");
  EXPECT_EQ(split.sections[2].name, "GPOB.txt");
  EXPECT_EQ(split.sections[2].text, "");
}

class FuzzReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(FuzzReplay, SavedInputsAndSeedsRunThrough) {
  const Entry entry = FindEntry(GetParam());
  ASSERT_NE(entry, nullptr);
  for (const char* folder : {"regressions", "corpus"}) {
    for (const fs::path& input : FilesUnder(kFuzzDir / folder / GetParam())) {
      SCOPED_TRACE(input.string());
      const std::string bytes = Bytes(input);
      EXPECT_NO_THROW(entry(bytes));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(TargetNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace korva::fuzz

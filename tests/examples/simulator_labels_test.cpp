// Every simulator that the examples write numbers its lines uniquely within
// each procedure, as the compiler of the generated programs requires.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>

namespace korva {
namespace {

namespace fs = std::filesystem;

// The number a line begins with (after at most one blank), or "" when it has none.
std::string LabelOf(const std::string& line) {
  size_t start = !line.empty() && line[0] == ' ' ? 1 : 0;
  size_t end = start;
  while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) ++end;
  if (end == start || (end < line.size() && line[end] != ' ' && line[end] != '\r')) return "";
  return line.substr(start, end - start);
}

TEST(SimulatorLabels, UniqueWithinEveryProcedureOfEveryExample) {
  int simulators = 0;
  int labelled = 0;
  for (const auto& example : fs::directory_iterator(fs::path(KORVA_SOURCE_DIR) / "tests" / "golden")) {
    if (!fs::is_directory(example.path() / "files")) continue;  // an example that writes no file
    for (const auto& file : fs::directory_iterator(example.path() / "files")) {
      const std::string name = file.path().filename().string();
      if (name[0] != 'S' || file.path().extension() != ".bas") continue;
      ++simulators;
      std::ifstream in(file.path(), std::ios::binary);
      std::set<std::string> labels;
      int lineNumber = 0;
      for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (line.find("Sub ") != std::string::npos && line.find("End Sub") == std::string::npos) labels.clear();
        const std::string label = LabelOf(line);
        if (label.empty()) continue;
        ++labelled;
        EXPECT_TRUE(labels.insert(label).second) << name << " line " << lineNumber << " repeats label " << label;
      }
    }
  }
  EXPECT_GE(simulators, 4);
  EXPECT_GT(labelled, 100) << "the numbered lines are recognised";
}

}  // namespace
}  // namespace korva

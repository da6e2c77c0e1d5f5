// The folders of src/ include only from their own layer and those below it,
// so that each generated module is written from its own folder and the
// activities build on the modules, never the other way round.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

namespace korva {
namespace {

namespace fs = std::filesystem;

// The layer of every folder, from the bottom.
const std::map<std::string, int>& Layers() {
  static const std::map<std::string, int> layers = {
      {"text", 0},       {"files", 0},      {"dialogue", 0},                          //
      {"core", 1},       {"emit", 1},       {"vbrun", 1},                             //
      {"model", 2},                                                                   //
      {"run_results", 3},                                                             //
      {"simulator", 3},  {"data_entry", 3}, {"results_program", 3},                   //
      {"simgen", 4},     {"variables", 4},  {"blocks", 4}, {"assembler", 4}, {"analogy", 4},  //
      {"diagram", 4},    {"series_chart", 4}, {"results_csv", 4},                 //
      {"dispatch", 5},   {"ver", 5},                                                //
      {"xmile", 6},
  };
  return layers;
}

TEST(Layers, EveryIncludeGoesToTheSameLayerOrBelow) {
  const fs::path src = fs::path(KORVA_SOURCE_DIR) / "src";
  const std::regex include(R"re(^#include "([a-z_]+)/)re");
  int includes = 0;
  for (const auto& folder : fs::directory_iterator(src)) {
    if (!folder.is_directory()) continue;
    const std::string name = folder.path().filename().string();
    auto layer = Layers().find(name);
    ASSERT_NE(layer, Layers().end()) << "a folder without a layer: " << name;
    for (const auto& file : fs::directory_iterator(folder.path())) {
      std::ifstream in(file.path());
      for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, include)) continue;
        ++includes;
        auto target = Layers().find(m[1]);
        ASSERT_NE(target, Layers().end()) << file.path() << " includes from an unknown folder: " << line;
        EXPECT_LE(target->second, layer->second) << file.path().filename() << " reaches up: " << line;
      }
    }
  }
  EXPECT_GT(includes, 300) << "the includes are recognised";
}

}  // namespace
}  // namespace korva

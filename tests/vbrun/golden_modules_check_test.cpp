// Every module kept as golden output of korva (tests/golden/*/files/*.bas) is
// read and checked by korva-vbrun as it would be before a run: none may be
// refused, since korva writes them for korva-vbrun to run. The one exception
// is the assembler's data-entry module, of which korva writes only the head
// for the user to finish by hand: it must be refused for its missing end, and
// for nothing earlier.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "text/cp1252.h"
#include "vbrun/checker.h"
#include "vbrun/parser.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> GoldenModules() {
  std::vector<fs::path> found;
  const fs::path golden = fs::path(KORVA_SOURCE_DIR) / "tests" / "golden";
  for (const auto& entry : fs::recursive_directory_iterator(golden)) {
    if (entry.is_regular_file() && LowerCase(entry.path().extension().string()) == ".bas") {
      found.push_back(entry.path());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

// "" when the module parses and checks, else what was refused and where.
std::string Refusal(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto parsed = vbrun::ParseModule(file.filename().string(), text);
  if (const auto* error = std::get_if<vbrun::SyntaxError>(&parsed)) {
    return "line " + std::to_string(error->line) + ", column " + std::to_string(error->column) + ": " +
           error->message;
  }
  std::vector<vbrun::Module> modules;
  modules.push_back(std::move(std::get<vbrun::Module>(parsed)));
  auto checked = vbrun::CheckProgram(std::move(modules));
  if (const auto* error = std::get_if<vbrun::CompileError>(&checked)) {
    return "line " + std::to_string(error->line) + ": " + error->message;
  }
  return "";
}

// Golden modules left unfinished on purpose, with the refusal expected of each.
const std::map<std::string, std::string> kUnfinished = {
    {"ensamblado/dENS.bas", "line 5, column 1: falta \"End Sub\" del procedimiento DENS"},
};

TEST(VbGoldenModules, EveryGoldenModuleParsesAndChecks) {
  const std::vector<fs::path> modules = GoldenModules();
  ASSERT_FALSE(modules.empty()) << "no .bas file under tests/golden";
  std::string checked;
  for (const fs::path& file : modules) {
    const std::string name = file.parent_path().parent_path().filename().string() + "/" + file.filename().string();
    const auto unfinished = kUnfinished.find(name);
    EXPECT_EQ(Refusal(file), unfinished == kUnfinished.end() ? "" : unfinished->second) << name;
    checked += (checked.empty() ? "" : " ") + name;
  }
  std::cout << "checked " << modules.size() << " golden modules: " << checked << "\n";
  RecordProperty("checked", checked);
}

}  // namespace
}  // namespace korva

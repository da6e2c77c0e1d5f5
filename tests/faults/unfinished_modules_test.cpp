// The modules of a model are put in place only when whole: a run that stops
// in the specification (its input ends, its log is out of step, its disk
// fills) leaves the modules of the run before it as they were, and no hidden
// file behind. Run as processes on the prey and predators example.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/korva_process.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// The answers the replay asks outside the log (the log number is given).
const char* const kOutsideLog = "s\ns\ns\ns\nn\nn\nn\n";

testing::ProcessOptions KorvaIn(const TempDir& dir, long long fileSizeLimit = -1) {
  testing::ProcessOptions options;
  options.args = {"-d", dir.dir(), "-r", "1"};
  options.cwd = dir.dir();
  options.fileSizeLimit = fileSizeLimit;
  return options;
}

std::vector<std::string> HiddenFiles(const TempDir& dir) {
  std::vector<std::string> hidden;
  for (const auto& entry : fs::directory_iterator(dir.dir())) {
    const std::string name = entry.path().filename().string();
    if (name.find(".korva-tmp-") != std::string::npos) hidden.push_back(name);
  }
  return hidden;
}

struct Stop {
  std::string what;
  std::string log;  // the answers log of the stopped run, made from the whole one
  long long fileSizeLimit = -1;
};

TEST(UnfinishedModulesFault, AStopInTheSpecificationLeavesTheModulesOfTheRunBefore) {
  TempDir dir;
  fs::copy(fs::path(KORVA_SOURCE_DIR) / "examples" / "presas", dir.dir(), fs::copy_options::recursive);
  testing::Outcome whole = testing::RunToEnd(KorvaIn(dir), kOutsideLog);
  ASSERT_EQ(whole.status, 0) << whole.err;
  const std::string log = dir.Read("MODELO1.txt");
  const std::string modules[] = {"SPRE.bas", "DPRE.bas", "RPRE.bas"};
  std::map<std::string, std::string> before;
  for (const std::string& name : modules) before[name] = dir.Read(name);
  ASSERT_GT(before["RPRE.bas"].size(), 12000u);

  const size_t specification = log.find("\"¿Funciones grabadas?\"");
  ASSERT_NE(specification, std::string::npos);
  const size_t secondElement = log.find("\"YPR predadores\"");
  ASSERT_NE(secondElement, std::string::npos);
  std::string outOfStep = log;
  outOfStep.replace(secondElement, 1, "\"   ¿Tabla?\",\"n\"\r\n\"");
  const std::vector<Stop> stops = {
      {"input ends at the first element", log.substr(0, log.find("\r\n", specification) + 2)},
      {"input ends at the second element", log.substr(0, secondElement)},
      {"the log is out of step", outOfStep},
      {"the disk fills while the results program is written", log, 12000},
  };
  for (const Stop& stop : stops) {
    SCOPED_TRACE(stop.what);
    dir.Write("MODELO1.txt", stop.log);
    testing::Outcome stopped = testing::RunToEnd(KorvaIn(dir, stop.fileSizeLimit), kOutsideLog);
    EXPECT_EQ(stopped.status, 1) << stopped.out.substr(stopped.out.size() > 600 ? stopped.out.size() - 600 : 0);
    for (const std::string& name : modules) EXPECT_EQ(dir.Read(name), before[name]) << name;
    EXPECT_EQ(HiddenFiles(dir), std::vector<std::string>{});
    EXPECT_FALSE(dir.Has("RPRE.tem"));
  }
  // Without modules before, a stop leaves none but the data-entry program,
  // which is whole when the specification starts.
  for (const std::string& name : modules) fs::remove(dir / name);
  dir.Write("MODELO1.txt", stops[1].log);
  EXPECT_EQ(testing::RunToEnd(KorvaIn(dir), kOutsideLog).status, 1);
  EXPECT_FALSE(dir.Has("SPRE.bas"));
  EXPECT_FALSE(dir.Has("RPRE.bas"));
  EXPECT_EQ(dir.Read("DPRE.bas"), before["DPRE.bas"]);
}

}  // namespace
}  // namespace korva

// The time loop of a generated simulator counts whole steps: whatever the
// step, each repetition writes one record at every reporting instant (the
// first step at or past it), the record file of a run starts empty, and the
// statistics of identical repetitions have no spread. The predator-prey
// example is run in korva-vbrun and compared with an Euler integration made
// here in single precision, as the simulator computes.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "support/example_run.h"
#include "support/file_lines.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::ExampleModules;
using testing::LinesOf;

// Prey and predators: X' = aX - bXY, Y' = dXY - cY from X = 10, Y = 5.
struct Populations {
  float prey, predators;
};

// The populations after each step, index 0 the start; `wholePredators`
// rounds the predators as a whole-number variable does (half to even).
std::vector<Populations> Euler(float dt, int steps, bool wholePredators = false) {
  const float a = 1, b = 0.1f, c = 1.5f, d = 0.075f;
  std::vector<Populations> out{{10, 5}};
  for (int k = 1; k <= steps; ++k) {
    const Populations p = out.back();
    float prey = p.prey + dt * (a * p.prey - b * p.prey * p.predators);
    float predators = p.predators + dt * (d * p.prey * p.predators - c * p.predators);
    if (wholePredators) predators = std::nearbyint(predators);
    out.push_back({prey, predators});
  }
  return out;
}

// The step at which the record of instant j is written: the first at or past
// it, for the step as the modeller wrote it (not as single precision holds it).
int RecordStep(int j, double interval, const std::string& dt) {
  return static_cast<int>(std::ceil(j * interval / std::stod(dt) - 1e-9));
}

std::vector<double> Numbers(const std::string& line) {
  std::vector<double> out;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, ',');) out.push_back(std::stod(field));
  return out;
}

class PredatorPrey : public ::testing::Test {
 protected:
  // Generates the example (with `from` -> `to` replaced in its element list,
  // matrix and answers log) and fills the data of simulation 1.
  void Build(const std::string& from = "", const std::string& to = "") {
    if (!from.empty()) {
      for (const char* name : {"LPRE.txt", "CPRE.txt", "MODELO1.txt"}) {
        std::string text = ex.dir.Read(name);
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
          text.replace(at, from.size(), to);
        }
        ex.dir.Write(name, text);
      }
    }
    ASSERT_TRUE(ex.Generate());
    ASSERT_EQ(ex.Run("D", ex.dir.Read("ejecucion/datos.txt")), 0) << ex.dir.Read("messages.txt");
  }
  // Runs simulation 1 over `periods` with three repetitions and returns its results lines.
  std::vector<std::string> Simulate(int periods, const std::string& dt, const std::string& interval) {
    const std::string answers = std::to_string(periods) + "\n" + dt + "\n" + interval + "\n3\n0\n1\n1\nn\n4\nn\n";
    EXPECT_EQ(ex.Run("S", answers), 0) << ex.dir.Read("messages.txt");
    return LinesOf(ex.dir.Read("resul1"));
  }

  ExampleModules ex{fs::path(KORVA_SOURCE_DIR) / "examples" / "presas"};
};

TEST_F(PredatorPrey, EveryStepRecordsEachInstantOnceAndMatchesEuler) {
  Build();
  const int periods = 6;  // with a half-day step the populations overflow after seven days
  for (const char* dtText : {"0.5", "0.25", "0.2", "0.1", "0.05", "0.01", "0.015625", "0.3", "0.03"}) {
    for (int interval : {1, 2}) {
      SCOPED_TRACE(std::string("dt ") + dtText + ", every " + std::to_string(interval));
      const float dt = std::stof(dtText);
      std::vector<std::string> lines = Simulate(periods, dtText, std::to_string(interval));
      const int records = periods / interval;
      ASSERT_EQ(lines.size(), 2u * records) << "prey and predators at each instant";
      const std::vector<Populations> euler = Euler(dt, RecordStep(records, interval, dtText));
      for (int j = 1; j <= records; ++j) {
        const Populations expected = euler[RecordStep(j, interval, dtText)];
        const std::vector<double> prey = Numbers(lines[2 * (j - 1)]);
        const std::vector<double> predators = Numbers(lines[2 * (j - 1) + 1]);
        ASSERT_EQ(prey.size(), 3u);
        ASSERT_EQ(predators.size(), 3u);
        EXPECT_NEAR(prey[0], expected.prey, 1e-4 * std::abs(expected.prey)) << "instant " << j * interval;
        EXPECT_NEAR(predators[0], expected.predators, 1e-4 * std::abs(expected.predators)) << j * interval;
        EXPECT_EQ(prey[1], 0) << "identical repetitions have no deviation";
        EXPECT_EQ(predators[1], 0);
        EXPECT_EQ(prey[2], 0);
        EXPECT_EQ(predators[2], 0);
      }
    }
  }
}

TEST_F(PredatorPrey, AShorterRunStartsItsRecordFileEmpty) {
  Build();
  ASSERT_EQ(Simulate(20, "0.1", "1").size(), 40u);
  EXPECT_EQ(fs::file_size(ex.dir / "resul1.ale"), 4u * 2 * 20 * 3);
  std::vector<std::string> lines = Simulate(10, "0.1", "1");
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(fs::file_size(ex.dir / "resul1.ale"), 4u * 2 * 10 * 3) << "two values, ten days, three repetitions";
  const std::vector<Populations> euler = Euler(0.1f, 100);
  EXPECT_NEAR(Numbers(lines[19])[0], euler[100].predators, 1e-4 * euler[100].predators);
}

TEST_F(PredatorPrey, WholeNumberPredatorsAreRecordedAsNumbers) {
  // Predators named with M are a whole-number variable of the simulator.
  Build("YPR", "MPR");
  std::vector<std::string> lines = Simulate(20, "0.1", "1");
  ASSERT_EQ(lines.size(), 40u);
  const std::vector<Populations> euler = Euler(0.1f, 200, true);
  for (int day = 1; day <= 20; ++day) {
    EXPECT_EQ(Numbers(lines[2 * (day - 1) + 1])[0], euler[10 * day].predators) << "day " << day;
    EXPECT_NEAR(Numbers(lines[2 * (day - 1)])[0], euler[10 * day].prey, 1e-4 * euler[10 * day].prey);
  }
}

TEST_F(PredatorPrey, EveryRepetitionStartsFromTheStatesTheDataGive) {
  // The initial values XAN and YAN made certain inputs (read once per
  // simulation, not drawn in each repetition): the states they carry at the
  // end of a repetition must not be where the next one starts.
  const std::string uncertainInput = "\"   Incertidumbre: \",\"s\"\r\n\"   Aleatorios distintos: \",\"n\"\r\n";
  const std::string certainInput = "\"   Incertidumbre: \",\"n\"\r\n";
  std::string log = ex.dir.Read("MODELO1.txt");
  const size_t acp = log.find(uncertainInput, log.find(uncertainInput, log.find(uncertainInput) + 1) + 1);
  ASSERT_NE(acp, std::string::npos) << "XAN, YAN and ACP are uncertain in the example";
  std::string changed = log.substr(0, acp);
  for (size_t at = changed.find(uncertainInput); at != std::string::npos; at = changed.find(uncertainInput, at)) {
    changed.replace(at, uncertainInput.size(), certainInput);
  }
  ex.dir.Write("MODELO1.txt", changed + log.substr(acp));
  Build();
  ASSERT_NE(ex.dir.Read("SPRE.bas").find("input #1,\xF1XAN:XAN=\xF1XAN"), std::string::npos) << "XAN is read once";
  std::vector<std::string> lines = Simulate(5, "0.1", "1");
  ASSERT_EQ(lines.size(), 10u);
  const std::vector<Populations> euler = Euler(0.1f, 50);
  for (int day = 1; day <= 5; ++day) {
    const std::vector<double> prey = Numbers(lines[2 * (day - 1)]);
    EXPECT_NEAR(prey[0], euler[10 * day].prey, 1e-4 * euler[10 * day].prey) << "day " << day;
    EXPECT_EQ(prey[1], 0) << "day " << day << ": three identical repetitions";
  }
}

}  // namespace
}  // namespace korva

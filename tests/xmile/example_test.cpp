// examples/epidemia: an XMILE model whose import is the example's korva
// files, and whose simulation is the epidemic worked out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "support/temp_dir.h"
#include "xmile/results_table.h"
#include "xmile/xmile_run.h"

namespace korva {
namespace {

using testing::RunXmile;
using testing::TempDir;

const std::string kExample = std::string(KORVA_SOURCE_DIR) + "/examples/epidemia/";

std::string ExampleFile(const std::string& name) {
  std::ifstream in(kExample + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(XmileExample, ItsImportIsTheExamplesFiles) {
  TempDir dir;
  const testing::XmileRun run = RunXmile({"importar", kExample + "epidemia.xmile", dir / "modelo"});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* file : {"LEPIDEMIA.txt", "GEPIDEMIA.txt", "CEPIDEMIA.txt", "DATOS1.txt", "Modelo1.txt"}) {
    EXPECT_EQ(dir.Read(std::string("modelo/") + file), ExampleFile(file)) << file;
  }
}

// Euler in double precision, the contact rate interpolated between its points.
TEST(XmileExample, SimulatesTheEpidemic) {
  TempDir dir;
  const testing::XmileRun run = RunXmile({"simular", kExample + "epidemia.xmile", "-o", dir / "out.csv"});
  ASSERT_EQ(run.status, 0) << run.err;
  const testing::ResultsTable table = testing::ParseResults(dir.Read("out.csv"), ',');
  ASSERT_EQ(table.times.size(), 101u);
  const double xs[] = {0, 20, 30, 40, 60}, ys[] = {0.5, 0.5, 0.2, 0.2, 0.35};
  auto contact = [&](double t) {
    if (t >= 60) return 0.35;
    int k = 0;
    while (t > xs[k + 1]) ++k;
    return ys[k] + (t - xs[k]) * (ys[k + 1] - ys[k]) / (xs[k + 1] - xs[k]);
  };
  double s = 9990, i = 10, r = 0, smooth = 10, peak = 0;
  const double dt = 0.25;
  for (int step = 0; step <= 400; ++step) {
    const double t = step * dt;
    const double infections = std::max(0.0, contact(t) * i * s / 10000), recoveries = i / 5;
    if (step % 4 == 0) {
      const size_t row = static_cast<size_t>(step / 4);
      const std::pair<const char*, double> expected[] = {
          {"Susceptibles", s}, {"Infectados", i}, {"Recuperados", r}, {"contagios", infections},
          {"tasa de contacto", contact(t)}, {"prevalencia", i / 100}, {"alerta", i / 100 > 5 ? 1 : 0},
          {"infectados medios", smooth}};
      for (const auto& [name, value] : expected) {
        EXPECT_TRUE(testing::Close(table.values[row][*table.Column(name)], value))
            << name << " on day " << t << ": " << table.values[row][*table.Column(name)] << " instead of " << value;
      }
    }
    peak = std::max(peak, i);
    s = std::max(0.0, s - dt * infections);
    smooth += dt * (i - smooth) / 7;
    i += dt * (infections - recoveries);
    r += dt * recoveries;
  }
  EXPECT_GT(peak, 1500) << "an epidemic, not a few cases";
}

}  // namespace
}  // namespace korva

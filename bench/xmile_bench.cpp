// korva-xmile on a generated model of n variables (a quarter each stocks,
// flows, auxiliaries and constants, every stock drained by its own loop of
// flow and auxiliary): imported, built by korva's create cycle from the
// prepared log, run by the data-entry program and the simulator in
// korva-vbrun's interpreter over `steps` steps, and written as CSV.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_models.h"
#include "xmile/xmile_command.h"

namespace korva {
namespace {

std::string GeneratedModel(int n, int steps) {
  std::string text =
      "<xmile version=\"1.0\" xmlns=\"http://docs.oasis-open.org/xmile/ns/XMILE/v1.0\"><header/>"
      "<sim_specs><start>0</start><stop>" +
      std::to_string(steps) + "</stop><dt>1</dt></sim_specs><model><variables>\n";
  for (int i = 0; i < n; ++i) {
    const std::string k = std::to_string(i);
    switch (i % 4) {
      case 0:
        text += "<stock name=\"stock " + k + "\"><eqn>" + std::to_string(i % 7) + "</eqn><outflow>flow " +
                std::to_string(i + 1) + "</outflow></stock>\n";
        break;
      case 1:
        text += "<flow name=\"flow " + k + "\"><eqn>aux_" + std::to_string(i + 1) + " * 0.01</eqn></flow>\n";
        break;
      case 2:
        text += "<aux name=\"aux " + k + "\"><eqn>stock_" + std::to_string(i - 2) + " - const_" +
                std::to_string(i + 1) + "</eqn></aux>\n";
        break;
      default:
        text += "<aux name=\"const " + k + "\"><eqn>" + std::to_string(i % 5) + "</eqn></aux>\n";
    }
  }
  return text + "</variables></model></xmile>\n";
}

void BM_XmileSimulate(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int steps = static_cast<int>(state.range(1));
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "korva-xmile-bench";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "model.xmile") << GeneratedModel(n, steps);
  for (auto _ : state) {
    std::FILE* sink = std::fopen("/dev/null", "w");
    const int status = xmile::RunXmileCommand(
        {"simular", (dir / "model.xmile").string(), "-o", (dir / "out.csv").string(), "-d", (dir / "work").string()},
        sink, stderr);
    std::fclose(sink);
    if (status != 0) state.SkipWithError("korva-xmile simular failed");
    state.PauseTiming();
    std::filesystem::remove_all(dir / "work");
    state.ResumeTiming();
  }
  state.counters["csv_MB"] = static_cast<double>(std::filesystem::file_size(dir / "out.csv")) / 1e6;
  bench::ReportPeakMemory(state);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_XmileSimulate)->Args({100, 100})->Args({10000, 1000})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace korva

// The generated simulator of a 1,000-element dynamic model run by
// korva-vbrun's interpreter over 1,000 periods: parsing, checking and the run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "create_model.h"
#include "vbrun/runner.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using bench::Id;
using bench::RuleDialogue;

void BM_RunSimulatorOfLargeModel(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int periods = static_cast<int>(state.range(1));
  const fs::path dir = fs::temp_directory_path() / ("korva-vbrun-bench-" + std::to_string(n));
  fs::remove_all(dir);
  fs::create_directories(dir);
  bench::WriteModel(dir, n);
  if (bench::RunCreate(dir) != 0) state.SkipWithError("the model was not made");
  // The data of simulation 1: every input is 1.
  {
    std::ofstream data(dir / "datos1.txt", std::ios::binary);
    for (int i = 1; i <= n / 3; ++i) data << Id(i) << " entrada numero " << i << "\r\n1\r\n";
  }
  fs::path previous = fs::current_path();
  fs::current_path(dir);
  std::FILE* sink = std::fopen("/dev/null", "w");
  for (auto _ : state) {
    RuleDialogue box({{"Cada cuantos", "1"},
                      {"desea simular", std::to_string(periods)},
                      {"paso", "1"},
                      {"inicial", "0"},
                      {"primera", "1"},
                      {"ltima", "1"},
                      {"haciendo", "n"},
                      {"He terminado", "n"}});
    FileSystem files;
    vbrun::RunRequest request;
    request.modules = {"SBIG.bas"};
    if (vbrun::RunModules(request, box, files, sink, sink) != 0) state.SkipWithError("the simulator failed");
  }
  std::fclose(sink);
  state.counters["resul1_bytes"] = static_cast<double>(fs::file_size("resul1"));
  fs::current_path(previous);
  fs::remove_all(dir);
  bench::ReportPeakMemory(state);
}
BENCHMARK(BM_RunSimulatorOfLargeModel)->Args({1000, 1000})->Args({30000, 100})->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korva

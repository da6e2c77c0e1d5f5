// korva-vbrun reading the data-entry program of a 30,000-element model (about
// 5 MB of generated module): parsed and checked, not run. The peak memory of
// the process is reported beside the time.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "create_model.h"
#include "vbrun/checker.h"
#include "vbrun/parser.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

void BM_ParseGeneratedModule(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const fs::path dir = fs::temp_directory_path() / ("korva-vbrun-parse-bench-" + std::to_string(n));
  fs::remove_all(dir);
  fs::create_directories(dir);
  bench::WriteModel(dir, n);
  if (bench::RunCreate(dir) != 0) state.SkipWithError("the model was not made");
  std::ifstream in(dir / "DBIG.bas", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (auto _ : state) {
    auto parsed = vbrun::ParseModule("DBIG.bas", text);
    if (auto* module = std::get_if<vbrun::Module>(&parsed)) {
      std::vector<vbrun::Module> modules;
      modules.push_back(std::move(*module));
      auto checked = vbrun::CheckProgram(std::move(modules));
      if (!std::holds_alternative<vbrun::Program>(checked)) state.SkipWithError("the module does not check");
      benchmark::DoNotOptimize(checked);
    } else {
      state.SkipWithError("the module does not parse");
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  state.counters["module_MB"] = static_cast<double>(text.size()) / (1 << 20);
  fs::remove_all(dir);
  bench::ReportPeakMemory(state);
}
BENCHMARK(BM_ParseGeneratedModule)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korva

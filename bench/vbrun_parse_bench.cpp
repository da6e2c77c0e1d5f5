// korva-vbrun reading generated modules: the data-entry program of a
// 30,000-element model (about 5 MB) and the simulator of a 300,000-element
// one, parsed and checked, not run. The peak memory of the process is
// reported beside the time.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "create_model.h"
#include "vbrun/checker.h"
#include "vbrun/parser.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

// Parses and checks module `name` of the large model of n elements.
void ParseAndCheck(benchmark::State& state, const std::string& name) {
  const int n = static_cast<int>(state.range(0));
  const fs::path dir = fs::temp_directory_path() / ("korva-vbrun-parse-bench-" + name + std::to_string(n));
  fs::remove_all(dir);
  fs::create_directories(dir);
  // The model is made in a child process, so that the peak memory reported is
  // the reading's alone.
  const pid_t child = ::fork();
  if (child == 0) {
    bench::WriteModel(dir, n);
    ::_exit(bench::RunCreate(dir) == 0 ? 0 : 1);
  }
  int status = -1;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    state.SkipWithError("the model was not made");
    return;
  }
  std::ifstream in(dir / name, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (auto _ : state) {
    auto parsed = vbrun::ParseModule(name, text);
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
  state.counters["peak_KB_per_element"] = state.counters["peak_MB"] * 1024.0 / n;
}

void BM_ParseGeneratedModule(benchmark::State& state) { ParseAndCheck(state, "DBIG.bas"); }
BENCHMARK(BM_ParseGeneratedModule)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The simulator of a 300,000-element model: run it alone in its process to
// read its peak memory (the model is made first, in the same process).
void BM_ParseGeneratedSimulator(benchmark::State& state) { ParseAndCheck(state, "SBIG.bas"); }
BENCHMARK(BM_ParseGeneratedSimulator)->Arg(300000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace korva

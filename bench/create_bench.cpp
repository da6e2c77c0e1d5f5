// A whole create cycle of a large model replayed from its answers log: element
// list, equations file, calculation order, set-up and specification of every
// element through the complete simulator. Every name carries bracket codes,
// and the codes are trusted, so that the modeller is asked nothing but what
// lies outside the log. Beside it, the floor it is measured against: reading
// the files the replay reads and writing the files it writes, the same bytes,
// and nothing else.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench_models.h"
#include "create_model.h"
#include "vbrun/checker.h"
#include "vbrun/parser.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using bench::ReadWhole;
using bench::RecordedModel;
using bench::RunCreate;
using bench::Shape;
using bench::WriteModel;

// The simulator holds an output statement for every calculated element and
// ends with its last statement; the modules of models up to 30,000 elements
// are also parsed and checked as the target's compiler would (larger ones
// would measure the checker's memory rather than the create path).
void CheckModules(benchmark::State& state, const fs::path& dir, int n) {
  std::ifstream simulator(dir / "SBIG.bas");
  std::string line, last;
  int outputs = 0;
  while (std::getline(simulator, line)) {
    outputs += line.find("write #2,") != std::string::npos;
    last = line;
  }
  if (last.find("   ") != 0 || outputs != n - n / 3) state.SkipWithError("the simulator is not complete");
  state.counters["outputs"] = outputs;
  if (n > 30000) return;
  for (const char* module : {"SBIG.bas", "DBIG.bas", "RBIG.bas"}) {
    auto parsed = vbrun::ParseModule(module, ReadWhole(dir / module));
    if (!std::holds_alternative<vbrun::Module>(parsed)) {
      state.SkipWithError((std::string(module) + ": " + std::get<vbrun::SyntaxError>(parsed).message).c_str());
      return;
    }
    std::vector<vbrun::Module> modules;
    modules.push_back(std::move(std::get<vbrun::Module>(parsed)));
    auto checked = vbrun::CheckProgram(std::move(modules));
    if (auto* error = std::get_if<vbrun::CompileError>(&checked)) {
      state.SkipWithError((std::string(module) + ": " + error->message).c_str());
      return;
    }
  }
}

// Arguments: the number of elements and the shape.
void BM_CreateLargeModelFromItsLog(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto shape = static_cast<Shape>(state.range(1));
  RecordedModel model(state, "create-bench-" + std::to_string(n) + "-" + std::to_string(state.range(1)),
                      [&](const fs::path& dir) { WriteModel(dir, n, shape); });
  for (auto _ : state) {
    if (model.Replay(state) != 0) state.SkipWithError("the replay failed");
  }
  CheckModules(state, model.Dir(), n);
}

// The files a replay writes: those whose time of last writing it changed.
std::vector<fs::path> FilesWrittenByReplay(const RecordedModel& model) {
  std::map<fs::path, fs::file_time_type> before;
  for (const auto& entry : fs::directory_iterator(model.Dir())) before[entry.path()] = entry.last_write_time();
  model.RestoreLog();
  // Apart from the log, which is copied, every file keeps its time unless written.
  before[model.Log()] = fs::last_write_time(model.Log());
  RunCreate(model.Dir());
  std::vector<fs::path> written;
  for (const auto& entry : fs::directory_iterator(model.Dir())) {
    auto it = before.find(entry.path());
    if (it == before.end() || it->second != entry.last_write_time()) written.push_back(entry.path());
  }
  return written;
}

// What a replay cannot do without: reading the list, the equations and the
// answers log, and writing every file it writes with the bytes it writes.
void BM_CreateIOFloor(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto shape = static_cast<Shape>(state.range(1));
  RecordedModel model(state, "create-floor-" + std::to_string(n) + "-" + std::to_string(state.range(1)),
                      [&](const fs::path& dir) { WriteModel(dir, n, shape); });
  const std::vector<fs::path> read = {model.Dir() / "LBIG.txt", model.Dir() / "GBIG.txt", model.Log()};
  std::vector<std::pair<fs::path, std::string>> written;
  for (const fs::path& path : FilesWrittenByReplay(model)) written.emplace_back(path, ReadWhole(path));
  int64_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    model.RestoreLog();
    state.ResumeTiming();
    for (const fs::path& path : read) {
      std::string text = ReadWhole(path);
      bytes += static_cast<int64_t>(text.size());
      benchmark::DoNotOptimize(text.data());
    }
    for (const auto& [path, text] : written) {
      std::FILE* out = std::fopen(path.c_str(), "wb");
      if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fclose(out) != 0) {
        state.SkipWithError("a file could not be written");
      }
      bytes += static_cast<int64_t>(text.size());
    }
  }
  state.SetBytesProcessed(bytes);
  state.counters["files_written"] = static_cast<double>(written.size());
}

void CreateSizes(benchmark::internal::Benchmark* bench) {
  for (Shape shape : {Shape::kChain, Shape::kRandom}) {
    for (int n : {10000, 30000, 100000, 300000}) bench->Args({n, static_cast<int>(shape)});
  }
}

BENCHMARK(BM_CreateLargeModelFromItsLog)
    ->Args({3000, static_cast<int>(Shape::kThirds)})
    ->Args({30000, static_cast<int>(Shape::kThirds)})
    ->Apply(CreateSizes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(BM_CreateIOFloor)->Apply(CreateSizes)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace korva

// Forming hierarchical subsystems on models of 1,000 to 30,000 elements, and
// the whole blocks activity with the division into files.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_models.h"
#include "blocks/form_blocks.h"
#include "core/program_end.h"
#include "blocks/forming.h"
#include "dialogue/scripted_dialogue.h"
#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/element_list.h"

namespace korva {
namespace {

using bench::Id;

// The model with its calculation levels.
ModelTables LevelledModel(int n, const std::vector<std::string>& rows) {
  ModelTables model = bench::Model(n, rows);
  Levelling l = LevelElements(model);
  model.CalcLevel = l.levels;
  model.LevelCount = l.levelCount;
  return model;
}

// Element i uses element i + 1: one root on top of a chain n levels deep.
ModelTables Chain(int n) {
  std::vector<std::string> rows;
  for (int i = 1; i < n; ++i) rows.push_back(Id(i) + "    " + Id(i + 1));
  return LevelledModel(n, rows);
}

// The first half are roots, each using three elements of the second half,
// which use one another in a chain: many subsystems sharing dependencies.
ModelTables SharedRoots(int n) {
  std::vector<std::string> rows;
  int half = n / 2;
  for (int i = 1; i <= half; ++i) {
    int a = half + 1 + (i * 7) % (n - half), b = half + 1 + (i * 13) % (n - half), c = half + 1 + (i * 31) % (n - half);
    rows.push_back(Id(i) + "    " + Id(a) + "," + Id(b) + "," + Id(c));
  }
  for (int i = half + 1; i < n; ++i) rows.push_back(Id(i) + "    " + Id(i + 1));
  return LevelledModel(n, rows);
}

void FormNatural(benchmark::State& state, const ModelTables& model) {
  FormingLimits limits = ModeLimits(FormingMode::kNatural, OtherCount(model), model.MaxDeps, model.ElementCount);
  for (auto _ : state) {
    FormingPass pass = FormSubsystems(PrepareBlockModel(model), FormingMode::kNatural, limits);
    if (pass.outcome != FormingOutcome::kFormed) state.SkipWithError("the forming failed");
    benchmark::DoNotOptimize(pass.subsystems.SubCount);
  }
}

void BM_FormNaturalChain(benchmark::State& state) { FormNatural(state, Chain(static_cast<int>(state.range(0)))); }
BENCHMARK(BM_FormNaturalChain)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_FormNaturalSharedRoots(benchmark::State& state) {
  FormNatural(state, SharedRoots(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_FormNaturalSharedRoots)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_FormElementaryChain(benchmark::State& state) {
  ModelTables model = Chain(static_cast<int>(state.range(0)));
  FormingLimits limits = ModeLimits(FormingMode::kElementary, OtherCount(model), model.MaxDeps, model.ElementCount);
  for (auto _ : state) {
    FormingPass pass = FormSubsystems(PrepareBlockModel(model), FormingMode::kElementary, limits);
    benchmark::DoNotOptimize(pass.subsystems.SubCount);
  }
}
BENCHMARK(BM_FormElementaryChain)->Arg(30000)->Unit(benchmark::kMillisecond);

// The blocks activity of model BIG in `dir` with these answers, timed from
// its start; false when it ended the program or left answers unused.
bool RunBlocksActivity(benchmark::State& state, const std::filesystem::path& dir, const ModelTables& model,
                       std::vector<std::string> answers) {
  state.PauseTiming();
  ScriptedDialogue box(std::move(answers));
  FileSystem files;
  RunContext run(box, files);
  run.WorkDir = dir.string() + "/";
  ModelCycle cycle;
  cycle.ModelName = "BIG";
  cycle.Model = model;
  state.ResumeTiming();
  try {
    FormBlocks(run, cycle);
  } catch (const ProgramEnd&) {
    return false;
  }
  return box.remaining() == 0;
}

// The activity on the shared-roots model in natural mode, no listing, the
// division accepted: subsystem files, the subsystem-level model and its detail.
void BM_FormBlocksAndDivide(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("korva-blocks-bench-" + std::to_string(n));
  std::filesystem::create_directories(dir);
  ModelTables model = SharedRoots(n);
  for (auto _ : state) {
    if (!RunBlocksActivity(state, dir, model, {"n", "n", "n", "s"})) {
      state.SkipWithError("the activity did not reach the division");
    }
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_FormBlocksAndDivide)->Arg(1000)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(3);


// Natural subsystems of a chain written to the listing: the element numbers of
// four digits overrun their tab stops, one line each, written as they are
// made. Reports the listing's size and the process's peak resident memory.
void BM_NaturalChainListing(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("korva-listing-bench-" + std::to_string(n));
  std::filesystem::create_directories(dir);
  ModelTables model = Chain(n);
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir / "BIGsub.txt");
    // Mode, listing to a file, (its size question when over 100 MB), no repetition, no division.
    std::vector<std::string> answers = {"n", "f", "n", "n"};
    if (n >= 10000) answers.insert(answers.begin() + 2, "s");
    state.ResumeTiming();
    if (!RunBlocksActivity(state, dir, model, answers)) state.SkipWithError("the activity did not end as answered");
  }
  state.counters["listing_MB"] = static_cast<double>(std::filesystem::file_size(dir / "BIGsub.txt")) / 1e6;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_NaturalChainListing)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace korva

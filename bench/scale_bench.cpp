// The limits of scale: 30,000 elements of which one has a fan-in of 10,000,
// lines of 1 MB in the model files, and the peak memory each takes. Peak
// memory is the process's (ru_maxrss); run one benchmark per process
// (--benchmark_filter) to read it for that benchmark alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench_models.h"
#include "blocks/form_blocks.h"
#include "blocks/forming.h"
#include "dialogue/scripted_dialogue.h"
#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/matrix_derivation.h"

namespace korva {
namespace {

using bench::Id;
using bench::ReportPeakMemory;

// A chain of n - 1 elements (each uses the one before), and a last element
// that uses the first `fanIn` ones: one row of `fanIn` influences.
std::vector<std::string> WideRows(int n, int fanIn) {
  std::vector<std::string> rows;
  std::string wide = Id(n) + "    ";
  for (int j = 1; j <= fanIn; ++j) wide += Id(j) + (j < fanIn ? "," : "");
  rows.push_back(wide);
  for (int i = 2; i < n; ++i) rows.push_back(Id(i) + "    " + Id(i - 1));
  return rows;
}

// Reading the matrix, levelling it and writing its listing.
void BM_WideFanInMatrix(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int fanIn = static_cast<int>(state.range(1));
  const std::vector<std::string> rows = WideRows(n, fanIn);
  for (auto _ : state) {
    ModelTables model = bench::Model(n, rows);
    Levelling l = LevelElements(model);
    size_t listed = 0;
    for (int i = 1; i <= n; ++i) WriteMatrixListingLine(model, i, [&](std::string_view piece) { listed += piece.size(); });
    benchmark::DoNotOptimize(l.levelCount);
    state.counters["listing_MB"] = static_cast<double>(listed) / 1e6;
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_WideFanInMatrix)->Args({30000, 10000})->Unit(benchmark::kMillisecond)->Iterations(2);

// The blocks activity on that model: natural subsystems and their division into files.
void BM_WideFanInBlocks(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ModelTables model = bench::Model(n, WideRows(n, static_cast<int>(state.range(1))));
  Levelling l = LevelElements(model);
  model.CalcLevel = l.levels;
  model.LevelCount = l.levelCount;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "korva-scale-bench-blocks";
  std::filesystem::create_directories(dir);
  for (auto _ : state) {
    ScriptedDialogue box({"n", "n", "n", "s"});
    FileSystem files;
    RunContext run(box, files);
    run.WorkDir = dir.string() + "/";
    ModelCycle cycle;
    cycle.ModelName = "WID";
    cycle.Model = model;
    FormBlocks(run, cycle);
    if (box.remaining() != 0) {
      for (const std::string& text : box.Messages()) std::fprintf(stderr, "%s\n", text.c_str());
      state.SkipWithError("the activity did not reach the division");
    }
  }
  std::filesystem::remove_all(dir);
  ReportPeakMemory(state);
}
BENCHMARK(BM_WideFanInBlocks)->Args({30000, 10000})->Unit(benchmark::kMillisecond)->Iterations(1);

// A matrix line of 1 MB: one element's row of 1,000,000 places, nearly all free.
void BM_MegabyteMatrixLine(benchmark::State& state) {
  const int n = 2000;
  const std::vector<std::string> rows = {Id(2) + "   " + Id(1) + std::string(1000000, ',')};
  for (auto _ : state) {
    ModelTables model = bench::Model(n, rows);
    benchmark::DoNotOptimize(model.MaxDeps);
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_MegabyteMatrixLine)->Unit(benchmark::kMillisecond)->Iterations(3);

// An equation line of 1 MB over 30,000 identifiers, and 1,000 identifiers of
// lengths 1 to 1,000 over a line of 300 KB: the matrix derived from each.
void BM_MegabyteEquationLine(benchmark::State& state) {
  const int n = 30000;
  ModelTables model = bench::Model(n, {});
  std::string line = Id(1) + " " + Id(1) + " =";
  for (int j = 2; line.size() < 1000000; j = j % n + 1) line += " + " + Id(j);
  const std::vector<std::string> lines = {line};
  for (auto _ : state) {
    MatrixDerivation d = DeriveMatrix(lines, model, [](const std::string&) { return std::nullopt; });
    benchmark::DoNotOptimize(d.rows.data());
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_MegabyteEquationLine)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_IdentifiersOfManyLengths(benchmark::State& state) {
  const int n = 1000;
  ModelTables model;
  SizeElementTables(model, n);
  for (int i = 1; i <= n; ++i) model.ElementList[i] = std::string(static_cast<size_t>(i), 'Q') + " q";
  DeriveIdentifiers(model);
  const std::vector<std::string> lines = {"Q Q = " + std::string(300000, 'Q')};
  for (auto _ : state) {
    MatrixDerivation d = DeriveMatrix(lines, model, [](const std::string&) { return std::nullopt; });
    benchmark::DoNotOptimize(d.rows.data());
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_IdentifiersOfManyLengths)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korva

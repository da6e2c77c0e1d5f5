// The model-structure steps on models of 1,000, 10,000 and 30,000 elements.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_models.h"
#include "dialogue/scripted_dialogue.h"
#include "dispatch/main_dialogue.h"
#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/element_list.h"
#include "model/file_ordering.h"
#include "model/matrix_derivation.h"

namespace korva {
namespace {

using bench::Id;
using bench::Model;
using bench::Names;

// Element i is influenced by element i + 1: the order of the list is the
// reverse of the calculation order, so every pass places one element.
std::vector<std::string> ReverseChain(int n) {
  std::vector<std::string> rows;
  for (int i = 1; i < n; ++i) rows.push_back(Id(i) + "   " + Id(i + 1));
  return rows;
}

// One equation per element, each using the next two elements, the last few of
// them spread over a continuation line.
std::vector<std::string> Equations(int n) {
  std::vector<std::string> lines;
  for (int i = n; i >= 1; --i) {
    std::string eq = Id(i) + " " + Id(i) + " = 0.5";
    if (i + 1 <= n) eq += " + " + Id(i + 1);
    lines.push_back(eq);
    if (i + 2 <= n) lines.push_back("        + 2 * " + Id(i + 2) + " ' the one after");
  }
  return lines;
}

// The reverse chain with its calculation levels set, as the ordering steps find it.
ModelTables LeveledReverseChain(int n) {
  ModelTables model = Model(n, ReverseChain(n));
  Levelling l = LevelElements(model);
  model.CalcLevel = l.levels;
  model.LevelCount = l.levelCount;
  return model;
}

void BM_LevelReverseChain(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  ModelTables model = Model(n, ReverseChain(n));
  for (auto _ : state) {
    Levelling l = LevelElements(model);
    benchmark::DoNotOptimize(l.levelCount);
  }
}
BENCHMARK(BM_LevelReverseChain)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_DeriveMatrix(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  ModelTables model = Model(n, {});
  std::vector<std::string> lines = Equations(n);
  for (auto _ : state) {
    MatrixDerivation d = DeriveMatrix(lines, model, [](const std::string&) { return std::nullopt; });
    benchmark::DoNotOptimize(d.rows.data());
  }
}
BENCHMARK(BM_DeriveMatrix)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_OrderEquations(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  ModelTables model = LeveledReverseChain(n);
  std::vector<std::string> lines = Equations(n);
  for (auto _ : state) {
    std::vector<std::string> ordered = OrderEquations(StoreEquationLines(lines, model.IdLength), model);
    benchmark::DoNotOptimize(ordered.data());
  }
}
BENCHMARK(BM_OrderEquations)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_OrderSpecifications(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  ModelTables model = LeveledReverseChain(n);
  std::vector<std::string> records = {"\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\""};
  for (int i = 1; i <= n; ++i) {
    records.push_back("\"" + Id(i) + " elemento\"");
    records.push_back("\"   Cambios\",\"n\"");
    records.push_back("\"   ¿De estado?\",\"n\"");
  }
  for (auto _ : state) {
    std::vector<std::string> ordered = OrderSpecifications(records, model);
    benchmark::DoNotOptimize(ordered.data());
  }
}
BENCHMARK(BM_OrderSpecifications)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

// The whole create dialogue of the model structure on files in a scratch
// folder: list read, matrix derived from the equations, levels, listing,
// ordered equations file, then the set-up of a static model.
void BM_ModelStructureDialogue(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("korva-bench-" + std::to_string(n));
  std::filesystem::create_directories(dir);
  {
    std::ofstream list(dir / "LBIG.txt", std::ios::binary);
    for (const std::string& name : Names(n)) list << name << "\r\n";
    std::ofstream g(dir / "GBIG.txt", std::ios::binary);
    for (const std::string& line : Equations(n)) g << line << "\r\n";
  }
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir / "MODELO1.txt");
    ScriptedDialogue box({dir.string(), "1", "c", "big", "x", "s", "s", "f", "",  "s", "f",
                          "n",          "s", "s", "n",   "s", "n", "n", "n", "s", "n", "n"});
    FileSystem files;
    RunState run(box, files);
    state.ResumeTiming();
    int status = MainDialogue(run);
    if (status != 0 || run.Cycle.Model.LevelCount != n) state.SkipWithError("the dialogue did not reach the dispatch");
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ModelStructureDialogue)->Arg(1000)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korva

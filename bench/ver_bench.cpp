// korva-ver on large inputs: the diagram of a model of thousands of elements
// (read from its list and matrix files, laid out and rendered by Graphviz),
// and the CSV of a simulation of 1,000 repetitions of 100 periods of 10
// values (read from its files and formatted).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "bench_models.h"
#include "diagram/diagram_svg.h"
#include "diagram/model_graph.h"
#include "results_csv/results_csv.h"
#include "run_results/simulation_results.h"

namespace korva::bench {
namespace {

namespace fs = std::filesystem;

fs::path Folder(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("korva-bench-" + name + "-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  return dir;
}

void Write(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

// n elements: a tenth are inputs, each other one influenced by two to four
// elements before it (the one just before among them, so the levels are
// many), and every fiftieth closes a loop of three.
void WriteLargeModel(const fs::path& dir, int n) {
  std::mt19937 random(7);
  std::string list, matrix;
  const int inputs = n / 10;
  for (const std::string& name : Names(n)) list += name + "\r\n";
  for (int i = inputs + 1; i <= n; ++i) {
    std::string row = Id(i) + "    " + Id(i - 1);
    const int more = 1 + static_cast<int>(random() % 3);
    for (int k = 0; k < more; ++k) row += "," + Id(1 + static_cast<int>(random() % static_cast<unsigned>(i - 1)));
    if (i % 50 == 0 && i + 2 <= n) row += "," + Id(i + 2);
    matrix += row + "\r\n";
  }
  Write(dir / "LBIG.txt", list);
  Write(dir / "CBIG.txt", matrix);
}

void BM_DiagramOfALargeModel(benchmark::State& state) {
  const fs::path dir = Folder("diagram");
  WriteLargeModel(dir, static_cast<int>(state.range(0)));
  FileSystem files;
  size_t bytes = 0;
  for (auto _ : state) {
    Checked<ModelGraph> graph = ReadModelGraph(files, dir.string(), "BIG", false);
    Checked<std::string> svg = DrawDiagram(*graph, "Modelo BIG");
    bytes = svg.ok() ? svg->size() : 0;
  }
  state.counters["svg_MB"] = static_cast<double>(bytes) / 1e6;
  fs::remove_all(dir);
}
BENCHMARK(BM_DiagramOfALargeModel)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The files a simulation of `reps` repetitions of `periods` periods of ten
// values leaves: the results program's table, R1ic, resul1 and resul1.ale.
void WriteRepeatedSimulation(const fs::path& dir, int reps, int periods) {
  std::string table = " :";
  for (int k = 1; k <= 10; ++k) {
    const std::string n = std::to_string(k);
    table += "uid(" + n + ")=\"V" + n + "\":uel(" + n + ")=\"V" + n + " valor " + n + "...\":izor(" + n + ")=ica:";
  }
  Write(dir / "RBIG.bas", "50 nvs= 10:vper=\"dia\"\r\n54 redim aic( 0):uaic=\"\":nl=15\r\n" + table + "\r\n");
  Write(dir / "R1ic", "10,\"s\"," + std::to_string(periods) + ",1,0," + std::to_string(reps) + "\r\n");
  std::string stats;
  for (int i = 0; i < periods * 10; ++i) stats += "1.234567,.1234567,2.345678\r\n";
  Write(dir / "resul1", stats);
  std::string records(static_cast<size_t>(reps) * periods * 10 * 4, '\0');
  for (size_t i = 0; i < records.size() / 4; ++i) {
    const float x = 1.0f + static_cast<float>(i % 977) / 977.0f;
    std::memcpy(&records[4 * i], &x, 4);
  }
  Write(dir / "resul1.ale", records);
}

void BM_RepetitionsCsv(benchmark::State& state) {
  const fs::path dir = Folder("csv");
  WriteRepeatedSimulation(dir, static_cast<int>(state.range(0)), 100);
  FileSystem files;
  size_t bytes = 0;
  for (auto _ : state) {
    Checked<SimulationResults> results = ReadSimulationResults(files, dir.string(), "BIG", 1);
    Checked<Repetitions> reps = ReadRepetitions(files, dir.string(), *results);
    bytes = RepetitionsCsv(*results, *reps).size();
  }
  state.counters["csv_MB"] = static_cast<double>(bytes) / 1e6;
  fs::remove_all(dir);
}
BENCHMARK(BM_RepetitionsCsv)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korva::bench

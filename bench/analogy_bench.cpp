// The analogy search over a library of 1,000 models of 100 elements each:
// every model's four files read and levelled, the keyword looked for in every
// name, and the proposed model completed from what is selected.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analogy/analogy_search.h"
#include "bench_models.h"
#include "dialogue/scripted_dialogue.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using bench::ReportPeakMemory;

std::string Id(int model, int element) {
  char id[16];
  std::snprintf(id, sizeof id, "X%04d%03d", model, element);
  return id;
}

void WriteLines(const fs::path& file, const std::vector<std::string>& lines) {
  std::ofstream out(file, std::ios::binary);
  for (const std::string& line : lines) out << line << "\r\n";
}

// Model m: elements 1..30 are inputs; element e > 30 uses e - 1 and e - 30.
// The last element of every 50th model is a population: the keyword selects
// it and the whole model behind it.
void WriteLibraryModel(const fs::path& dir, int m) {
  std::vector<std::string> list, matrix, equations, records = {"\"Nombre del simulador\",\"M\""};
  for (int e = 1; e <= 100; ++e) {
    const std::string id = Id(m, e);
    std::string name = id + (e == 100 && m % 50 == 0 ? " poblacion total" : " variable " + std::to_string(e));
    list.push_back(name);
    records.push_back("\"" + name + "\"");
    if (e <= 30) {
      records.insert(records.end(),
                     {"\"   Cambios de valor\",\"0\"", "\"   ¿Dimensional?\",\"n\"", "\"   ¿Correcto?\",\"s\""});
      continue;
    }
    matrix.push_back(id + "    " + Id(m, e - 30) + "," + Id(m, e - 1));
    equations.push_back(id + " " + id + " = " + Id(m, e - 30) + " + " + Id(m, e - 1));
    records.insert(records.end(),
                   {"\"   La funcion\",\"" + id + "=f()\",\"¿Lleva incertidumbre?\",\"n\"", "\"   ¿De estado?\",\"n\"",
                    "\"   ¿Dimensional?\",\"n\"", "\"   ¿Tabla?\",\"n\"", "\"   ¿Correcto?\",\"s\""});
  }
  const std::string name = "M" + std::to_string(m);
  WriteLines(dir / ("L" + name + ".txt"), list);
  WriteLines(dir / ("C" + name + ".txt"), matrix);
  WriteLines(dir / ("G" + name + ".txt"), equations);
  WriteLines(dir / ("M" + name + ".txt"), records);
}

void BM_AnalogySearchLibrary(benchmark::State& state) {
  const int models = static_cast<int>(state.range(0));
  fs::path dir = fs::temp_directory_path() / ("korva-analogy-bench-" + std::to_string(models));
  fs::create_directories(dir / "biblioteca");
  std::vector<std::string> entries;
  for (int m = 1; m <= models; ++m) {
    WriteLibraryModel(dir / "biblioteca", m);
    entries.push_back("biblioteca\\LM" + std::to_string(m));
  }
  WriteLines(dir / "BIBLIO.txt", entries);
  size_t proposed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(dir / "MODELO1.txt");
    ScriptedDialogue box({"1", "poblacion", "BIBLIO", "n"});
    FileSystem files;
    RunContext run(box, files);
    run.WorkDir = dir.string() + "/";
    run.LogNumber = 1;
    run.Log.Open(files, run.WorkDir, 1);
    ModelCycle cycle;
    cycle.ModelName = "PROP";
    state.ResumeTiming();
    AnalogySearch(run, cycle, 30000);
    if (box.remaining() != 0) state.SkipWithError("the search did not reach its closing question");
    proposed = static_cast<size_t>(cycle.Model.ElementCount);
    run.Log.Close();
  }
  state.counters["proposed_elements"] = static_cast<double>(proposed);
  fs::remove_all(dir);
  ReportPeakMemory(state);
}
BENCHMARK(BM_AnalogySearchLibrary)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korva

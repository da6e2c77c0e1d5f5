// A whole create cycle of a large model replayed from its answers log: element
// list, equations file, calculation order, set-up and specification of every
// element through the complete simulator. Every name carries bracket codes,
// and the codes are trusted, so that the modeller is asked nothing but what
// lies outside the log.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "bench_models.h"
#include "dialogue/dialogue.h"
#include "dispatch/main_dialogue.h"
#include "files/file_system.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using bench::Id;

// Answers each prompt by the first rule whose text it holds.
class RuleDialogue : public Dialogue {
 public:
  explicit RuleDialogue(std::vector<std::pair<std::string, std::string>> rules) : rules_(std::move(rules)) {}
  void MessageBox(const std::string&) override { ++messages; }
  std::optional<std::string> InputBox(const std::string& prompt) override {
    for (const auto& [text, answer] : rules_) {
      if (prompt.find(text) != std::string::npos) return answer;
    }
    throw std::runtime_error("no answer for: " + prompt);
  }
  long messages = 0;

 private:
  std::vector<std::pair<std::string, std::string>> rules_;
};

// A dynamic model of n elements: the first third inputs, each other element
// calculated from one input and, in the last third, from an element of the
// middle third; the equations file gives the matrix.
void WriteModel(const fs::path& dir, int n) {
  const int inputs = n / 3;
  std::ofstream list(dir / "LBIG.txt", std::ios::binary);
  std::ofstream equations(dir / "GBIG.txt", std::ios::binary);
  for (int i = 1; i <= n; ++i) {
    if (i <= inputs) {
      list << Id(i) << " entrada numero " << i << " [cval=0;ndim=0;\r\n";
      continue;
    }
    list << Id(i) << " calculo numero " << i << " [ince=n;esta=n;ndim=0;tabl=n;\r\n";
    std::string input = Id((i - 1) % inputs + 1);
    equations << Id(i) << " " << Id(i) << " = " << input << (i > 2 * inputs ? " + " + Id(i - inputs) : " + 1")
              << "\r\n";
  }
}

std::vector<std::pair<std::string, std::string>> Rules(const std::string& dir) {
  return {{"¿En que directorio", dir},
          {"Seguimos", "s"},
          {"Modelo* tiene grabadas", "1"},
          {"(c) crear", "c"},
          {"quiere llamar a su modelo", "BIG"},
          {"servirá para", "modelo grande"},
          {"grabada por completo la lista", "s"},
          {"ver la lista por pantalla", "n"},
          {"¿Desea continuar?", "s"},
          {"funciones escritas y correctas en el fichero G", "s"},
          {"matriz causal", "n"},
          {"otra vez", "n"},
          {"orden de c", "s"},
          {"especificaciones", "n"},
          {"algoritmo genético", "n"},
          {"sistema dinámico", "s"},
          {"unidad de tiempo", "dia"},
          {"incertidumbre en:", "n"},
          {"sin comprobar nada", "s"},
          {"dejarlo", "n"},
          {"funciones grabadas y correctas", "s"},
          {"algo más", "n"}};
}

int RunCreate(const fs::path& dir) {
  RuleDialogue box(Rules(dir.string()));
  FileSystem files;
  RunState run(box, files);
  return MainDialogue(run);
}

void BM_CreateLargeModelFromItsLog(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const fs::path dir = fs::temp_directory_path() / ("korva-create-bench-" + std::to_string(n));
  fs::remove_all(dir);
  fs::create_directories(dir);
  WriteModel(dir, n);
  // The first run answers and records; the timed runs replay its log.
  if (RunCreate(dir) != 0) state.SkipWithError("the recording run failed");
  const fs::path log = dir / "MODELO1.txt";
  const fs::path recorded = dir / "recorded.txt";
  fs::copy_file(log, recorded);
  for (auto _ : state) {
    state.PauseTiming();
    fs::copy_file(recorded, log, fs::copy_options::overwrite_existing);
    state.ResumeTiming();
    if (RunCreate(dir) != 0) state.SkipWithError("the replay failed");
  }
  std::ifstream simulator(dir / "SBIG.bas");
  std::string line, last;
  int outputs = 0;
  while (std::getline(simulator, line)) {
    outputs += line.find("write #2,") != std::string::npos;
    last = line;
  }
  if (last.find("   ") != 0 || outputs != n - n / 3) state.SkipWithError("the simulator is not complete");
  state.counters["outputs"] = outputs;
  fs::remove_all(dir);
}
BENCHMARK(BM_CreateLargeModelFromItsLog)->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace korva

#pragma once
// A large dynamic model made through the whole create path, for the benchmarks
// that time the create cycle and the run of its simulator.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_models.h"
#include "dialogue/dialogue.h"
#include "dispatch/main_dialogue.h"
#include "files/file_system.h"

namespace korva::bench {

namespace fs = std::filesystem;

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

// How the calculated elements of a large model depend on one another; each
// also depends on one input.
enum class Shape {
  kThirds,  // the last third each on an element of the middle third
  kChain,   // each on the calculated element before it: one chain through them all
  kRandom,  // each on two calculated elements before it, drawn at random
};

// Identifiers of one length, "E" and six digits, whatever the size of the
// model: none is part of another, and every size has as much text per element.
inline std::string ModelId(int i) {
  char id[16];
  std::snprintf(id, sizeof id, "E%06d", i);
  return id;
}

// A dynamic model of n elements: the first third inputs, each other element
// calculated from one input and from others as `shape` says; the equations
// file gives the matrix. The random graph is the same for the same n. The
// first shape keeps "E<five digits>" up to 99,999 elements.
inline void WriteModel(const fs::path& dir, int n, Shape shape = Shape::kThirds) {
  const int inputs = n / 3;
  auto id = [&](int i) { return shape == Shape::kThirds && n <= 99999 ? Id(i) : ModelId(i); };
  uint64_t seed = 0x9E3779B97F4A7C15ULL;
  auto draw = [&](int below) {  // splitmix64, so the graph does not depend on the library
    uint64_t z = (seed += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<int>((z ^ (z >> 31)) % static_cast<uint64_t>(below));
  };
  std::ofstream list(dir / "LBIG.txt", std::ios::binary);
  std::ofstream equations(dir / "GBIG.txt", std::ios::binary);
  for (int i = 1; i <= n; ++i) {
    if (i <= inputs) {
      list << id(i) << " entrada numero " << i << " [cval=0;ndim=0;\r\n";
      continue;
    }
    list << id(i) << " calculo numero " << i << " [ince=n;esta=n;ndim=0;tabl=n;\r\n";
    std::string rhs = id((i - 1) % inputs + 1);
    const int calculatedBefore = i - 1 - inputs;
    switch (shape) {
      case Shape::kThirds:
        rhs += i > 2 * inputs ? " + " + id(i - inputs) : " + 1";
        break;
      case Shape::kChain:
        rhs += calculatedBefore > 0 ? " + " + id(i - 1) : " + 1";
        break;
      case Shape::kRandom:
        if (calculatedBefore == 0) rhs += " + 1";
        for (int k = 0; k < 2 && calculatedBefore > 0; ++k) rhs += " + " + id(inputs + 1 + draw(calculatedBefore));
        break;
    }
    equations << id(i) << " " << id(i) << " = " << rhs << "\r\n";
  }
}

inline std::vector<std::pair<std::string, std::string>> Rules(const std::string& dir) {
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

inline int RunCreate(const fs::path& dir) {
  RuleDialogue box(Rules(dir.string()));
  FileSystem files;
  RunState run(box, files);
  return MainDialogue(run);
}

// A model of `inputs` inputs and one element calculated from the first; with
// `longElement`, also one element calculated from all the inputs through one
// equation line.
inline void WriteFanInModel(const fs::path& dir, int inputs, bool longElement) {
  const int n = inputs + 2;
  std::ofstream list(dir / "LBIG.txt", std::ios::binary);
  std::ofstream equations(dir / "GBIG.txt", std::ios::binary);
  for (int i = 1; i <= inputs; ++i) list << ModelId(i) << " entrada numero " << i << " [cval=0;ndim=0;\r\n";
  list << ModelId(inputs + 1) << " calculo corto [ince=n;esta=n;ndim=0;tabl=n;\r\n";
  equations << ModelId(inputs + 1) << " " << ModelId(inputs + 1) << " = " << ModelId(1) << " + 1\r\n";
  if (!longElement) return;
  list << ModelId(n) << " calculo de todas [ince=n;esta=n;ndim=0;tabl=n;\r\n";
  equations << ModelId(n) << " " << ModelId(n) << " = " << ModelId(1);
  for (int i = 2; i <= inputs; ++i) equations << " + " << ModelId(i);
  equations << "\r\n";
}

inline std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A model made once in its own directory under the temporary one, with the
// answers log of the run that made it kept aside so that every replay starts
// from it. The directory goes with the object.
class RecordedModel {
 public:
  RecordedModel(benchmark::State& state, const std::string& name, const std::function<void(const fs::path&)>& write)
      : dir_(fs::temp_directory_path() / ("korva-" + name)) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    write(dir_);
    if (RunCreate(dir_) != 0) state.SkipWithError("the recording run failed");
    fs::copy_file(Log(), dir_ / "recorded.txt");
  }
  ~RecordedModel() { fs::remove_all(dir_); }
  RecordedModel(const RecordedModel&) = delete;
  RecordedModel& operator=(const RecordedModel&) = delete;

  const fs::path& Dir() const { return dir_; }
  fs::path Log() const { return dir_ / "MODELO1.txt"; }
  void RestoreLog() const { fs::copy_file(dir_ / "recorded.txt", Log(), fs::copy_options::overwrite_existing); }

  // One replay of the log, timed by `state` without restoring the log.
  int Replay(benchmark::State& state) const {
    state.PauseTiming();
    RestoreLog();
    state.ResumeTiming();
    return RunCreate(dir_);
  }

 private:
  fs::path dir_;
};

}  // namespace korva::bench

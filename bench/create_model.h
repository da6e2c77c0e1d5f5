#pragma once
// A large dynamic model made through the whole create path, for the benchmarks
// that time the create cycle and the run of its simulator.
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

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

// A dynamic model of n elements: the first third inputs, each other element
// calculated from one input and, in the last third, from an element of the
// middle third; the equations file gives the matrix.
// Element identifiers are all of one length: "E<five digits>", or
// "E<six digits>" for a model of more than 99,999 elements.
inline std::string ModelId(int i, int n) {
  if (n <= 99999) return Id(i);
  char id[16];
  std::snprintf(id, sizeof id, "E%06d", i);
  return id;
}

inline void WriteModel(const fs::path& dir, int n) {
  const int inputs = n / 3;
  auto id = [n](int i) { return ModelId(i, n); };
  std::ofstream list(dir / "LBIG.txt", std::ios::binary);
  std::ofstream equations(dir / "GBIG.txt", std::ios::binary);
  for (int i = 1; i <= n; ++i) {
    if (i <= inputs) {
      list << id(i) << " entrada numero " << i << " [cval=0;ndim=0;\r\n";
      continue;
    }
    list << id(i) << " calculo numero " << i << " [ince=n;esta=n;ndim=0;tabl=n;\r\n";
    std::string input = id((i - 1) % inputs + 1);
    equations << id(i) << " " << id(i) << " = " << input << (i > 2 * inputs ? " + " + id(i - inputs) : " + 1")
              << "\r\n";
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

}  // namespace korva::bench

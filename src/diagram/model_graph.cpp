#include "diagram/model_graph.h"

#include <algorithm>
#include <memory>

#include "diagram/simulator_kinds.h"
#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/element_list.h"
#include "model/matrix_derivation.h"
#include "model/model_tables.h"
#include "run_results/results_table.h"

namespace korva {
namespace {

std::string InDirectory(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  const char last = directory.back();
  return last == '/' || last == '\\' ? directory + name : directory + "/" + name;
}

bool ReadLines(FileSystem& files, const std::string& name, std::vector<std::string>& lines) {
  FileError error;
  std::unique_ptr<InputFile> in = files.OpenInput(name, error);
  if (!in) return false;
  for (std::string line; in->ReadLine(line);) lines.push_back(line);
  return true;
}

}  // namespace

std::vector<std::vector<int>> FindLoops(int count, const std::vector<std::pair<int, int>>& connections) {
  // Tarjan's strongly connected components, without recursion.
  const size_t n = static_cast<size_t>(count);
  std::vector<std::vector<int>> next(n);
  std::vector<bool> selfLoop(n, false);
  for (const auto& [from, to] : connections) {
    next[static_cast<size_t>(from)].push_back(to);
    if (from == to) selfLoop[static_cast<size_t>(from)] = true;
  }
  std::vector<int> index(n, -1), low(n, 0);
  std::vector<bool> onStack(n, false);
  std::vector<int> stack;
  std::vector<std::pair<int, size_t>> calls;  // element, next successor to visit
  std::vector<std::vector<int>> loops;
  int counter = 0;
  for (int root = 0; root < count; ++root) {
    if (index[static_cast<size_t>(root)] >= 0) continue;
    calls.emplace_back(root, 0);
    while (!calls.empty()) {
      auto& [v, at] = calls.back();
      const size_t vi = static_cast<size_t>(v);
      if (at == 0 && index[vi] < 0) {
        index[vi] = low[vi] = counter++;
        stack.push_back(v);
        onStack[vi] = true;
      }
      if (at < next[vi].size()) {
        const int w = next[vi][at++];
        const size_t wi = static_cast<size_t>(w);
        if (index[wi] < 0) {
          calls.emplace_back(w, 0);
        } else if (onStack[wi]) {
          low[vi] = std::min(low[vi], index[wi]);
        }
        continue;
      }
      if (low[vi] == index[vi]) {
        std::vector<int> component;
        int w;
        do {
          w = stack.back();
          stack.pop_back();
          onStack[static_cast<size_t>(w)] = false;
          component.push_back(w);
        } while (w != v);
        if (component.size() > 1 || selfLoop[vi]) {
          std::sort(component.begin(), component.end());
          loops.push_back(std::move(component));
        }
      }
      const int done = v;
      calls.pop_back();
      if (!calls.empty()) {
        const size_t parent = static_cast<size_t>(calls.back().first);
        low[parent] = std::min(low[parent], low[static_cast<size_t>(done)]);
      }
    }
  }
  std::sort(loops.begin(), loops.end());
  return loops;
}

Checked<ModelGraph> ReadModelGraph(FileSystem& files, const std::string& directory, const std::string& model,
                                   bool subsystems) {
  const std::string listName = (subsystems ? "ls" : "L") + model + ".txt";
  const std::string matrixName = (subsystems ? "cs" : "C") + model + ".txt";
  std::vector<std::string> listLines;
  if (!ReadLines(files, InDirectory(directory, listName), listLines)) {
    return Failure{"No encuentro la lista de elementos " + listName + " en " + directory + "."};
  }
  ModelTables tables;
  std::vector<std::string> names;
  for (const std::string& line : listLines) {
    if (!IsBlankLine(line)) names.push_back(line);
  }
  SizeElementTables(tables, static_cast<int>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) tables.ElementList[i + 1] = names[i];
  if (!DeriveIdentifiers(tables)) {
    return Failure{"La lista de elementos " + listName + " no empieza por un identificador y su nombre."};
  }
  std::vector<std::string> matrixLines;
  if (!ReadLines(files, InDirectory(directory, matrixName), matrixLines)) {
    std::vector<std::string> equations;
    if (subsystems || !ReadLines(files, InDirectory(directory, "G" + model + ".txt"), equations)) {
      return Failure{"No encuentro la matriz de conexiones " + matrixName + " en " + directory +
                     (subsystems ? "." : " (ni las ecuaciones G" + model + ".txt de las que sale).")};
    }
    MatrixDerivation derived = DeriveMatrix(equations, tables, [](const std::string&) { return std::nullopt; });
    if (derived.abandoned || derived.badLine != 0) {
      return Failure{"Las ecuaciones G" + model + ".txt nombran elementos que no están en la lista " + listName +
                     ": no puedo sacar de ellas la matriz."};
    }
    matrixLines = std::move(derived.rows);
  }
  ReadMatrixLines(tables, matrixLines);
  Levelling levelling = LevelElements(tables);

  ModelGraph graph;
  graph.model = model;
  graph.levels = levelling.levelCount;
  const int n = tables.ElementCount;
  graph.elements.resize(static_cast<size_t>(n));
  for (int i = 1; i <= n; ++i) {
    GraphElement& e = graph.elements[static_cast<size_t>(i - 1)];
    e.id = tables.ElementIds[i];
    e.name = NameWithoutCodes(tables.ElementList[i]);
    e.level = levelling.levels[static_cast<size_t>(i)];
    graph.levels = std::max(graph.levels, e.level);
    bool influenced = false;
    std::vector<int> seen;
    for (const std::string& influence : tables.ConnectionMatrix[static_cast<size_t>(i)]) {
      const int from = FindElement(tables, influence);
      if (influence.empty() || from == 0) continue;
      influenced = true;
      if (std::find(seen.begin(), seen.end(), from) != seen.end()) continue;
      seen.push_back(from);
      graph.connections.emplace_back(from - 1, i - 1);
    }
    e.kind = influenced ? ElementKind::kCalculated : ElementKind::kInput;
  }
  graph.loops = FindLoops(n, graph.connections);
  for (size_t k = 0; k < graph.loops.size(); ++k) {
    for (int i : graph.loops[k]) graph.elements[static_cast<size_t>(i)].loop = static_cast<int>(k);
  }
  if (!subsystems) {
    std::vector<std::string> simulator;
    if (ReadLines(files, InDirectory(directory, "S" + model + ".bas"), simulator)) {
      ApplySimulatorKinds(simulator, graph);
      graph.kindsKnown = true;
    }
  }
  return graph;
}

}  // namespace korva

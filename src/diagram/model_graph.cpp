#include "diagram/model_graph.h"

#include <algorithm>
#include <memory>

#include "files/folder_files.h"
#include "diagram/simulator_kinds.h"
#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/element_list.h"
#include "model/matrix_derivation.h"
#include "model/model_tables.h"
#include "run_results/results_table.h"

namespace korva {
namespace {

}  // namespace

namespace {

// The strongly connected components (Tarjan, without recursion): each
// element's component, and the components in the order found, which is a
// reverse topological order (a component comes before those that influence it).
struct Components {
  std::vector<int> of;                   // per element
  std::vector<std::vector<int>> members;  // per component
  std::vector<std::vector<int>> next;     // successors per element
};

Components StrongComponents(int count, const std::vector<std::pair<int, int>>& connections) {
  const size_t n = static_cast<size_t>(count);
  Components result;
  result.of.assign(n, -1);
  result.next.resize(n);
  for (const auto& [from, to] : connections) result.next[static_cast<size_t>(from)].push_back(to);
  const std::vector<std::vector<int>>& next = result.next;
  std::vector<int> index(n, -1), low(n, 0);
  std::vector<bool> onStack(n, false);
  std::vector<int> stack;
  std::vector<std::pair<int, size_t>> calls;  // element, next successor to visit
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
          result.of[static_cast<size_t>(w)] = static_cast<int>(result.members.size());
          component.push_back(w);
        } while (w != v);
        result.members.push_back(std::move(component));
      }
      const int done = v;
      calls.pop_back();
      if (!calls.empty()) {
        const size_t parent = static_cast<size_t>(calls.back().first);
        low[parent] = std::min(low[parent], low[static_cast<size_t>(done)]);
      }
    }
  }
  return result;
}

}  // namespace

std::vector<std::vector<int>> FindLoops(int count, const std::vector<std::pair<int, int>>& connections) {
  Components components = StrongComponents(count, connections);
  std::vector<std::vector<int>> loops;
  for (std::vector<int>& members : components.members) {
    const size_t first = static_cast<size_t>(members[0]);
    const bool selfLoop = std::find(components.next[first].begin(), components.next[first].end(), members[0]) !=
                          components.next[first].end();
    if (members.size() > 1 || selfLoop) {
      std::sort(members.begin(), members.end());
      loops.push_back(std::move(members));
    }
  }
  std::sort(loops.begin(), loops.end());
  return loops;
}

std::vector<int> DrawingRanks(int count, const std::vector<std::pair<int, int>>& connections) {
  Components components = StrongComponents(count, connections);
  std::vector<int> rank(components.members.size(), 1);
  // Influencing components come later in the order found: walk it backwards.
  for (size_t c = components.members.size(); c-- > 0;) {
    for (int v : components.members[c]) {
      for (int w : components.next[static_cast<size_t>(v)]) {
        const size_t target = static_cast<size_t>(components.of[static_cast<size_t>(w)]);
        if (target != c) rank[target] = std::max(rank[target], rank[c] + 1);
      }
    }
  }
  std::vector<int> ranks(static_cast<size_t>(count));
  for (size_t v = 0; v < ranks.size(); ++v) ranks[v] = rank[static_cast<size_t>(components.of[v])];
  return ranks;
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
  const std::vector<int> ranks = DrawingRanks(n, graph.connections);
  for (size_t i = 0; i < graph.elements.size(); ++i) graph.elements[i].rank = ranks[i];
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

#pragma once
// The influence graph of a model as its files give it: the elements of the
// list file with the kind each has in the simulator, the connections of the
// matrix, the calculation levels and the loops that keep elements out of the
// calculation order.
#include <string>
#include <vector>

#include "files/file_system.h"
#include "run_results/checked.h"

namespace korva {

enum class ElementKind {
  kInput,       // influenced by nothing: its value comes from the data
  kState,       // calculated, and carried to the next step as an input's value
  kCalculated,  // calculated from the elements that influence it
  kTable,       // calculated by looking it up in its table
};

struct GraphElement {
  std::string id;
  std::string name;  // the list text after the identifier, bracket codes left out
  ElementKind kind = ElementKind::kCalculated;
  bool uncertain = false;
  int level = 0;  // calculation level; 0 when a loop keeps it out of the order
  int loop = -1;  // the loop it belongs to, or -1
};

struct ModelGraph {
  std::string model;
  std::vector<GraphElement> elements;  // in list order
  // (influence, influenced): indices in `elements`, one per distinct connection.
  std::vector<std::pair<int, int>> connections;
  // The elements of each loop (a set of elements that influence one another
  // round a cycle), in list order; each loop drawn in its own colour.
  std::vector<std::vector<int>> loops;
  int levels = 0;          // highest calculation level
  bool kindsKnown = false; // the simulator module was read for states, tables and uncertainty
};

// Reads model `model` in `directory`: L<model>.txt and C<model>.txt (the
// matrix derived from G<model>.txt when there is no C file), or with
// `subsystems` the subsystem-level model ls<model>.txt and cs<model>.txt. The
// simulator S<model>.bas, when present, tells states, tables and uncertainty.
Checked<ModelGraph> ReadModelGraph(FileSystem& files, const std::string& directory, const std::string& model,
                                   bool subsystems);

// The loops among the elements: each strongly connected set of two or more
// elements, or one element that influences itself. Linear in the elements and
// connections. `count` elements, `connections` as in ModelGraph.
std::vector<std::vector<int>> FindLoops(int count, const std::vector<std::pair<int, int>>& connections);

}  // namespace korva

#pragma once
// The selection of a library model's elements for the proposed model: the
// elements whose names hold a keyword, with every element that influences them
// directly or indirectly; and what adding an element writes into the proposed
// model's list, matrix, equations and specifications.
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "analogy/library_model.h"

namespace korva {

// The elements selected, in the order they are added. Elements are visited
// level by level (level 1 first), by index within a level, and then those left
// without a level. A visited element whose name holds one of the keywords
// (plain, case-sensitive search) is selected; so is, depth first, every
// element its matrix row names that was not selected yet (unknown identifiers
// are passed over). The descent enters only newly selected elements, so a
// model with loops ends, and it keeps its own stack, so a chain of any length
// does. An element whose identifier `taken` names (already proposed from an
// earlier library model) is selected but not descended into: its definition
// is the earlier one, so what this model computes it from is not needed.
std::vector<int> SelectElements(const ModelTables& model, const std::vector<std::string>& keywords,
                                const std::function<bool(const std::string&)>& taken = nullptr);

// An identifier found in two library models with different definitions: the
// first model's was kept, the later one's left.
struct LeftDefinition {
  std::string Id;
  std::string KeptFrom;
  std::string LeftFrom;
};

// The proposed model as it is gathered from the library.
struct ProposedModel {
  std::vector<std::string> List;
  std::vector<std::string> Matrix;
  std::vector<std::string> Equations;
  std::vector<std::string> Specifications;
  // Every proposed identifier, with the model it came from and its
  // definition (matrix row, equations and records after the name).
  struct Origin {
    std::string Model;
    std::string Definition;
  };
  std::unordered_map<std::string, Origin> Taken;
  std::vector<LeftDefinition> Left;

  bool Has(const std::string& id) const { return Taken.find(id) != Taken.end(); }
};

// Adds the selected elements of a library model: each one's name, its matrix
// row (identifier, four blanks, the row's identifiers joined by commas), its
// equations (each line that starts with its identifier, with the lines after
// it that begin with three blanks) and its group of specification records.
// An identifier already proposed is added once: when this model defines it
// otherwise, the earlier definition stays and the difference is noted in
// `Left`. Returns how many definitions of this model were left.
size_t AddSelectedElements(const LibraryModel& library, const std::vector<int>& selected, ProposedModel& proposed);

}  // namespace korva

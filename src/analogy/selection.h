#pragma once
// The selection of a library model's elements for the proposed model: the
// elements whose names hold a keyword, with every element that influences them
// directly or indirectly; and what adding an element writes into the proposed
// model's list, matrix, equations and specifications.
#include <string>
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
// does.
std::vector<int> SelectElements(const ModelTables& model, const std::vector<std::string>& keywords);

// The proposed model as it is gathered from the library.
struct ProposedModel {
  std::vector<std::string> List;
  std::vector<std::string> Matrix;
  std::vector<std::string> Equations;
  std::vector<std::string> Specifications;
};

// Adds the selected elements of a library model: each one's name, its matrix
// row (identifier, four blanks, the row's identifiers joined by commas), its
// equations (each line that starts with its identifier, with the lines after
// it that begin with three blanks) and its group of specification records.
void AddSelectedElements(const LibraryModel& library, const std::vector<int>& selected, ProposedModel& proposed);

}  // namespace korva

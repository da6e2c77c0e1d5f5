#pragma once
// What a cycle knows of its model, from the main menu to the end of its path:
// the name and purpose, the element tables and how the matrix was obtained.
// A new cycle starts from a new one.
#include <string>
#include <vector>

#include "core/run_context.h"
#include "core/staged_files.h"
#include "model/model_tables.h"

namespace korva {

struct ModelCycle {
  std::string ModelName;
  std::string ModelPurpose;
  ModelTables Model;
  // kLabelMatrixFromEquations answered "s": the matrix was derived from the
  // equations file, which is then put in calculation order.
  bool MatrixFromEquations = false;
  // The stored lines of the equations file, when it was ordered in this cycle.
  std::vector<std::string> GLines;
};

// The full name of a file of the model: WorkDir + prefix + ModelName + extension.
inline std::string ModelFile(const RunContext& run, const ModelCycle& cycle, const std::string& prefix,
                             const std::string& extension) {
  return run.WorkDir + prefix + cycle.ModelName + extension;
}

// A file of the model built in stages (a module, its temporaries): the hidden
// name it is built under until CommitStaged puts it in place.
inline std::string StagedModelFile(RunContext& run, const ModelCycle& cycle, const std::string& prefix,
                                   const std::string& extension) {
  return StagedName(run, ModelFile(run, cycle, prefix, extension));
}

// What the model-structure dialogue does on the path that takes it.
struct StructurePath {
  bool AnnouncesEquations = false;           // create: the equations are announced before the levelling
  bool OffersEquationsFile = false;          // the matrix may be derived from the equations file
  bool OrdersEquations = false;              // a matrix derived from it puts the equations file in order
  bool OffersSpecificationOrdering = false;  // create: the specifications file may be put in order
};

}  // namespace korva

#pragma once
// The files an import leaves in the working directory, made from the plan:
// the element list L<model>.txt, the equations file G<model>.txt and the
// matrix C<model>.txt korva derives from it, the data file DATOS1.txt the
// data-entry program would write, and the prepared answers log
// Modelo<n>.txt that a create cycle replays to build the three programs.
#include <string>
#include <vector>

#include "files/file_system.h"
#include "model/model_tables.h"
#include "xmile/import_plan.h"

namespace korva::xmile {

struct KorvaModelFiles {
  std::vector<std::string> list, matrix, equations, data, log;
  ModelTables tables;  // levelled
};

// Everything the files hold, in memory. `modelName`: one word.
KorvaModelFiles MakeKorvaFiles(const ImportPlan& plan, const std::string& modelName);

// Writes the files into `directory` (which must exist): each written whole
// under a hidden name and put in place. False with `message` set on failure.
bool WriteKorvaFiles(FileSystem& files, const std::string& directory, const std::string& modelName, int logNumber,
                     const KorvaModelFiles& made, std::string& message);

}  // namespace korva::xmile

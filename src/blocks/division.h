#pragma once
// Dividing a model into its subsystems: the element list, connection matrix
// and equations of every subsystem, and the subsystems themselves as a model
// one level up (their list, the matrix of the subsystems they depend on, and
// the detail of the variables through which they are connected).
#include <string>
#include <string_view>
#include <vector>

#include "blocks/forming.h"
#include "files/record_fields.h"
#include "model/model_tables.h"

namespace korva {

// "SUB" + number, padded with blanks on the right to the width of the largest
// number, so that every identifier has one length.
std::string SubsystemId(int k, int subCount);

// The LSUB file: the full names of the members, in slot order.
std::vector<std::string> SubsystemListLines(const ModelTables& model, const Subsystems& subs, int k);

// The CSUB file: per member, its identifier, four blanks and, for a member
// computed there, its dependencies that are members too, each followed by a
// comma; the last character of the line removed.
std::vector<std::string> SubsystemMatrixLines(const ModelTables& model, const Subsystems& subs, int k);

// The equations of a model's equations file by the identifier that heads them:
// a line whose first IdLength characters are the identifier, with the lines
// after it that begin with IdLength + 1 blanks.
class EquationBlocks {
 public:
  EquationBlocks(std::vector<std::string> lines, int idLength);
  // Every block headed by `id`, in file order, appended to `out`.
  void AppendBlocks(std::string_view id, std::vector<std::string>& out) const;

 private:
  std::vector<std::string> lines_;
  int idLength_;
  std::vector<std::pair<std::string, int>> heads_;  // head text, line index; sorted by text
};

// The GSUB file: the equations of the members computed in the subsystem, in slot order.
std::vector<std::string> SubsystemEquationLines(const ModelTables& model, const Subsystems& subs, int k,
                                                const EquationBlocks& equations);

// For every subsystem k (1..SubCount), the subsystems it depends on, in
// ascending number: those that compute an element that is an input of k.
std::vector<std::vector<int>> SubsystemSuppliers(const Subsystems& subs, int elementCount);

// The subsystems as a model: identifiers "SUB1"..., full names as in the ls
// file, and as matrix rows the identifiers of their suppliers.
ModelTables SubsystemModel(const Subsystems& subs, const std::vector<std::vector<int>>& suppliers);

// `FindSubsystem`: the number of the last subsystem with that identifier, 0 when none.
int FindSubsystem(const ModelTables& subsystemModel, std::string_view id);

// The ls file's line of subsystem k: identifier, " Subsistema número", number.
std::string SubsystemNameLine(int k, int subCount);

// The cs file: identifier, four blanks, its suppliers' identifiers joined by
// commas; the last character removed.
std::vector<std::string> SubsystemConnectionLines(const ModelTables& subsystemModel);

// The es file, for a levelled subsystem model: for every subsystem of level 2
// or above in calculation order, the number of distinct elements it shares
// with its suppliers, then their identifiers (supplier by supplier, in the
// subsystem's slot order).
std::vector<std::vector<RecordField>> ConnectionDetailRecords(const ModelTables& model, const Subsystems& subs,
                                                              const ModelTables& subsystemModel);

}  // namespace korva

#pragma once
// Putting the model's files in calculation order: the equations file G into
// the ordered equations file F (without identifiers), and the specifications
// file M group by group.
#include <string>
#include <vector>

#include "model/model_cycle.h"

namespace korva {

// The equations file's lines as stored for ordering: empty and blank lines
// dropped, continuation lines with fewer than IdLength + 2 leading blanks
// brought to exactly IdLength + 2.
std::vector<std::string> StoreEquationLines(const std::vector<std::string>& lines, int idLength);

// The ordered equations file: for the elements of levels 2 and up in
// calculation order, every equation that starts with the element's
// identifier, in file order, each line from just after the identifier and its
// blank. One pass over the stored lines builds an index by identifier.
std::vector<std::string> OrderEquations(const std::vector<std::string>& stored, const ModelTables& model);

// Where the header of a specifications file ends: before the record that
// precedes its first "Cambios" record, or before the first record that begins
// an element's group when that comes earlier.
size_t SpecificationHeaderEnd(const std::vector<std::string>& records, const ModelTables& model);

// The element groups of records[from..] in calculation order (levels 1 and up,
// by index within a level); with `keepUnplaced`, the groups of elements left
// without a level follow, in index order, so that none is lost.
std::vector<std::string> OrderSpecificationGroups(const std::vector<std::string>& records, size_t from,
                                                  const ModelTables& model, bool keepUnplaced);

// The specifications file in calculation order: its header, then each
// element's group of records (levels 1 and up), with the record
// kLabelFunctionsRecorded answered "s" put before the group of the first
// element that has a state record.
std::vector<std::string> OrderSpecifications(const std::vector<std::string>& records, const ModelTables& model);

// The last step of the create dialogue: orders the equations (create and
// blocks paths, when the matrix came from the equations file) and, on request,
// the specifications (create path). The equations are kept in GLines.
void FileOrderingStep(RunContext& run, ModelCycle& cycle, const StructurePath& path);

}  // namespace korva

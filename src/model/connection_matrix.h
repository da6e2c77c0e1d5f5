#pragma once
// The connection matrix: for every element, the identifiers of the elements
// that influence it directly. Read from the matrix file C<model>.txt, derived
// from the equations file G<model>.txt, or typed element by element; then
// shown to the modeller on request.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_cycle.h"
#include "model/model_structure.h"

namespace korva {

StepOutcome ConnectionMatrixDialogue(RunContext& run, ModelCycle& cycle, const StructurePath& path);

// The review of the matrix (view question, listing, "¿Desea comprobar de nuevo
// la matriz?"), which the loop report of the calculation order also leads to.
void ReviewMatrix(RunContext& run, ModelCycle& cycle);

// Fills the matrix from the lines of a matrix file: each line's identifier is
// the text before its first blank, its influences the comma-separated list
// after its last blank. Lines for unknown identifiers are ignored; later lines
// for an element add the influences it does not hold yet. A row keeps its free
// places up to its last influence; `MaxDeps` is the widest line's field count.
void ReadMatrixLines(ModelTables& model, const std::vector<std::string>& lines);

// The line of the matrix listing file for element i: number, blank, identifier,
// and each influence at its column; the line ends at the row's last influence.
// Influences that would stand past column 32767 follow one blank apart.
// Written piece by piece, so that no line is ever held whole.
void WriteMatrixListingLine(const ModelTables& model, int i, const std::function<void(std::string_view)>& write);
std::string MatrixListingLine(const ModelTables& model, int i);

}  // namespace korva

#pragma once
// The connection matrix: for every element, the identifiers of the elements
// that influence it directly. Read from the matrix file C<model>.txt, derived
// from the equations file G<model>.txt, or typed element by element; then
// shown to the modeller on request.
#include <string>
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
// for an element add the influences it does not hold yet.
void ReadMatrixLines(ModelTables& model, const std::vector<std::string>& lines);

// The line of the matrix listing file for element i: number, blank, identifier,
// and each influence at its column.
std::string MatrixListingLine(const ModelTables& model, int i);

}  // namespace korva

#pragma once
// A model of the library, as the analogy search examines it: its list of
// elements, its matrix, its equations and its specifications, read from the
// files L, C, G and M of its directory, and its calculation levels.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/run_context.h"
#include "model/calculation_order.h"
#include "model/model_tables.h"

namespace korva {

// An entry of the library names file: the path of a model's list file without
// ".txt", taken in upper case. The model's directory is the text before its
// last "\L" ("/L" is taken too), its name the text after it; an entry that
// starts with "L" and names no directory is a model of the working directory.
struct LibraryEntry {
  std::string Directory;  // with its closing separator; empty for the working directory
  std::string Name;
};
std::optional<LibraryEntry> ParseLibraryEntry(std::string_view entry);

// The full name of one of the model's files (`kind` L, C, G or M): a relative
// directory is taken from the working directory.
std::string LibraryFileName(const RunContext& run, const LibraryEntry& entry, const std::string& kind);

struct LibraryModel {
  std::string Name;
  ModelTables Tables;                       // names, identifiers, matrix, levels
  std::vector<std::string> Equations;       // the equations file's lines, at most MaxGLines
  std::vector<std::string> Specifications;  // the specifications file's records
  bool HasLoops = false;                    // some element was left without a level
};

// The specifications as the proposed model takes them: one group per element,
// each opening with the element's name record.
// - The records of an input that follow no name record (an answers log of the
//   create path records none for inputs) are the input's run of answers up to
//   its accepted kLabelCorrect; the runs go, in order, to the inputs that
//   have no group of their own, in list order, each under its name record.
// - A model whose inputs were all uncertain (its header answers "t" to the
//   uncertainty of the inputs) gives each input group that lacks it the record
//   kLabelInputUncertain answered "s", so that it stays uncertain among other models' inputs.
void NormaliseSpecifications(LibraryModel& model);

// Reads the four files of a library model and levels it. A file that cannot
// be read is reported with its file-error message and the model is skipped
// (nothing is returned).
std::optional<LibraryModel> LoadLibraryModel(RunContext& run, const LibraryEntry& entry, int maxGLines);

// Element tables from names and matrix rows: identifiers, the identifier
// index, the matrix and the levels (the widest level raises MaxLevelWidth).
// IdLength is left to the caller.
Levelling FillModelTables(ModelTables& tables, std::vector<std::string> names,
                          const std::vector<std::string>& matrixLines);

// The model's tables from its files' lines: the non-blank lines of the list,
// the matrix rows; levelled.
void BuildLibraryTables(LibraryModel& model, const std::vector<std::string>& listLines,
                        const std::vector<std::string>& matrixLines);

// The loop report file's lines: each element's identifier followed by its
// level (0 for an element left without one), with its leading blank.
std::vector<std::string> LoopReportLines(const ModelTables& model);

}  // namespace korva

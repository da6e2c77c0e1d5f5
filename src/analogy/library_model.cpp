#include "analogy/library_model.h"

#include <algorithm>

#include "core/file_errors.h"
#include "files/file_error.h"
#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/element_list.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// Every line of a file, or nothing after its failure has been shown.
std::optional<std::vector<std::string>> ReadLibraryFile(RunContext& run, const std::string& name) {
  FileError error;
  std::unique_ptr<InputFile> in = run.Files.OpenInput(name, error);
  if (in == nullptr) {
    // A file in a folder that does not exist is as missing as one that does
    // not exist in its folder; saying so names the file for the modeller.
    if (error.number == vberr::kPathNotFound) error.number = vberr::kFileNotFound;
    ReportFileError(run, name, error);
    return std::nullopt;
  }
  std::vector<std::string> lines;
  std::string line;
  while (in->ReadLine(line)) lines.push_back(line);
  return lines;
}

}  // namespace

std::optional<LibraryEntry> ParseLibraryEntry(std::string_view text) {
  std::string entry = UpperCase(text);
  size_t backslash = entry.rfind("\\L");
  size_t slash = entry.rfind("/L");
  size_t at = backslash == std::string::npos ? slash
              : slash == std::string::npos   ? backslash
                                             : std::max(backslash, slash);
  if (at != std::string::npos) return LibraryEntry{entry.substr(0, at + 1), entry.substr(at + 2)};
  if (entry.size() > 1 && entry[0] == 'L') return LibraryEntry{"", entry.substr(1)};
  return std::nullopt;
}

std::string LibraryFileName(const RunContext& run, const LibraryEntry& entry, const std::string& kind) {
  const bool absolute = !entry.Directory.empty() && (entry.Directory[0] == '/' || entry.Directory[0] == '\\');
  return (absolute ? "" : run.WorkDir) + entry.Directory + kind + entry.Name + ".txt";
}

Levelling FillModelTables(ModelTables& tables, std::vector<std::string> names,
                          const std::vector<std::string>& matrixLines) {
  SizeElementTables(tables, static_cast<int>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) {
    tables.ElementIds[i + 1] = std::string(IdentifierOf(names[i]));
    tables.ElementList[i + 1] = std::move(names[i]);
  }
  tables.Ids.Rebuild(tables.ElementIds, tables.ElementCount);
  ReadMatrixLines(tables, matrixLines);
  Levelling levelling = LevelElements(tables);
  tables.CalcLevel = levelling.levels;
  tables.LevelCount = levelling.levelCount;
  tables.MaxLevelWidth = std::max(tables.MaxLevelWidth, levelling.widest);
  return levelling;
}

void BuildLibraryTables(LibraryModel& model, const std::vector<std::string>& listLines,
                        const std::vector<std::string>& matrixLines) {
  std::vector<std::string> names;
  for (const std::string& line : listLines) {
    if (!IsBlankLine(line)) names.push_back(line);
  }
  ModelTables& tables = model.Tables;
  model.HasLoops = !FillModelTables(tables, std::move(names), matrixLines).complete;
  // A library model's own identifier length is that of its first name.
  tables.IdLength = tables.ElementCount > 0 ? static_cast<int>(tables.ElementIds[1].size()) : 0;
}

std::optional<LibraryModel> LoadLibraryModel(RunContext& run, const LibraryEntry& entry, int maxGLines) {
  LibraryModel model;
  model.Name = entry.Name;
  std::optional<std::vector<std::string>> list = ReadLibraryFile(run, LibraryFileName(run, entry, "L"));
  if (!list) return std::nullopt;
  std::optional<std::vector<std::string>> matrix = ReadLibraryFile(run, LibraryFileName(run, entry, "C"));
  if (!matrix) return std::nullopt;
  std::optional<std::vector<std::string>> equations = ReadLibraryFile(run, LibraryFileName(run, entry, "G"));
  if (!equations) return std::nullopt;
  std::optional<std::vector<std::string>> specifications = ReadLibraryFile(run, LibraryFileName(run, entry, "M"));
  if (!specifications) return std::nullopt;
  BuildLibraryTables(model, *list, *matrix);
  for (std::string& line : *equations) {
    if (static_cast<int>(model.Equations.size()) >= maxGLines) break;
    if (!line.empty()) model.Equations.push_back(std::move(line));
  }
  model.Specifications = std::move(*specifications);
  return model;
}

std::vector<std::string> LoopReportLines(const ModelTables& model) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(model.ElementCount));
  for (int i = 1; i <= model.ElementCount; ++i) lines.push_back(model.ElementIds[i] + NumText(model.CalcLevel[i]));
  return lines;
}

}  // namespace korva

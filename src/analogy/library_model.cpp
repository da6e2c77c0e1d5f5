#include "analogy/library_model.h"

#include <algorithm>

#include "core/file_errors.h"
#include "core/log_labels.h"
#include "core/questions.h"
#include "files/record_fields.h"
#include "model/specification_records.h"
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
  NormaliseSpecifications(model);
  return model;
}

namespace {

// The answer of a record: its second field.
std::string Answer(std::string_view record) {
  size_t pos = 0;
  std::string field;
  ReadRecordField(record, pos, field);
  return ReadRecordField(record, pos, field) ? field : std::string();
}

bool HasLabel(std::string_view record, std::string_view label) { return SameLabel(FirstField(record), label); }

}  // namespace

void NormaliseSpecifications(LibraryModel& model) {
  const ModelTables& tables = model.Tables;
  std::vector<std::string>& records = model.Specifications;
  // Most files need nothing: every record of a group follows its name, and
  // the inputs' uncertainty is asked one by one, if at all.
  bool needed = false;
  bool named = false;
  for (const std::string& record : records) {
    if (!InGroup(record)) {
      named = tables.Ids.Last(GroupKey(record)) != 0;
      if (!named && HasLabel(record, kLabelInputsUncertainty) &&
          LowerCase(Answer(record)) == "t") {
        needed = true;
        break;
      }
    } else if (!named) {
      needed = true;
      break;
    }
  }
  if (!needed) return;
  bool allInputsUncertain = false;
  // Groups by element, in the order they come; runs of an input's answers
  // that follow no name record, in the order they come.
  std::vector<std::pair<int, std::vector<std::string>>> groups;
  std::vector<std::vector<std::string>> runs;
  bool runOpen = false;
  int owner = 0;
  std::vector<std::string> header;
  for (std::string& record : records) {
    if (!InGroup(record)) {
      runOpen = false;
      owner = tables.Ids.Last(GroupKey(record));
      if (owner != 0) {
        groups.emplace_back(owner, std::vector<std::string>{std::move(record)});
      } else {
        if (HasLabel(record, kLabelInputsUncertainty)) {
          allInputsUncertain = LowerCase(Answer(record)) == "t";
        }
        header.push_back(std::move(record));
      }
      continue;
    }
    if (owner != 0) {
      groups.back().second.push_back(std::move(record));
      continue;
    }
    if (!runOpen) runs.emplace_back();
    runOpen = true;
    const bool accepted = HasLabel(record, kLabelCorrect) && LowerCase(Answer(record)) != "n";
    runs.back().push_back(std::move(record));
    if (accepted) runOpen = false;
  }
  if (!runs.empty()) {
    std::vector<bool> grouped(static_cast<size_t>(tables.ElementCount) + 1, false);
    for (const auto& group : groups) grouped[static_cast<size_t>(group.first)] = true;
    size_t next = 0;
    for (int i = 1; i <= tables.ElementCount && next < runs.size(); ++i) {
      if (tables.CalcLevel[i] != 1 || grouped[static_cast<size_t>(i)]) continue;
      std::vector<std::string> group{FormatRecord({RecordField::Text(tables.ElementList[i])})};
      group.insert(group.end(), std::make_move_iterator(runs[next].begin()),
                   std::make_move_iterator(runs[next].end()));
      groups.emplace_back(i, std::move(group));
      ++next;
    }
  }
  records = std::move(header);
  for (auto& [element, group] : groups) {
    const bool addUncertainty =
        allInputsUncertain && tables.CalcLevel[element] == 1 &&
        std::none_of(group.begin() + 1, group.end(),
                     [](const std::string& r) { return HasLabel(r, kLabelInputUncertain); });
    records.push_back(std::move(group[0]));
    if (addUncertainty) records.push_back(FormatRecord({RecordField::Text(std::string(kLabelInputUncertain)), RecordField::Text("s")}));
    records.insert(records.end(), std::make_move_iterator(group.begin() + 1), std::make_move_iterator(group.end()));
  }
}

std::vector<std::string> LoopReportLines(const ModelTables& model) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(model.ElementCount));
  for (int i = 1; i <= model.ElementCount; ++i) lines.push_back(model.ElementIds[i] + NumText(model.CalcLevel[i]));
  return lines;
}

}  // namespace korva

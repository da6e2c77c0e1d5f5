#include "xmile/korva_model_reader.h"

#include <cstdlib>

#include "files/folder_files.h"
#include "core/log_labels.h"
#include "core/questions.h"
#include "files/record_fields.h"
#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/element_list.h"
#include "model/matrix_derivation.h"
#include "simgen/bracket_codes.h"

namespace korva::xmile {
namespace {

std::vector<std::string> Fields(const std::string& record) {
  std::vector<std::string> fields;
  size_t pos = 0;
  for (std::string field; ReadRecordField(record, pos, field);) fields.push_back(field);
  return fields;
}

std::string Trimmed(std::string text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// The specifications: M<name>.txt, else the answers log that names the model.
std::vector<std::string> SpecificationRecords(FileSystem& files, const std::string& base, const std::string& name) {
  std::vector<std::string> records;
  if (ReadLines(files, base + "M" + name + ".txt", records)) return records;
  for (int n = 0; n <= 9; ++n) {
    records.clear();
    if (!ReadLines(files, base + "Modelo" + std::to_string(n) + ".txt", records)) continue;
    for (const std::string& record : records) {
      const std::vector<std::string> fields = Fields(record);
      if (fields.size() == 2 && SameLabel(fields[0], kLabelModelName) && fields[1] == name) return records;
    }
  }
  return {};
}

class ModelReader {
 public:
  ModelReader(FileSystem& files, const std::string& directory, const std::string& name, KorvaModel& model)
      : files_(files), base_(directory.empty() || directory.back() == '/' ? directory : directory + "/"),
        name_(name), model_(model) {}

  bool Read(std::string& message) {
    std::vector<std::string> list;
    if (!ReadLines(files_, base_ + "L" + name_ + ".txt", list)) {
      message = "No se puede leer la lista de elementos " + base_ + "L" + name_ + ".txt.";
      return false;
    }
    std::vector<std::string> names;
    for (const std::string& line : list) {
      if (!Trimmed(line).empty()) names.push_back(Trimmed(line));
    }
    ModelTables& tables = model_.tables;
    SizeElementTables(tables, static_cast<int>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
      tables.ElementList[i + 1] = names[i];
      tables.ElementIds[i + 1] = std::string(IdentifierOf(names[i]));
    }
    tables.IdLength = names.empty() ? 0 : static_cast<int>(tables.ElementIds[1].size());
    tables.Ids.Rebuild(tables.ElementIds, tables.ElementCount);
    std::vector<std::string> equations, rows;
    ReadLines(files_, base_ + "G" + name_ + ".txt", equations);
    if (!ReadLines(files_, base_ + "C" + name_ + ".txt", rows)) {
      if (equations.empty()) {
        message = "No se puede leer la matriz " + base_ + "C" + name_ + ".txt ni el fichero de ecuaciones G.";
        return false;
      }
      rows = DeriveMatrix(equations, tables, [](const std::string&) -> std::optional<std::string> {
               return std::nullopt;
             }).rows;
    }
    ReadMatrixLines(tables, rows);
    Levelling levelling = LevelElements(tables);
    tables.CalcLevel = levelling.levels;
    tables.LevelCount = levelling.levelCount;
    if (!levelling.complete) model_.notes.push_back("El modelo tiene bucles: no se exportan los elementos sin nivel.");
    for (int i = 1; i <= tables.ElementCount; ++i) {
      KorvaElement e;
      e.id = tables.ElementIds[static_cast<size_t>(i)];
      const std::string& full = tables.ElementList[static_cast<size_t>(i)];
      std::string rest = full.size() > e.id.size() ? full.substr(e.id.size() + 1) : "";
      e.description = Trimmed(rest.substr(0, rest.find('[')));
      e.input = tables.CalcLevel[static_cast<size_t>(i)] == 1;
      FromCodes(full, e);
      model_.elements.push_back(std::move(e));
    }
    Specifications();
    Functions(equations);
    Data();
    Control();
    return true;
  }

 private:
  void FromCodes(const std::string& full, KorvaElement& e) {
    const int length = model_.tables.IdLength;
    if (FixedCode(full, length, "esta=", 1) == std::optional<std::string>("s")) e.state = true;
    DelimitedCode initial = CodeToSemicolon(full, length, "inic=");
    if (initial.present) e.initialId = initial.value;
    if (FixedCode(full, length, "tabl=", 1) == std::optional<std::string>("s")) e.table = true;
    DelimitedCode dims = CodeToSemicolon(full, length, "ndim=");
    if (dims.present && std::atoi(dims.value.c_str()) > 0) e.dimensional = true;
  }

  KorvaElement* Element(const std::string& id) {
    const int i = model_.tables.Ids.First(id);
    return i == 0 ? nullptr : &model_.elements[static_cast<size_t>(i - 1)];
  }

  void Specifications() {
    const std::vector<std::string> records = SpecificationRecords(files_, base_, name_);
    const std::vector<int> inputs = CalcOrder(model_.tables, 1, 1);
    size_t nextInput = 0;
    bool inInputs = true;
    KorvaElement* current = nullptr;
    for (const std::string& record : records) {
      const std::vector<std::string> fields = Fields(record);
      if (fields.empty()) continue;
      const std::string& label = fields[0];
      const std::string answer = fields.size() > 1 ? fields[1] : "";
      if (fields.size() == 1 && !label.starts_with(" ")) {
        if (KorvaElement* named = Element(std::string(IdentifierOf(label)))) current = named;
        continue;
      }
      if (SameLabel(label, kLabelDynamic)) model_.dynamic = answer == "s";
      if (SameLabel(label, kLabelTimeUnit)) model_.timeUnit = answer;
      if (SameLabel(label, kLabelFunctionsRecorded)) inInputs = false;
      if (inInputs && current == nullptr && nextInput < inputs.size() &&
          (SameLabel(label, kLabelDimensional) || SameLabel(label, kLabelCorrect))) {
        KorvaElement& input = model_.elements[static_cast<size_t>(inputs[nextInput] - 1)];
        if (SameLabel(label, kLabelDimensional) && answer == "s") input.dimensional = true;
        if (SameLabel(label, kLabelCorrect) && answer == "s") ++nextInput;
        continue;
      }
      if (current == nullptr) continue;
      if (SameLabel(label, kLabelState)) current->state = answer == "s";
      if (SameLabel(label, kLabelInitialValue)) current->initialId = answer;
      if (SameLabel(label, kLabelTable)) current->table = answer == "s";
      if (SameLabel(label, kLabelTablePoints)) current->table = true;
      if (SameLabel(label, kLabelDimensional) && answer == "s") current->dimensional = true;
    }
  }

  // F holds the functions of the calculated elements in calculation order,
  // each a block (further lines begin with a blank); G holds them by identifier.
  void Functions(const std::vector<std::string>& equations) {
    std::vector<std::string> ordered;
    if (ReadLines(files_, base_ + "F" + name_ + ".txt", ordered)) {
      std::vector<std::vector<std::string>> blocks;
      for (const std::string& line : ordered) {
        if (line.empty()) continue;
        if (blocks.empty() || line[0] != ' ') blocks.emplace_back();
        blocks.back().push_back(line);
      }
      const std::vector<int> order = CalcOrder(model_.tables, 2);
      for (size_t k = 0; k < order.size() && k < blocks.size(); ++k) {
        model_.elements[static_cast<size_t>(order[k] - 1)].lines = blocks[k];
      }
      return;
    }
    KorvaElement* current = nullptr;
    for (const std::string& line : equations) {
      if (line.empty()) continue;
      if (line[0] != ' ') {
        const size_t blank = line.find(' ');
        current = Element(line.substr(0, blank));
        if (current != nullptr) current->lines.push_back(blank == std::string::npos ? "" : line.substr(blank + 1));
      } else if (current != nullptr) {
        current->lines.push_back(line);
      }
    }
    if (equations.empty()) model_.notes.push_back("No hay fichero de funciones F" + name_ + ".txt ni G" + name_ + ".txt.");
  }

  void Data() {
    std::vector<std::string> lines;
    if (!ReadLines(files_, base_ + "DATOS1.txt", lines)) return;
    for (size_t k = 0; k + 1 < lines.size(); ++k) {
      KorvaElement* e = Element(std::string(IdentifierOf(lines[k])));
      if (e == nullptr || !e->input || lines[k].size() <= e->id.size() || lines[k][e->id.size()] != ' ') continue;
      std::vector<std::string> fields = Fields(lines[k + 1]);
      if (!fields.empty()) e->datum = fields[0];
      ++k;
    }
  }

  void Control() {
    std::vector<std::string> lines;
    if (!ReadLines(files_, base_ + "R1ic", lines) || lines.empty()) return;
    const std::vector<std::string> fields = Fields(lines[0]);
    if (fields.size() < 6) return;
    ControlFile control;
    control.dynamic = fields[1] == "s";
    control.horizon = std::atof(fields[2].c_str());
    control.interval = std::atof(fields[3].c_str());
    control.start = std::atof(fields[4].c_str());
    model_.control = control;
  }

  FileSystem& files_;
  std::string base_;
  std::string name_;
  KorvaModel& model_;
};

}  // namespace

bool ReadKorvaModel(FileSystem& files, const std::string& directory, const std::string& name, KorvaModel& model,
                    std::string& message) {
  return ModelReader(files, directory, name, model).Read(message);
}

}  // namespace korva::xmile

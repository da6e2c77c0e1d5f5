#include "xmile/korva_files.h"

#include <cstdio>
#include <set>

#include "analogy/completion.h"
#include "core/log_labels.h"
#include "files/record_fields.h"
#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/matrix_derivation.h"
#include "model/specification_records.h"
#include "xmile/vb_translation.h"
#include "vbrun/number_text.h"
#include "vbrun/vb_error.h"

namespace korva::xmile {
namespace {

std::string Record(std::initializer_list<std::string_view> fields) {
  std::vector<RecordField> record;
  for (std::string_view field : fields) record.push_back(RecordField::Text(std::string(field)));
  return FormatRecord(record);
}

std::string LeftTrimmed(const std::string& line) {
  const size_t start = line.find_first_not_of(' ');
  return start == std::string::npos ? "" : line.substr(start);
}

std::string FunctionHeader(const ModelTables& model, int element) {
  std::string header = model.ElementIds[static_cast<size_t>(element)] + "=f(";
  std::string joined;
  for (const std::string& entry : model.ConnectionMatrix[static_cast<size_t>(element)]) {
    if (!entry.empty()) joined += (joined.empty() ? "" : ",") + entry;
  }
  return header + joined + ")";
}

// The data file's value of an input: the data-entry program reads the
// answer into a single-precision number and writes it as Write # writes one.
std::string DataValue(double value) {
  return vbrun::WriteText(static_cast<float>(value), vbrun::NumberKind::kSingle);
}

}  // namespace

KorvaModelFiles MakeKorvaFiles(const ImportPlan& plan, const std::string& modelName) {
  KorvaModelFiles made;
  ModelTables& model = made.tables;
  const int n = static_cast<int>(plan.elements.size());
  SizeElementTables(model, n);
  model.IdLength = plan.idLength;
  for (int i = 1; i <= n; ++i) {
    const PlannedElement& e = plan.elements[static_cast<size_t>(i - 1)];
    model.ElementIds[static_cast<size_t>(i)] = e.id;
    model.ElementList[static_cast<size_t>(i)] = e.id + " " + e.description;
    made.list.push_back(model.ElementList[static_cast<size_t>(i)]);
  }
  model.Ids.Rebuild(model.ElementIds, n);
  for (const PlannedElement& e : plan.elements) {
    if (e.input) continue;
    for (size_t k = 0; k < e.lines.size(); ++k) {
      made.equations.push_back(k == 0 ? e.id + " " + LeftTrimmed(e.lines[k]) : e.lines[k]);
    }
  }
  MatrixDerivation derived =
      DeriveMatrix(made.equations, model, [](const std::string&) -> std::optional<std::string> { return std::nullopt; });
  made.matrix = derived.rows;
  ReadMatrixLines(model, derived.rows);
  Levelling levelling = LevelElements(model);
  model.CalcLevel = std::move(levelling.levels);
  model.LevelCount = levelling.levelCount;
  model.MaxLevelWidth = levelling.widest;

  for (int i = 1; i <= n; ++i) {
    const PlannedElement& e = plan.elements[static_cast<size_t>(i - 1)];
    if (!e.input) continue;
    made.data.push_back(model.ElementList[static_cast<size_t>(i)]);
    made.data.push_back(DataValue(e.value));
  }

  // The answers log: what the create path asks when the list and the
  // equations are files, then every element's group.
  const ImpliedAnswers answers{"s", "n"};
  made.log = PreparedLogHeader(modelName, plan.modelName.empty() ? "simular un modelo XMILE" : "simular el modelo XMILE " + plan.modelName, answers);
  std::string unit = plan.sim.timeUnits;
  if (unit.empty() || unit.find_first_of("\",\r\n") != std::string::npos) unit = "periodo";
  for (std::string& record : made.log) {
    if (FirstField(record) == kLabelTimeUnit) record = Record({kLabelTimeUnit, unit});
  }
  std::vector<std::string> groups;
  std::set<std::string> initialValues;
  for (int i = 1; i <= n; ++i) {
    const PlannedElement& e = plan.elements[static_cast<size_t>(i - 1)];
    groups.push_back(Record({model.ElementList[static_cast<size_t>(i)]}));
    if (e.input) {
      groups.push_back(Record({kLabelDimensional, "n"}));
      groups.push_back(Record({kLabelCorrect, "s"}));
      continue;
    }
    groups.push_back(Record({kLabelFunction, FunctionHeader(model, i), kLabelFunctionUncertain, "n"}));
    groups.push_back(Record({kLabelState, e.state ? "s" : "n"}));
    if (e.state) {
      groups.push_back(Record({kLabelInitialValue, e.initialId}));
      initialValues.insert(e.initialId);
    }
    groups.push_back(Record({kLabelDimensional, "n"}));
    groups.push_back(Record({kLabelTable, "n"}));
    groups.push_back(Record({kLabelCorrect, "s"}));
  }
  std::vector<std::string> fitted = FitToCreateDialogue(groups, model, answers, initialValues);
  made.log.insert(made.log.end(), fitted.begin(), fitted.end());
  return made;
}

bool WriteKorvaFiles(FileSystem& files, const std::string& directory, const std::string& modelName, int logNumber,
                     const KorvaModelFiles& made, std::string& message) {
  const std::string base = directory.empty() || directory.back() == '/' ? directory : directory + "/";
  const std::pair<std::string, const std::vector<std::string>*> outputs[] = {
      {"L" + modelName + ".txt", &made.list},
      {"G" + modelName + ".txt", &made.equations},
      {"C" + modelName + ".txt", &made.matrix},
      {"DATOS1.txt", &made.data},
      {"Modelo" + std::to_string(logNumber) + ".txt", &made.log},
  };
  for (const auto& [name, lines] : outputs) {
    FileError error;
    auto out = files.OpenOutput(base + name, error);
    if (out) {
      for (const std::string& line : *lines) out->WriteLine(line);
      out->Close(error);
    }
    if (error.failed()) {
      message = "No se puede escribir " + base + name + ": " + vbrun::ErrorDescription(error.number);
      return false;
    }
  }
  return true;
}

}  // namespace korva::xmile

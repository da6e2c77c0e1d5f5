#include "analogy/completion.h"

#include <algorithm>
#include <string_view>

#include "files/record_fields.h"
#include "model/element_list.h"
#include "model/specification_records.h"

namespace korva {
namespace {

std::string Record(std::initializer_list<std::string> fields) {
  std::vector<RecordField> record;
  for (const std::string& field : fields) record.push_back(RecordField::Text(field));
  return FormatRecord(record);
}

bool Asks(std::string_view record, std::string_view label) { return FirstField(record).starts_with(label); }

// The answer of a two-field record: its second field without quotes.
std::string SecondField(std::string_view record) {
  size_t comma = record.find(',');
  if (comma == std::string_view::npos) return "";
  std::string_view rest = record.substr(comma + 1);
  if (!rest.empty() && rest[0] == '"') rest.remove_prefix(1);
  return std::string(rest.substr(0, rest.find('"')));
}

// Groups of records: each begins with a record outside a group.
std::vector<std::vector<std::string>> SplitGroups(const std::vector<std::string>& records) {
  std::vector<std::vector<std::string>> groups;
  for (const std::string& record : records) {
    if (groups.empty() || !InGroup(record)) groups.emplace_back();
    groups.back().push_back(record);
  }
  return groups;
}

void FitInputGroup(const std::vector<std::string>& group, const ImpliedAnswers& answers,
                   const std::set<std::string>& initialValues, std::vector<std::string>& out) {
  const bool dynamic = answers.Dynamic == "s";
  const std::string uncertainty = dynamic ? answers.Uncertainty : "n";
  out.push_back(group[0]);
  auto find = [&](std::string_view label) {
    return std::find_if(group.begin() + 1, group.end(), [&](const std::string& r) { return Asks(r, label); });
  };
  bool uncertain = uncertainty == "t";
  if (uncertainty == "a") {
    auto own = find("   Incertidumbre: ");
    if (own != group.end()) {
      out.push_back(*own);
      uncertain = SecondField(*own) == "s";
    } else {
      uncertain = initialValues.count(std::string(GroupKey(group[0]))) != 0;
      out.push_back(Record({"   Incertidumbre: ", uncertain ? "s" : "n"}));
    }
  }
  if (dynamic && uncertain) {
    auto own = find("   Aleatorios distintos: ");
    out.push_back(own != group.end() ? *own : Record({"   Aleatorios distintos: ", "n"}));
  }
  for (size_t r = 1; r < group.size(); ++r) {
    if (Asks(group[r], "   Incertidumbre: ") || Asks(group[r], "   Aleatorios distintos: ")) continue;
    if (!dynamic && Asks(group[r], "   Cambios de valor")) continue;
    out.push_back(group[r]);
  }
}

void FitCalculatedGroup(const std::vector<std::string>& group, std::vector<std::string>& out) {
  out.push_back(group[0]);
  bool hasFunction =
      std::any_of(group.begin() + 1, group.end(), [](const std::string& r) { return Asks(r, "   La funci"); });
  if (!hasFunction) out.push_back(Record({"   La función", "Y=f()", "¿Lleva incertidumbre?", "n"}));
  out.insert(out.end(), group.begin() + 1, group.end());
}

}  // namespace

AlignedList AlignIdentifiers(const std::vector<std::string>& names) {
  AlignedList aligned;
  for (const std::string& name : names) {
    aligned.IdLength = std::max(aligned.IdLength, static_cast<int>(IdentifierOf(name).size()));
  }
  aligned.Names.reserve(names.size());
  for (const std::string& name : names) {
    const size_t length = IdentifierOf(name).size();
    std::string padded = name;
    padded.insert(length, static_cast<size_t>(aligned.IdLength) - length, ' ');
    aligned.Names.push_back(std::move(padded));
  }
  return aligned;
}

ImpliedAnswers ImplyAnswers(const std::vector<std::string>& specifications) {
  bool state = false;
  bool inputUncertainty = false;
  bool functionUncertainty = false;
  for (const std::string& line : specifications) {
    state = state || line.find("   ¿De estado?") != std::string::npos;
    inputUncertainty = inputUncertainty || line.find("   Incertidumbre: ") != std::string::npos;
    functionUncertainty = functionUncertainty || line.find("¿Lleva incertidumbre?") != std::string::npos;
  }
  return {state ? "s" : "n", inputUncertainty ? "a" : functionUncertainty ? "t" : "n"};
}

std::set<std::string> InitialValueNames(const std::vector<std::string>& specifications) {
  std::set<std::string> names;
  for (const std::string& line : specifications) {
    if (line.find("valor inicial") == std::string::npos) continue;
    size_t comma = line.find(',');
    if (comma == std::string::npos || comma + 2 > line.size()) continue;
    std::string rest = line.substr(comma + 2);
    names.insert(rest.substr(0, rest.find('"')));
  }
  return names;
}

std::vector<std::string> PreparedLogHeader(const std::string& modelName, const std::string& purpose,
                                           const ImpliedAnswers& answers) {
  std::vector<std::string> header = {
      Record({"Crear, Ensamblar, formar Bloques, Analogia", "c"}),
      Record({"Nombre del simulador", modelName}),
      Record({"Servira para", purpose}),
      Record({"Lista al completo", "s"}),
      Record({"Ver la lista por Pantalla, Fichero, o No ver", "n"}),
      Record({"Fichero G s¡ y fichero C no", "s"}),
      Record({"Ver la matriz por Pantalla, Impresora, o No ver", "n"}),
      Record({"Listado en orden de calculo", "n"}),
      Record({"Ordenar fichero de especificaciones: ", "n"}),
      Record({"¿Algoritmo genético?", "n"}),
      Record({"¿Sistema dinámico?", answers.Dynamic}),
  };
  if (answers.Dynamic == "s") {
    header.push_back(Record({"  Unidad dinámica", "Periodo"}));
    header.push_back(
        Record({"  Algunas, Todas o Ninguna variables de entrada con incertidumbre: ", answers.Uncertainty}));
  }
  return header;
}

std::vector<std::string> FitToCreateDialogue(const std::vector<std::string>& groups, const ModelTables& model,
                                             const ImpliedAnswers& answers,
                                             const std::set<std::string>& initialValues) {
  std::vector<std::string> out;
  out.reserve(groups.size() + groups.size() / 4 + 1);
  bool opened = false;  // "¿Funciones grabadas?" written
  for (const std::vector<std::string>& group : SplitGroups(groups)) {
    int element = model.Ids.Last(GroupKey(group[0]));
    const bool input = element != 0 && model.CalcLevel[element] == 1;
    if (input) {
      FitInputGroup(group, answers, initialValues, out);
      continue;
    }
    if (!opened) {
      out.push_back(Record({"¿Funciones grabadas?", "s"}));
      opened = true;
    }
    FitCalculatedGroup(group, out);
  }
  if (!opened) out.push_back(Record({"¿Funciones grabadas?", "s"}));
  return out;
}

}  // namespace korva

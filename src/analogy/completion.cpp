#include "analogy/completion.h"

#include <algorithm>
#include <climits>
#include <string_view>
#include <unordered_map>

#include "core/log_labels.h"
#include "files/record_fields.h"
#include "model/element_list.h"
#include "text/cp1252.h"
#include "model/specification_records.h"

namespace korva {
namespace {

std::string Record(std::initializer_list<std::string_view> fields) {
  std::vector<RecordField> record;
  for (std::string_view field : fields) record.push_back(RecordField::Text(std::string(field)));
  return FormatRecord(record);
}

bool Asks(std::string_view record, std::string_view label) { return FirstField(record).starts_with(label); }

// The function record, whether its label is written "funcion", "función" or
// with the DOS glyph of the accented o: its label up to "funci".
bool IsFunctionRecord(std::string_view record) {
  return Asks(record, kLabelFunction.substr(0, kLabelFunction.size() - 2));
}

// The function record of an element the library gives none for: "Y=f()", certain.
std::string DefaultFunctionRecord() {
  return Record({kPreparedLabelFunction, "Y=f()", kLabelFunctionUncertain, "n"});
}

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
    auto own = find(kLabelInputUncertain);
    if (own != group.end()) {
      out.push_back(*own);
      uncertain = SecondField(*own) == "s";
    } else {
      uncertain = initialValues.count(std::string(GroupKey(group[0]))) != 0;
      out.push_back(Record({kLabelInputUncertain, uncertain ? "s" : "n"}));
    }
  }
  if (dynamic && uncertain) {
    auto own = find(kLabelNewRandomEachStep);
    out.push_back(own != group.end() ? *own : Record({kLabelNewRandomEachStep, "n"}));
  }
  // An input of a static library model has no changes of value to answer in
  // a dynamic model: it keeps its one value.
  if (dynamic && find(kLabelValueChanges) == group.end()) out.push_back(Record({kLabelValueChanges, "0"}));
  for (size_t r = 1; r < group.size(); ++r) {
    if (Asks(group[r], kLabelInputUncertain) || Asks(group[r], kLabelNewRandomEachStep)) continue;
    if (!dynamic && Asks(group[r], kLabelValueChanges)) continue;
    out.push_back(group[r]);
  }
}

// A calculated element's records in the order the specification stage asks
// them: the function record first (added when missing), then the state
// question in a dynamic model (added, "n", for an element of a static library
// model; left out with its initial value in a static one), then the rest.
void FitCalculatedGroup(const std::vector<std::string>& group, const ImpliedAnswers& answers,
                        std::vector<std::string>& out) {
  const bool dynamic = answers.Dynamic == "s";
  const bool hasState =
      std::any_of(group.begin() + 1, group.end(), [](const std::string& r) { return Asks(r, kLabelState); });
  out.push_back(group[0]);
  auto function = std::find_if(group.begin() + 1, group.end(), IsFunctionRecord);
  out.push_back(function != group.end() ? *function : DefaultFunctionRecord());
  if (dynamic && !hasState) out.push_back(Record({kLabelState, "n"}));
  for (auto r = group.begin() + 1; r != group.end(); ++r) {
    if (r == function) continue;
    if (!dynamic && (Asks(*r, kLabelState) || Asks(*r, kLabelInitialValue))) continue;
    out.push_back(*r);
  }
}

// The group of an element the library gave no records for: the answers of an
// element without uncertainty, changes, dimensions or table, accepted.
std::vector<std::string> DefaultGroup(const std::string& name, bool input) {
  std::vector<std::string> group{Record({name})};
  if (input) {
    group.push_back(Record({kLabelDimensional, "n"}));
  } else {
    group.push_back(DefaultFunctionRecord());
    group.push_back(Record({kLabelDimensional, "n"}));
    group.push_back(Record({kLabelTable, "n"}));
  }
  group.push_back(Record({kLabelCorrect, "s"}));
  return group;
}

// A record's fields.
std::vector<std::string> Fields(std::string_view record) {
  std::vector<std::string> fields;
  size_t pos = 0;
  for (std::string field; ReadRecordField(record, pos, field);) fields.push_back(field);
  return fields;
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
  bool uncertain = false;
  for (const std::string& line : specifications) {
    state = state || line.find(kLabelState) != std::string::npos;
    if (uncertain) continue;
    // Every function record asks about uncertainty: what counts is an
    // uncertain input or function, not the question.
    if (line.find(kLabelInputUncertain) != std::string::npos) {
      uncertain = SecondField(line) == "s";
    } else if (line.find(kLabelFunctionUncertain) != std::string::npos) {
      std::vector<std::string> fields = Fields(line);
      uncertain = fields.size() >= 4 && LowerCase(fields[3]) == "s";
    }
  }
  return {state ? "s" : "n", uncertain ? "a" : "n"};
}

std::set<std::string> InitialValueNames(const std::vector<std::string>& specifications) {
  std::set<std::string> names;
  for (const std::string& line : specifications) {
    if (!Asks(line, kLabelInitialValue)) continue;
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
      Record({kLabelActivity, "c"}),
      Record({kLabelModelName, modelName}),
      Record({kPreparedLabelModelPurpose, purpose}),
      Record({kLabelListSaved, "s"}),
      Record({kLabelListView, "n"}),
      Record({kPreparedLabelMatrixFromEquations, "s"}),
      Record({kPreparedLabelMatrixView, "n"}),
      Record({kLabelCalculationOrderListing, "n"}),
      Record({kLabelOrderSpecifications, "n"}),
      Record({kLabelGeneticAlgorithm, "n"}),
      Record({kLabelDynamic, answers.Dynamic}),
  };
  if (answers.Dynamic == "s") {
    header.push_back(Record({kLabelTimeUnit, "Periodo"}));
    header.push_back(Record({kLabelInputsUncertainty, answers.Uncertainty}));
  }
  return header;
}

std::vector<std::string> FitToCreateDialogue(const std::vector<std::string>& groups, const ModelTables& model,
                                             const ImpliedAnswers& answers,
                                             const std::set<std::string>& initialValues) {
  std::unordered_map<std::string, std::vector<std::string>> byElement;
  for (std::vector<std::string>& group : SplitGroups(groups)) {
    std::string key(GroupKey(group[0]));
    byElement.try_emplace(std::move(key), std::move(group));  // the first one counts
  }
  std::vector<std::string> out;
  out.reserve(groups.size() + groups.size() / 4 + 1);
  bool opened = false;  // the functions question written
  // The create path settles the inputs (level 1) in list order, then
  // specifies the rest level by level; the elements a loop leaves without a
  // level follow, so that the file still shows them.
  std::vector<int> order;
  order.reserve(static_cast<size_t>(model.ElementCount));
  for (int i = 1; i <= model.ElementCount; ++i) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const int la = model.CalcLevel[a] == 0 ? INT_MAX : model.CalcLevel[a];
    const int lb = model.CalcLevel[b] == 0 ? INT_MAX : model.CalcLevel[b];
    return la < lb;
  });
  for (int element : order) {
    const bool input = model.CalcLevel[element] == 1;
    auto found = byElement.find(model.ElementIds[element]);
    const std::vector<std::string> group =
        found != byElement.end() ? found->second : DefaultGroup(model.ElementList[element], input);
    if (input) {
      FitInputGroup(group, answers, initialValues, out);
      continue;
    }
    if (!opened) {
      out.push_back(Record({kLabelFunctionsRecorded, "s"}));
      opened = true;
    }
    FitCalculatedGroup(group, answers, out);
  }
  if (!opened) out.push_back(Record({kLabelFunctionsRecorded, "s"}));
  return out;
}

}  // namespace korva

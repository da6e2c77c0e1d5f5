#include "model/file_ordering.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "core/guarded_files.h"
#include "core/log_labels.h"
#include "core/questions.h"
#include "files/record_fields.h"
#include "model/calculation_order.h"
#include "model/matrix_derivation.h"
#include "model/specification_records.h"

namespace korva {

std::vector<std::string> StoreEquationLines(const std::vector<std::string>& lines, int idLength) {
  std::vector<std::string> stored;
  stored.reserve(lines.size());
  const size_t indent = static_cast<size_t>(idLength) + 2;
  for (const std::string& line : lines) {
    size_t blanks = line.find_first_not_of(' ');
    if (blanks == std::string::npos) continue;  // empty, or blanks only
    if (blanks > 0 && blanks < indent) {
      stored.push_back(std::string(indent, ' ') + line.substr(blanks));
    } else {
      stored.push_back(line);
    }
  }
  return stored;
}

std::vector<std::string> OrderEquations(const std::vector<std::string>& stored, const ModelTables& model) {
  // The lines that start an element's equations, in file order: the first and
  // last by element (the first of its identifier), and from each the next one.
  // A line of an identifier that no element carries is never asked for.
  constexpr size_t kNone = static_cast<size_t>(-1);
  std::vector<size_t> firstStart(static_cast<size_t>(model.ElementCount) + 1, kNone);
  std::vector<size_t> lastStart(firstStart.size(), kNone);
  std::vector<size_t> nextStart(stored.size(), kNone);
  for (size_t m = 0; m < stored.size(); ++m) {
    const std::string& line = stored[m];
    if (line[0] == ' ') continue;
    int idLength = LineIdentifierLength(line);
    if (idLength < 0) continue;  // no blank after the identifier: it starts no equation
    const auto element = static_cast<size_t>(model.Ids.First(std::string_view(line).substr(0, static_cast<size_t>(idLength))));
    if (element == 0) continue;
    (firstStart[element] == kNone ? firstStart[element] : nextStart[lastStart[element]]) = m;
    lastStart[element] = m;
  }
  std::vector<std::string> ordered;
  ordered.reserve(stored.size());
  for (int i : CalcOrder(model, 2)) {
    for (size_t m = firstStart[static_cast<size_t>(model.Ids.First(model.ElementIds[i]))]; m != kNone; m = nextStart[m]) {
      const size_t from = model.ElementIds[i].size() + 1;
      ordered.push_back(stored[m].substr(from));
      for (size_t c = m + 1; c < stored.size() && stored[c].starts_with("   "); ++c) {
        ordered.push_back(stored[c].size() > from ? stored[c].substr(from) : "");
      }
    }
  }
  return ordered;
}

size_t SpecificationHeaderEnd(const std::vector<std::string>& records, const ModelTables& model) {
  // The header ends before the record that precedes the first changes-of-value
  // record, and at the latest where the first element's group begins: a model
  // without inputs that change, or an input group that opens with its name,
  // would otherwise have groups copied as header and then once more.
  size_t end = records.size();
  for (size_t r = 0; r < records.size(); ++r) {
    if (FirstField(records[r]).starts_with(kLabelValueChanges)) {
      end = r == 0 ? 0 : r - 1;
      break;
    }
  }
  for (size_t r = 0; r < end; ++r) {
    if (!InGroup(records[r]) && model.Ids.First(GroupKey(records[r])) != 0) return r;
  }
  return end;
}

std::vector<std::string> OrderSpecificationGroups(const std::vector<std::string>& records, size_t from,
                                                  const ModelTables& model, bool keepUnplaced) {
  std::vector<std::string> ordered;
  ordered.reserve(records.size() - std::min(from, records.size()));
  std::unordered_map<std::string_view, size_t> groupStart;
  for (size_t r = from; r < records.size(); ++r) {
    if (!InGroup(records[r])) groupStart.emplace(GroupKey(records[r]), r);  // the first one counts
  }
  auto copyGroup = [&](int i) {
    auto it = groupStart.find(model.ElementIds[i]);
    if (it == groupStart.end()) return;
    ordered.push_back(records[it->second]);
    for (size_t r = it->second + 1; r < records.size() && InGroup(records[r]); ++r) ordered.push_back(records[r]);
  };
  // By level, then by index within a level: every placed element, whether or
  // not the levelling was complete.
  int highest = 0;
  for (int i = 1; i <= model.ElementCount; ++i) highest = std::max(highest, model.CalcLevel[i]);
  for (int i : CalcOrder(model, 1, highest)) copyGroup(i);
  if (keepUnplaced) {
    for (int i = 1; i <= model.ElementCount; ++i) {
      if (model.CalcLevel[i] == 0) copyGroup(i);
    }
  }
  return ordered;
}

std::vector<std::string> OrderSpecifications(const std::vector<std::string>& records, const ModelTables& model) {
  const size_t firstGroup = SpecificationHeaderEnd(records, model);
  std::vector<std::string> ordered(records.begin(), records.begin() + static_cast<long>(firstGroup));
  std::vector<std::string> groups = OrderSpecificationGroups(records, firstGroup, model, false);
  ordered.insert(ordered.end(), groups.begin(), groups.end());
  // The opening record of the specification stage goes before the group of
  // the first element with a state record: the first calculated element. It
  // goes before the group's first record, so that a replay reads it where the
  // stage asks it, whether the name and the function share a line or not.
  for (size_t r = 0; r < ordered.size(); ++r) {
    if (ordered[r].find(kLabelState) != std::string::npos) {
      size_t start = r == 0 ? 0 : r - 1;
      while (start > 0 && InGroup(ordered[start])) --start;
      ordered.insert(ordered.begin() + static_cast<long>(start),
                     FormatRecord({RecordField::Text(std::string(kLabelFunctionsRecorded)), RecordField::Text("s")}));
      break;
    }
  }
  return ordered;
}

void FileOrderingStep(RunContext& run, ModelCycle& cycle, const StructurePath& path) {
  ModelTables& model = cycle.Model;
  if (cycle.MatrixFromEquations && path.OrdersEquations) {
    cycle.GLines = StoreEquationLines(ReadGuardedLines(run, ModelFile(run, cycle, "G", ".txt")), model.IdLength);
    WriteGuardedLines(run, ModelFile(run, cycle, "F", ".txt"), OrderEquations(cycle.GLines, model));
  }
  if (!path.OffersSpecificationOrdering) return;
  std::string order =
      AskLoggedChoice(run, kLabelOrderSpecifications,
                      "¿Desea que le ordene el fichero de especificaciones M" + cycle.ModelName + ".txt" + "? (S/N/T)" +
                          "\n" + " Normalmente, solo cuando este procede de una búsqueda analógica.",
                      {"s", "n", "", "t"});
  if (order != "s") return;
  // The ordered records replace the file at once, so it is never left half-ordered.
  const std::string mName = ModelFile(run, cycle, "M", ".txt");
  WriteGuardedLines(run, mName, OrderSpecifications(ReadGuardedLines(run, mName), model));
}

}  // namespace korva

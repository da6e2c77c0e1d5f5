#include "blocks/division.h"

#include <algorithm>

#include "model/calculation_order.h"
#include "text/vb_text.h"

namespace korva {

std::string SubsystemId(int k, int subCount) {
  std::string id = "SUB" + PlainNum(k);
  size_t width = 3 + PlainNum(subCount).size();
  if (id.size() < width) id.append(width - id.size(), ' ');
  return id;
}

std::vector<std::string> SubsystemListLines(const ModelTables& model, const Subsystems& subs, int k) {
  std::vector<std::string> lines;
  for (int e : subs.SubMembers[k]) lines.push_back(model.ElementList[e]);
  return lines;
}

std::vector<std::string> SubsystemMatrixLines(const ModelTables& model, const Subsystems& subs, int k) {
  const std::vector<int>& members = subs.SubMembers[k];
  // Sorted once, so that the test of membership costs the subsystem's size,
  // not the model's, for each of thousands of subsystems.
  std::vector<int> sorted(members);
  std::sort(sorted.begin(), sorted.end());
  std::vector<std::string> lines;
  for (size_t j = 0; j < members.size(); ++j) {
    int e = members[j];
    std::string line = model.ElementIds[e] + "    ";
    if (subs.SubExpanded[k][j] && e < static_cast<int>(model.ConnectionMatrix.size())) {
      for (const std::string& entry : model.ConnectionMatrix[e]) {
        if (entry.empty()) continue;
        int d = FindElement(model, entry);
        if (d != 0 && std::binary_search(sorted.begin(), sorted.end(), d)) line += entry + ",";
      }
    }
    line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

EquationBlocks::EquationBlocks(std::vector<std::string> lines, int idLength)
    : lines_(std::move(lines)), idLength_(std::max(idLength, 0)) {
  for (size_t i = 0; i < lines_.size(); ++i) {
    heads_.emplace_back(lines_[i].substr(0, static_cast<size_t>(idLength_)), static_cast<int>(i));
  }
  std::stable_sort(heads_.begin(), heads_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}

void EquationBlocks::AppendBlocks(std::string_view id, std::vector<std::string>& out) const {
  auto range = std::equal_range(heads_.begin(), heads_.end(), std::pair<std::string, int>(std::string(id), 0),
                                [](const auto& a, const auto& b) { return a.first < b.first; });
  const size_t indent = static_cast<size_t>(idLength_) + 1;
  for (auto it = range.first; it != range.second; ++it) {
    size_t i = static_cast<size_t>(it->second);
    out.push_back(lines_[i]);
    for (++i; i < lines_.size(); ++i) {
      const std::string& line = lines_[i];
      if (line.size() < indent || line.find_first_not_of(' ') < indent) break;
      out.push_back(line);
    }
  }
}

std::vector<std::string> SubsystemEquationLines(const ModelTables& model, const Subsystems& subs, int k,
                                                const EquationBlocks& equations) {
  std::vector<std::string> lines;
  for (size_t j = 0; j < subs.SubMembers[k].size(); ++j) {
    if (subs.SubExpanded[k][j]) equations.AppendBlocks(model.ElementIds[subs.SubMembers[k][j]], lines);
  }
  return lines;
}

std::vector<std::vector<int>> SubsystemSuppliers(const Subsystems& subs, int elementCount) {
  std::vector<std::vector<int>> computedIn(static_cast<size_t>(elementCount) + 1);
  for (int k = 1; k <= subs.SubCount; ++k) {
    for (size_t j = 0; j < subs.SubMembers[k].size(); ++j) {
      if (subs.SubExpanded[k][j]) computedIn[subs.SubMembers[k][j]].push_back(k);
    }
  }
  std::vector<std::vector<int>> suppliers(static_cast<size_t>(subs.SubCount) + 1);
  for (int k = 1; k <= subs.SubCount; ++k) {
    std::vector<int>& list = suppliers[k];
    for (size_t j = 0; j < subs.SubMembers[k].size(); ++j) {
      if (subs.SubExpanded[k][j]) continue;
      for (int m : computedIn[subs.SubMembers[k][j]]) {
        if (m != k) list.push_back(m);
      }
    }
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
  }
  return suppliers;
}

std::string SubsystemNameLine(int k, int subCount) {
  return SubsystemId(k, subCount) + " Subsistema número" + NumText(k);
}

ModelTables SubsystemModel(const Subsystems& subs, const std::vector<std::vector<int>>& suppliers) {
  ModelTables model;
  const int count = subs.SubCount;
  SizeElementTables(model, count);
  model.ConnectionMatrix.assign(static_cast<size_t>(count) + 1, {});
  for (int k = 1; k <= count; ++k) {
    model.ElementIds[k] = SubsystemId(k, count);
    model.ElementList[k] = SubsystemNameLine(k, count);
    model.MaxDeps = std::max(model.MaxDeps, static_cast<int>(suppliers[k].size()));
  }
  model.IdLength = count > 0 ? static_cast<int>(model.ElementIds[1].size()) : 0;
  model.Ids.Rebuild(model.ElementIds, count);
  for (int k = 1; k <= count; ++k) {
    std::vector<std::string>& row = model.ConnectionMatrix[k];
    for (int m : suppliers[k]) row.push_back(model.ElementIds[m]);
  }
  return model;
}

int FindSubsystem(const ModelTables& subsystemModel, std::string_view id) { return FindElement(subsystemModel, id); }

std::vector<std::string> SubsystemConnectionLines(const ModelTables& subsystemModel) {
  std::vector<std::string> lines;
  for (int k = 1; k <= subsystemModel.ElementCount; ++k) {
    std::string line = subsystemModel.ElementIds[k] + "    ";
    for (const std::string& entry : subsystemModel.ConnectionMatrix[k]) {
      if (!entry.empty()) line += entry + ",";
    }
    line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::vector<RecordField>> ConnectionDetailRecords(const ModelTables& model, const Subsystems& subs,
                                                              const ModelTables& subsystemModel) {
  // The subsystems every element stands in, ascending.
  std::vector<std::vector<int>> standsIn(static_cast<size_t>(model.ElementCount) + 1);
  for (int k = 1; k <= subs.SubCount; ++k) {
    for (int e : subs.SubMembers[k]) standsIn[e].push_back(k);
  }
  std::vector<int> listedFor(static_cast<size_t>(model.ElementCount) + 1, 0);
  std::vector<std::vector<RecordField>> records;
  for (int k : CalcOrder(subsystemModel, 2)) {
    std::vector<int> shared;
    for (const std::string& entry : subsystemModel.ConnectionMatrix[k]) {
      if (entry.empty()) continue;
      int m = FindSubsystem(subsystemModel, entry);
      for (int e : subs.SubMembers[k]) {
        if (listedFor[e] == k) continue;
        if (std::binary_search(standsIn[e].begin(), standsIn[e].end(), m)) {
          listedFor[e] = k;
          shared.push_back(e);
        }
      }
    }
    records.push_back({RecordField::Number(static_cast<long long>(shared.size()))});
    for (int e : shared) records.push_back({RecordField::Text(model.ElementIds[e])});
  }
  return records;
}

}  // namespace korva

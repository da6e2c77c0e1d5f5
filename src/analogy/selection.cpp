#include "analogy/selection.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "model/matrix_derivation.h"
#include "model/specification_records.h"

namespace korva {
namespace {

bool HoldsKeyword(const std::string& name, const std::vector<std::string>& keywords) {
  return std::any_of(keywords.begin(), keywords.end(),
                     [&](const std::string& keyword) { return name.find(keyword) != std::string::npos; });
}

// The visiting order: by level from 1 up, by index within a level; then the
// elements without a level.
std::vector<int> VisitingOrder(const ModelTables& model) {
  std::vector<int> order;
  order.reserve(static_cast<size_t>(model.ElementCount));
  for (int i = 1; i <= model.ElementCount; ++i) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    int la = model.CalcLevel[a] == 0 ? 1 << 30 : model.CalcLevel[a];
    int lb = model.CalcLevel[b] == 0 ? 1 << 30 : model.CalcLevel[b];
    return la < lb;
  });
  return order;
}

}  // namespace

std::vector<int> SelectElements(const ModelTables& model, const std::vector<std::string>& keywords,
                                const std::function<bool(const std::string&)>& taken) {
  auto descends = [&](int element) { return !taken || !taken(model.ElementIds[element]); };
  std::vector<int> added;
  std::vector<bool> selected(static_cast<size_t>(model.ElementCount) + 1, false);
  // Each frame: an element being descended into and the next entry of its row.
  std::vector<std::pair<int, size_t>> stack;
  for (int start : VisitingOrder(model)) {
    if (selected[start] || !HoldsKeyword(model.ElementList[start], keywords)) continue;
    selected[start] = true;
    added.push_back(start);
    if (descends(start)) stack.emplace_back(start, 0);
    while (!stack.empty()) {
      auto& [element, next] = stack.back();
      const std::vector<std::string>& row = model.ConnectionMatrix[element];
      if (next >= row.size()) {
        stack.pop_back();
        continue;
      }
      const std::string& entry = row[next++];
      if (entry.empty()) continue;
      int j = FindElement(model, entry);
      if (j == 0 || selected[j]) continue;
      selected[j] = true;
      added.push_back(j);
      if (descends(j)) stack.emplace_back(j, 0);
    }
  }
  return added;
}

size_t AddSelectedElements(const LibraryModel& library, const std::vector<int>& selected, ProposedModel& proposed) {
  if (selected.empty()) return 0;
  const ModelTables& model = library.Tables;
  // Where each identifier's equations begin, and where its group of records does.
  std::unordered_map<std::string_view, std::vector<size_t>> equationStarts;
  for (size_t m = 0; m < library.Equations.size(); ++m) {
    const std::string& line = library.Equations[m];
    int length = line.empty() || line[0] == ' ' ? -1 : LineIdentifierLength(line);
    if (length > 0) equationStarts[std::string_view(line).substr(0, static_cast<size_t>(length))].push_back(m);
  }
  std::unordered_map<std::string_view, size_t> groupStarts;
  for (size_t r = 0; r < library.Specifications.size(); ++r) {
    const std::string& record = library.Specifications[r];
    if (!InGroup(record)) groupStarts.emplace(GroupKey(record), r);  // the first one counts
  }

  size_t left = 0;
  for (int i : selected) {
    const std::string& id = model.ElementIds[i];
    std::string row = id + "    ";
    bool first = true;
    for (const std::string& entry : model.ConnectionMatrix[i]) {
      if (entry.empty()) continue;
      row += (first ? "" : ",") + entry;
      first = false;
    }
    std::vector<std::string> equations;
    if (auto it = equationStarts.find(id); it != equationStarts.end()) {
      for (size_t m : it->second) {
        equations.push_back(library.Equations[m]);
        for (size_t c = m + 1; c < library.Equations.size() && library.Equations[c].starts_with("   "); ++c) {
          equations.push_back(library.Equations[c]);
        }
      }
    }
    std::vector<std::string> records;
    if (auto it = groupStarts.find(id); it != groupStarts.end()) {
      const std::vector<std::string>& all = library.Specifications;
      records.push_back(all[it->second]);
      for (size_t r = it->second + 1; r < all.size() && InGroup(all[r]); ++r) records.push_back(all[r]);
    }

    // The definition compared between models: what the element is computed
    // from, how, and how it is specified (its name's description aside).
    std::string definition = row;
    for (const std::string& line : equations) definition += "\n" + line;
    for (size_t r = 1; r < records.size(); ++r) definition += "\n" + records[r];
    if (auto origin = proposed.Taken.find(id); origin != proposed.Taken.end()) {
      if (origin->second.Model != library.Name && origin->second.Definition != definition) {
        proposed.Left.push_back({id, origin->second.Model, library.Name});
        ++left;
      }
      continue;
    }
    proposed.Taken.emplace(id, ProposedModel::Origin{library.Name, std::move(definition)});

    proposed.List.push_back(model.ElementList[i]);
    proposed.Matrix.push_back(std::move(row));
    proposed.Equations.insert(proposed.Equations.end(), equations.begin(), equations.end());
    proposed.Specifications.insert(proposed.Specifications.end(), records.begin(), records.end());
  }
  return left;
}

}  // namespace korva

#include "model/model_tables.h"

namespace korva {

void IdentifierIndex::Rebuild(const std::vector<std::string>& ids, int count) {
  spans_.clear();
  spans_.reserve(static_cast<size_t>(count) * 2);
  for (int i = 1; i <= count && i < static_cast<int>(ids.size()); ++i) {
    Span& span = spans_[ids[i]];
    if (span.first == 0) span.first = i;
    span.last = i;
  }
}

int IdentifierIndex::Last(std::string_view id) const {
  auto it = spans_.find(id);
  return it == spans_.end() ? 0 : it->second.last;
}

int IdentifierIndex::First(std::string_view id) const {
  auto it = spans_.find(id);
  return it == spans_.end() ? 0 : it->second.first;
}

int FindElement(const ModelTables& model, std::string_view id) { return model.Ids.Last(id); }

void SizeElementTables(ModelTables& model, int count) {
  model.ElementCount = count;
  model.ElementList.assign(static_cast<size_t>(count) + 1, "");
  model.ElementIds.assign(static_cast<size_t>(count) + 1, "");
  model.CalcLevel.assign(static_cast<size_t>(count) + 1, 0);
  model.ConnectionMatrix.clear();
  model.MaxDeps = 0;
}

}  // namespace korva

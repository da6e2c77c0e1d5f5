#include "model/model_tables.h"

#include <algorithm>
#include <functional>

namespace korva {

namespace {

size_t HashOf(std::string_view id) { return std::hash<std::string_view>{}(id); }

}  // namespace

size_t IdentifierIndex::SlotOf(std::string_view id, size_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t at = hash & mask;; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (slot.first == 0) return at;
    if (slot.hash == static_cast<uint32_t>(hash) && slot.length == id.size() &&
        std::string_view(text_).substr(slot.offset, slot.length) == id) {
      return at;
    }
  }
}

void IdentifierIndex::Rebuild(const std::vector<std::string>& ids, int count) {
  const size_t used = static_cast<size_t>(std::clamp(count, 0, std::max(static_cast<int>(ids.size()) - 1, 0)));
  size_t capacity = 16;
  while (capacity < used * 2) capacity *= 2;
  slots_.assign(capacity, Slot{});
  text_.clear();
  for (size_t i = 1; i <= used; ++i) {
    const size_t hash = HashOf(ids[i]);
    Slot& slot = slots_[SlotOf(ids[i], hash)];
    if (slot.first == 0) {
      slot = Slot{static_cast<uint32_t>(hash), static_cast<uint32_t>(ids[i].size()), text_.size(), static_cast<int>(i),
                  0};
      text_ += ids[i];
    }
    slot.last = static_cast<int>(i);
  }
}

int IdentifierIndex::Last(std::string_view id) const {
  return slots_.empty() ? 0 : slots_[SlotOf(id, HashOf(id))].last;
}

int IdentifierIndex::First(std::string_view id) const {
  return slots_.empty() ? 0 : slots_[SlotOf(id, HashOf(id))].first;
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

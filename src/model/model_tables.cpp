#include "model/model_tables.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace korva {

namespace {

size_t HashOf(std::string_view id) { return std::hash<std::string_view>{}(id); }

}  // namespace

bool IdentifierIndex::Holds(const Slot& slot, std::string_view id) const {
  if (slot.length != id.size()) return false;
  if (id.size() <= kInlineLength) return std::memcmp(slot.text.data(), id.data(), id.size()) == 0;
  size_t offset = 0;
  std::memcpy(&offset, slot.text.data(), sizeof offset);
  return std::string_view(longText_).substr(offset, id.size()) == id;
}

size_t IdentifierIndex::SlotOf(std::string_view id, size_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t at = hash & mask;; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (slot.first == 0 || (slot.hash == static_cast<uint32_t>(hash) && Holds(slot, id))) return at;
  }
}

void IdentifierIndex::Rebuild(const std::vector<std::string>& ids, int count) {
  const size_t used = static_cast<size_t>(std::clamp(count, 0, std::max(static_cast<int>(ids.size()) - 1, 0)));
  size_t capacity = 16;
  while (capacity < used + used / 2) capacity *= 2;
  slots_.assign(capacity, Slot{});
  longText_.clear();
  for (size_t i = 1; i <= used; ++i) {
    const std::string& id = ids[i];
    const size_t hash = HashOf(id);
    Slot& slot = slots_[SlotOf(id, hash)];
    if (slot.first == 0) {
      slot.hash = static_cast<uint32_t>(hash);
      slot.length = static_cast<uint32_t>(id.size());
      slot.first = static_cast<int>(i);
      if (id.size() <= kInlineLength) {
        std::memcpy(slot.text.data(), id.data(), id.size());
      } else {
        const size_t offset = longText_.size();
        std::memcpy(slot.text.data(), &offset, sizeof offset);
        longText_ += id;
      }
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

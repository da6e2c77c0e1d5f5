#include "vbrun/storage.h"

namespace korva::vbrun {

void ArrayData::Resize(std::vector<int32_t> newLower, std::vector<int32_t> newExtent, bool keep) {
  size_t total = 1;
  for (int32_t e : newExtent) {
    if (e < 0) Fail(err::kSubscript);
    total *= static_cast<size_t>(e);
    if (total > (size_t{1} << 28)) Fail(err::kOutOfMemory);  // more than memory would hold
  }
  std::vector<Value> fresh(total, DefaultValue(type));
  if (keep && !items.empty() && newExtent.size() == extent.size()) {
    // Copy every old element whose subscripts fall inside the new bounds.
    std::vector<int32_t> sub(extent.size());
    for (size_t flat = 0; flat < items.size(); ++flat) {
      size_t rest = flat;
      for (size_t d = extent.size(); d-- > 0;) {
        sub[d] = lower[d] + static_cast<int32_t>(rest % extent[d]);
        rest /= extent[d];
      }
      size_t to = 0;
      bool inside = true;
      for (size_t d = 0; d < sub.size(); ++d) {
        int32_t offset = sub[d] - newLower[d];
        if (offset < 0 || offset >= newExtent[d]) {
          inside = false;
          break;
        }
        to = to * newExtent[d] + offset;
      }
      if (inside) fresh[to] = std::move(items[flat]);
    }
  }
  lower = std::move(newLower);
  extent = std::move(newExtent);
  items = std::move(fresh);
}

Value& ArrayData::At(const int32_t* subscripts, size_t count) {
  if (count != extent.size()) Fail(err::kSubscript);
  size_t flat = 0;
  for (size_t d = 0; d < count; ++d) {
    int64_t offset = static_cast<int64_t>(subscripts[d]) - lower[d];
    if (offset < 0 || offset >= extent[d]) Fail(err::kSubscript);
    flat = flat * extent[d] + static_cast<size_t>(offset);
  }
  return items[flat];
}

}  // namespace korva::vbrun

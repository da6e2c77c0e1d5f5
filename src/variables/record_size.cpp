#include "variables/record_size.h"

#include "text/vb_text.h"

namespace korva {

void RecordSize::AddArray(const std::vector<std::string>& sizes) {
  std::string product;
  for (size_t k = 0; k < sizes.size(); ++k) product += (k ? "*" : "") + sizes[k];
  auto [at, added] = termIndex_.try_emplace(product, terms_.size());
  if (added) {
    terms_.emplace_back(product, 1);
  } else {
    ++terms_[at->second].second;
  }
}

std::string RecordSize::Simplified() const {
  // The running text: the scalars, then each term with its count.
  std::string text = PlainNum(scalars_) + "+";
  for (const auto& [product, count] : terms_) text += product + "*" + PlainNum(count) + "+";
  std::string simple;
  simple.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 3, "*1+") == 0) {
      simple += '+';
      i += 2;
    } else {
      simple += text[i];
    }
  }
  if (simple.compare(0, 2, "0+") == 0) simple.erase(0, 2);
  if (!simple.empty() && simple.back() == '+') simple.pop_back();
  return simple;
}

}  // namespace korva

#include "emit/emitted_text.h"

#include "emit/quoted.h"
#include "text/vb_text.h"

namespace korva::emitted {

std::string ControlFileOpen(std::string_view mode) {
  return " open " + Quoted("R") + "+uns+" + Quoted("ic") + " for " + std::string(mode) + " as #1";
}

std::string IndexName(size_t dimension) { return "i" + PlainNum(static_cast<long long>(dimension)); }

std::string ForLoops(const std::vector<std::string>& sizes) {
  std::string loops;
  for (size_t k = 0; k < sizes.size(); ++k) loops += "for " + IndexName(k + 1) + "=1 to " + sizes[k] + ":";
  return loops;
}

std::string NextStatements(size_t dimensions) {
  std::string closer;
  for (size_t k = 0; k < dimensions; ++k) closer += "next:";
  return closer;
}

std::string SubscriptList(size_t dimensions) {
  if (dimensions == 0) return "";
  std::string list = "(";
  for (size_t k = 1; k <= dimensions; ++k) list += IndexName(k) + ",";
  list.back() = ')';
  return list;
}

std::string CommaJoined(const std::vector<std::string>& items) {
  std::string out;
  for (size_t k = 0; k < items.size(); ++k) out += (k ? "," : "") + items[k];
  return out;
}

void AppendWrapped(std::vector<std::string>& lines, const std::string& piece, size_t width, size_t maxLines) {
  if ((lines.empty() || lines.back().size() > width) && lines.size() < maxLines) lines.emplace_back();
  lines.back() += piece;
}

}  // namespace korva::emitted

#include "variables/element_spec.h"

#include "text/vb_text.h"

namespace korva {

std::string FunctionHeaderOf(const std::string& id, const std::vector<std::string>& arguments) {
  std::string header = id + "=f(";
  for (size_t k = 0; k < arguments.size(); ++k) header += (k ? "," : "") + arguments[k];
  return header + ")";
}

std::string LoopPrefix(const ElementSpec& spec) {
  std::string prefix;
  for (size_t k = 0; k < spec.DimensionSizes.size(); ++k) {
    prefix += "for i" + PlainNum(static_cast<long long>(k + 1)) + "=1 to " + spec.DimensionSizes[k] + ":";
  }
  return prefix;
}

std::string LoopCloser(const ElementSpec& spec) {
  std::string closer;
  for (size_t k = 0; k < spec.DimensionSizes.size(); ++k) closer += "next:";
  return closer;
}

std::string Subscripts(const ElementSpec& spec) {
  if (spec.DimensionSizes.empty()) return "";
  std::string list = "(";
  for (size_t k = 0; k < spec.DimensionSizes.size(); ++k) {
    list += "i" + PlainNum(static_cast<long long>(k + 1)) + ",";
  }
  list.back() = ')';
  return list;
}

std::string DeclarationText(const ElementSpec& spec) {
  std::string text = "dim " + spec.Id;
  if (spec.DimensionSizes.empty()) return text;
  text += "(";
  for (size_t k = 0; k < spec.DimensionSizes.size(); ++k) text += (k ? "," : "") + spec.DimensionSizes[k];
  return text + ")";
}

std::string OutputStatement(const ElementSpec& spec, bool dynamic, ResultsFile results) {
  const std::string value = spec.Id + Subscripts(spec);
  if (results == ResultsFile::kRecords) return (dynamic ? "if dt0<=dt0a then" : "") + std::string(" put #2,, ") + value;
  return (dynamic ? "if dt0<=dt0a then " : "") + std::string("write #2,") + value;
}

std::string InitialValueStatement(const ElementSpec& spec) {
  const std::string subscripts = Subscripts(spec);
  return LoopPrefix(spec) + spec.InitialValueName + subscripts + "=" + spec.Id + subscripts + ":" + LoopCloser(spec);
}

}  // namespace korva

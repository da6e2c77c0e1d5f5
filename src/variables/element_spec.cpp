#include "variables/element_spec.h"

#include "text/vb_text.h"
#include "variables/simulator_declarations.h"

namespace korva {

std::string FunctionHeaderOf(const std::string& id, const std::vector<std::string>& arguments) {
  std::string header = id + "=f(";
  for (size_t k = 0; k < arguments.size(); ++k) header += (k ? "," : "") + arguments[k];
  return header + ")";
}

std::string LoopPrefix(const ElementSpec& element) {
  std::string prefix;
  for (size_t k = 0; k < element.DimensionSizes.size(); ++k) {
    prefix += "for i" + PlainNum(static_cast<long long>(k + 1)) + "=1 to " + element.DimensionSizes[k] + ":";
  }
  return prefix;
}

std::string LoopCloser(const ElementSpec& element) {
  std::string closer;
  for (size_t k = 0; k < element.DimensionSizes.size(); ++k) closer += "next:";
  return closer;
}

std::string Subscripts(const ElementSpec& element) {
  if (element.DimensionSizes.empty()) return "";
  std::string list = "(";
  for (size_t k = 0; k < element.DimensionSizes.size(); ++k) {
    list += "i" + PlainNum(static_cast<long long>(k + 1)) + ",";
  }
  list.back() = ')';
  return list;
}

std::string DeclarationText(const ElementSpec& element) {
  std::string text = "dim " + element.Id;
  if (element.DimensionSizes.empty()) return text;
  text += "(";
  for (size_t k = 0; k < element.DimensionSizes.size(); ++k) text += (k ? "," : "") + element.DimensionSizes[k];
  return text + ")";
}

std::string OutputStatement(const ElementSpec& element, bool dynamic, ResultsFile results) {
  const std::string value = element.Id + Subscripts(element);
  if (results == ResultsFile::kRecords) {
    // Every record is read back as a single-precision number: a whole number
    // (2 bytes) or a text is put through a single-precision variable first.
    std::string put = " put #2,, " + value;
    switch (GroupOf(element.Id)) {
      case TypeGroup::kWhole:
        put = " YYS=" + value + ":put #2,, YYS";
        break;
      case TypeGroup::kText:
        put = " YYS=Val(" + value + "):put #2,, YYS";
        break;
      case TypeGroup::kReal:
        break;
    }
    return (dynamic ? "if dt0<=dt0a then" : "") + put;
  }
  return (dynamic ? "if dt0<=dt0a then " : "") + std::string("write #2,") + value;
}

std::string InitialValueStatement(const ElementSpec& element) {
  const std::string subscripts = Subscripts(element);
  return LoopPrefix(element) + element.InitialValueName + subscripts + "=" + element.Id + subscripts + ":" +
         LoopCloser(element);
}

std::string StartValueName(const ElementSpec& element) { return "ñ" + element.InitialValueName + "0"; }

std::string KeepStartValueStatement(const ElementSpec& element) {
  const std::string subscripts = Subscripts(element);
  return LoopPrefix(element) + StartValueName(element) + subscripts + "=" + element.InitialValueName + subscripts +
         ":" + LoopCloser(element);
}

std::string RestoreStartValueStatement(const ElementSpec& element) {
  const std::string subscripts = Subscripts(element);
  return LoopPrefix(element) + element.InitialValueName + subscripts + "=" + StartValueName(element) + subscripts +
         ":" + LoopCloser(element);
}

}  // namespace korva

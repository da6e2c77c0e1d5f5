#include "simulator/element_text.h"

#include "emit/emitted_text.h"
#include "emit/type_groups.h"

namespace korva {

std::string LoopPrefix(const ElementSpec& element) { return emitted::ForLoops(element.DimensionSizes); }

std::string LoopCloser(const ElementSpec& element) { return emitted::NextStatements(element.DimensionSizes.size()); }

std::string Subscripts(const ElementSpec& element) { return emitted::SubscriptList(element.DimensionSizes.size()); }

std::string DeclarationText(const ElementSpec& element) {
  std::string text = "dim " + element.Id;
  if (element.DimensionSizes.empty()) return text;
  return text + "(" + emitted::CommaJoined(element.DimensionSizes) + ")";
}

std::string OutputStatement(const ElementSpec& element, bool dynamic, ResultsFile results) {
  const std::string value = element.Id + Subscripts(element);
  const std::string holder(emitted::kSingleHolder);
  const std::string atInstant = dynamic ? std::string(emitted::kAtReportingInstant) : "";
  if (results == ResultsFile::kRecords) {
    // Every record is read back as a single-precision number: a whole number
    // (2 bytes) or a text is put through a single-precision variable first.
    std::string put = std::string(emitted::kPutValue) + value;
    switch (GroupOf(element.Id)) {
      case TypeGroup::kWhole:
        put = " " + holder + "=" + value + ":" + std::string(emitted::kPutValue.substr(1)) + holder;
        break;
      case TypeGroup::kText:
        put = " " + holder + "=Val(" + value + "):" + std::string(emitted::kPutValue.substr(1)) + holder;
        break;
      case TypeGroup::kReal:
        break;
    }
    return atInstant + put;
  }
  return (dynamic ? atInstant + " " : "") + std::string(emitted::kWriteValue) + value;
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

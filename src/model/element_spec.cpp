#include "model/element_spec.h"

#include "emit/emitted_text.h"

namespace korva {

std::string FunctionHeaderOf(const std::string& id, const std::vector<std::string>& arguments) {
  return id + "=f(" + emitted::CommaJoined(arguments) + ")";
}

}  // namespace korva

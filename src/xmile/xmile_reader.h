#pragma once
// Reading an XMILE file into an XmileModel (XML parsed by pugixml). What is
// not XMILE at all is an error; what is XMILE but beyond the importer is a
// Refusal kept in the model, one per construct, for the caller to report.
#include <string>
#include <variant>

#include "xmile/xmile_model.h"

namespace korva::xmile {

struct ReadError {
  std::string message;  // Windows-1252, for the modeller
};

// `bytes`: the file's content, whatever it holds.
std::variant<XmileModel, ReadError> ReadXmile(const std::string& bytes);

// The numbers of a list of points ("0,5,10", or with another separator).
bool ParsePoints(const std::string& text, const std::string& separator, std::vector<double>& out);

}  // namespace korva::xmile

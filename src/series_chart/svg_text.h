#pragma once
// PLplot's SVG driver writes every character of a text as a numeric
// reference ("&#x58;"): still text, but not what a search of the file finds.
// Read and written again through pugixml, the texts hold the characters
// themselves, and the document gets a title.
#include <optional>
#include <string>

namespace korva {

// Rewrites the SVG at `hostPath` in place; the message when it cannot.
// `title` is UTF-8.
std::optional<std::string> KeepTextAsCharacters(const std::string& hostPath, const std::string& title);

}  // namespace korva

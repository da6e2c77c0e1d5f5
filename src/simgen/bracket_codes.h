#pragma once
// Codes written in an element's name after a "[" (searched from just after
// the identifier and its blank), of the form name "=" value ";", that answer
// the element's questions in advance.
#include <optional>
#include <string>
#include <string_view>

namespace korva {

// The codes part of a name: from its "[" on; empty when the name has none.
std::string_view CodeSection(std::string_view name, int idLength);

// The `width` characters after `code` (e.g. "ince=" and 1); nothing when the code is absent.
std::optional<std::string> FixedCode(std::string_view name, int idLength, std::string_view code, size_t width);

struct DelimitedCode {
  bool present = false;
  bool closed = false;  // a ";" ends the value
  std::string value;    // up to, not including, the ";"
};

// The value after `code` up to the next ";" (e.g. "cval=", "d1=").
DelimitedCode CodeToSemicolon(std::string_view name, int idLength, std::string_view code);

}  // namespace korva

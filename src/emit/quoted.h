#pragma once
// Every double quote inside emitted code comes from QuoteChar.
#include <string>
#include <string_view>

namespace korva {

constexpr char QuoteChar = '"';

// The text between double quotes.
inline std::string Quoted(std::string_view text) {
  std::string out(1, QuoteChar);
  out += text;
  out += QuoteChar;
  return out;
}

}  // namespace korva

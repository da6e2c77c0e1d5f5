#include "text/vb_text.h"

#include <charconv>
#include <cmath>

namespace korva {

std::string NumText(long long n) {
  return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

std::string PlainNum(long long n) { return std::to_string(n); }

double Val(std::string_view text) {
  // Blanks, tabs and line feeds are ignored anywhere inside the number.
  std::string compact;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  }
  size_t pos = 0;
  if (compact.size() >= 2 && compact[0] == '&') {
    int base = 0;
    size_t start = 2;
    char kind = static_cast<char>(compact[1] | 0x20);
    if (kind == 'h') base = 16;
    else if (kind == 'o') base = 8;
    else if (compact[1] >= '0' && compact[1] <= '7') base = 8, start = 1;
    if (base == 0) return 0;
    double value = 0;
    for (size_t i = start; i < compact.size(); ++i) {
      char c = compact[i];
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      else if (base == 16 && (c | 0x20) >= 'a' && (c | 0x20) <= 'f') digit = (c | 0x20) - 'a' + 10;
      if (digit < 0 || digit >= base) break;
      value = value * base + digit;
    }
    return value;
  }
  std::string number;
  if (pos < compact.size() && (compact[pos] == '+' || compact[pos] == '-')) number += compact[pos++];
  bool digits = false;
  while (pos < compact.size() && compact[pos] >= '0' && compact[pos] <= '9') number += compact[pos++], digits = true;
  if (pos < compact.size() && compact[pos] == '.') {
    number += compact[pos++];
    while (pos < compact.size() && compact[pos] >= '0' && compact[pos] <= '9') number += compact[pos++], digits = true;
  }
  if (!digits) return 0;
  if (pos < compact.size() && (compact[pos] == 'e' || compact[pos] == 'E' || compact[pos] == 'd' || compact[pos] == 'D')) {
    std::string exponent = "e";
    size_t p = pos + 1;
    if (p < compact.size() && (compact[p] == '+' || compact[p] == '-')) exponent += compact[p++];
    bool expDigits = false;
    while (p < compact.size() && compact[p] >= '0' && compact[p] <= '9') exponent += compact[p++], expDigits = true;
    if (expDigits) number += exponent;
  }
  // The number is well formed by now; one too large for a double counts as none.
  std::string_view digitsView(number);
  if (digitsView.starts_with('+')) digitsView.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(digitsView.data(), digitsView.data() + digitsView.size(), value);
  return error == std::errc() && std::isfinite(value) ? value : 0;
}

std::optional<long> ParseWholeNumber(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  std::string_view core = text.substr(begin, end - begin);
  // One sign at most; the number parser takes "-" only.
  const bool plus = core.starts_with('+');
  if (plus) core.remove_prefix(1);
  if (plus && core.starts_with('-')) return std::nullopt;
  long value = 0;
  auto [stop, error] = std::from_chars(core.data(), core.data() + core.size(), value);
  if (error != std::errc() || stop != core.data() + core.size()) return std::nullopt;
  return value;
}

}  // namespace korva

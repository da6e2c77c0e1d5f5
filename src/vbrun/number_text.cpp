#include "vbrun/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace korva::vbrun {

namespace {

// Significant digits shown for a floating value of the kind.
int SignificantDigits(NumberKind kind) { return kind == NumberKind::kSingle ? 7 : 15; }

// The digits of a whole number held in a double (below 2^63).
std::string WholeDigits(double whole) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(whole));
  return std::string(buffer, end);
}

// The text of the magnitude of a value, without sign. `leadingZero` puts the
// "0" before the decimal point of a value below one ("0.5" rather than ".5").
std::string Magnitude(double value, NumberKind kind, bool leadingZero) {
  double magnitude = std::fabs(value);
  if (kind == NumberKind::kInteger || kind == NumberKind::kLong) return WholeDigits(std::nearbyint(magnitude));
  if (kind == NumberKind::kSingle) magnitude = std::fabs(static_cast<double>(static_cast<float>(value)));
  // A whole number that fits the significant digits shows as its digits alone
  // (the common case, written without going through the exponent form).
  if (magnitude < (kind == NumberKind::kSingle ? 1e7 : 1e15) && magnitude == std::floor(magnitude)) {
    return WholeDigits(magnitude);
  }
  if (magnitude == 0) return "0";
  // What the runtime library shows for values that no arithmetic of ours produces.
  if (std::isnan(magnitude)) return "1.#QNAN";
  if (std::isinf(magnitude)) return "1.#INF";

  // Rounded to the significant digits: "d.ddddde+XX".
  const int digits = SignificantDigits(kind);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, magnitude);
  std::string text = buffer;
  const size_t e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  std::string mantissa = text.substr(0, 1) + text.substr(2, e - 2);  // the digits alone
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out;
  if (exponent < -4 || exponent >= digits) {
    out = mantissa.substr(0, 1);
    if (mantissa.size() > 1) out += "." + mantissa.substr(1);
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + tail;
  }
  if (exponent >= 0) {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (mantissa.size() <= whole) return mantissa + std::string(whole - mantissa.size(), '0');
    return mantissa.substr(0, whole) + "." + mantissa.substr(whole);
  }
  out = leadingZero ? "0." : ".";
  return out + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
}

// Whether the value shows a minus sign: negative and not zero once rounded to its kind.
bool ShowsMinus(double value, NumberKind kind) {
  if (kind == NumberKind::kInteger || kind == NumberKind::kLong) return std::nearbyint(value) < 0;
  if (kind == NumberKind::kSingle) return static_cast<float>(value) < 0;
  return value < 0;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "&H..." / "&O..." after the "&": the digits read as an Integer when they fit
// 16 bits, else as a Long when they fit 32.
std::optional<double> RadixNumber(std::string_view text) {
  if (text.size() < 2) return std::nullopt;
  const char prefix = text[0];
  int base;
  if (prefix == 'H' || prefix == 'h') {
    base = 16;
  } else if (prefix == 'O' || prefix == 'o') {
    base = 8;
  } else {
    return std::nullopt;
  }
  uint64_t value = 0;
  for (char c : text.substr(1)) {
    int digit;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    if (digit >= base) return std::nullopt;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  if (value <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(value)));
  return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

// Roughly the power of ten of a well-formed plain number ("d.ddde+x"), enough to
// tell a number too large for a Double from one too small.
long DecimalOrder(const std::string& plain) {
  const size_t e = plain.find('e');
  const std::string mantissa = plain.substr(0, e);
  const long exponent =
      e == std::string::npos ? 0 : std::clamp(std::strtol(plain.c_str() + e + 1, nullptr, 10), -100000L, 100000L);
  const size_t first = mantissa.find_first_of("123456789");
  if (first == std::string::npos) return 0;
  const size_t point = std::min(mantissa.find('.'), mantissa.size());
  const long order = first < point ? static_cast<long>(point - first) : -static_cast<long>(first - point - 1);
  return order + exponent;
}

}  // namespace

std::string CStrText(double value, NumberKind kind) {
  return (ShowsMinus(value, kind) ? "-" : "") + Magnitude(value, kind, true);
}

std::string StrText(double value, NumberKind kind) {
  return (ShowsMinus(value, kind) ? "-" : " ") + Magnitude(value, kind, false);
}

std::string PrintText(double value, NumberKind kind) { return StrText(value, kind) + " "; }

std::string WriteText(double value, NumberKind kind) {
  return (ShowsMinus(value, kind) ? "-" : "") + Magnitude(value, kind, false);
}

std::optional<double> TextToNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  if (text.front() == '&') return RadixNumber(text.substr(1));

  // Checked by hand (sign, digits, ".", exponent), then read by from_chars,
  // which knows no "+" and no "D".
  bool negative = false;
  size_t i = 0;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  std::string plain;
  size_t mantissaDigits = 0;
  while (i < text.size() && IsDigit(text[i])) plain += text[i++], ++mantissaDigits;
  if (i < text.size() && text[i] == '.') {
    plain += text[i++];
    while (i < text.size() && IsDigit(text[i])) plain += text[i++], ++mantissaDigits;
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) plain += text[i++], ++exponentDigits;
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (end != plain.data() + plain.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Too large to hold does not fit a Double; too small to hold is zero.
    if (DecimalOrder(plain) > 0) return std::nullopt;
    value = 0;
  } else if (error != std::errc()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

}  // namespace korva::vbrun

#include "vbrun/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace korva::vbrun {

namespace {

// Significant digits shown for a floating value of the kind.
int SignificantDigits(NumberKind kind) { return kind == NumberKind::kSingle ? 7 : 15; }

// A number's text is made in a buffer of this size: at most 17 significant
// digits, their point, a sign and a four-character exponent.
constexpr size_t kTextBytes = 64;

// Writes the digits of a whole number held in a double (below 2^63) at `out`;
// returns the end.
char* WholeDigits(char* out, double whole) {
  return std::to_chars(out, out + 24, static_cast<long long>(whole)).ptr;
}

char* Repeat(char* out, char c, size_t n) {
  std::memset(out, c, n);
  return out + n;
}

char* Copy(char* out, const char* from, size_t n) {
  std::memcpy(out, from, n);
  return out + n;
}

// Writes the text of the magnitude of a value, without sign, at `out`;
// returns the end. `leadingZero` puts the "0" before the decimal point of a
// value below one ("0.5" rather than ".5").
char* Magnitude(char* out, double value, NumberKind kind, bool leadingZero) {
  double magnitude = std::fabs(value);
  if (kind == NumberKind::kInteger || kind == NumberKind::kLong) return WholeDigits(out, std::nearbyint(magnitude));
  if (kind == NumberKind::kSingle) magnitude = std::fabs(static_cast<double>(static_cast<float>(value)));
  // A whole number that fits the significant digits shows as its digits alone
  // (the common case, written without going through the exponent form).
  if (magnitude < (kind == NumberKind::kSingle ? 1e7 : 1e15) && magnitude == std::floor(magnitude)) {
    return WholeDigits(out, magnitude);
  }
  // What the runtime library shows for values that no arithmetic of ours produces.
  if (std::isnan(magnitude)) return Copy(out, "1.#QNAN", 7);
  if (std::isinf(magnitude)) return Copy(out, "1.#INF", 6);

  // Rounded to the significant digits: "d.ddddde+XX".
  const int digits = SignificantDigits(kind);
  char scientific[kTextBytes];
  const char* begin = scientific;
  const char* end =
      std::to_chars(scientific, scientific + sizeof scientific, magnitude, std::chars_format::scientific, digits - 1).ptr;
  const char* e = std::find(begin, end, 'e');
  int exponent = 0;
  std::from_chars(e + 2, end, exponent);
  if (e[1] == '-') exponent = -exponent;
  char mantissa[kTextBytes];  // the digits alone, without trailing zeros
  size_t count = 0;
  mantissa[count++] = scientific[0];
  for (const char* d = scientific + 2; d < e; ++d) mantissa[count++] = *d;
  while (count > 1 && mantissa[count - 1] == '0') --count;

  if (exponent < -4 || exponent >= digits) {
    *out++ = mantissa[0];
    if (count > 1) {
      *out++ = '.';
      out = Copy(out, mantissa + 1, count - 1);
    }
    const int size = std::abs(exponent);
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    if (size < 10) *out++ = '0';
    return std::to_chars(out, out + 8, size).ptr;
  }
  if (exponent >= 0) {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (count <= whole) return Repeat(Copy(out, mantissa, count), '0', whole - count);
    out = Copy(out, mantissa, whole);
    *out++ = '.';
    return Copy(out, mantissa + whole, count - whole);
  }
  out = leadingZero ? Copy(out, "0.", 2) : Copy(out, ".", 1);
  return Copy(Repeat(out, '0', static_cast<size_t>(-exponent - 1)), mantissa, count);
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

namespace {

// The text of a number: `positive` before a value without minus sign, the
// magnitude, and `after`.
std::string NumberText(double value, NumberKind kind, const char* positive, bool leadingZero, const char* after) {
  char text[kTextBytes];
  char* out = text;
  if (ShowsMinus(value, kind)) {
    *out++ = '-';
  } else if (*positive != 0) {
    *out++ = *positive;
  }
  out = Magnitude(out, value, kind, leadingZero);
  if (*after != 0) *out++ = *after;
  return std::string(text, out);
}

}  // namespace

std::string CStrText(double value, NumberKind kind) { return NumberText(value, kind, "", true, ""); }

std::string StrText(double value, NumberKind kind) { return NumberText(value, kind, " ", false, ""); }

std::string PrintText(double value, NumberKind kind) { return NumberText(value, kind, " ", false, " "); }

std::string WriteText(double value, NumberKind kind) { return NumberText(value, kind, "", false, ""); }

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

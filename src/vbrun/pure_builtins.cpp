#include "vbrun/pure_builtins.h"

#include <cmath>
#include <cstdio>

#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva::vbrun {
namespace {

// A numeric argument: a text that reads as a number is that number.
Value Numeric(const Value& v) {
  if (v.type == VbType::kString) return Value::Double(ToNumber(v));
  if (v.type == VbType::kEmpty || v.type == VbType::kBoolean) return Value::Integer(v.num);
  return v;
}

Value Text(std::string s) { return Value::String(std::move(s)); }

long Whole(const Value& v) { return ToLong(v); }

// Int, Fix and Abs keep the numeric type of their argument.
Value SameType(const Value& v, double x) {
  Value r = Numeric(v);
  if ((r.type == VbType::kInteger && (x < -32768 || x > 32767)) ||
      (r.type == VbType::kLong && (x < -2147483648.0 || x > 2147483647.0))) {
    Fail(err::kOverflow);
  }
  r.num = x;
  r.variant = false;
  return r;
}

double SquareRoot(double x) {
  if (x < 0) Fail(err::kInvalidCall);
  return std::sqrt(x);
}

std::string Digits(double x, int decimals) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
  return buffer;
}

std::string Grouped(const std::string& integer) {
  std::string out;
  int count = 0;
  for (size_t i = integer.size(); i-- > 0;) {
    out.insert(out.begin(), integer[i]);
    if (++count % 3 == 0 && i > 0) out.insert(out.begin(), ',');
  }
  return out;
}

}  // namespace

std::string FormatWith(const Value& value, const std::string& format) {
  if (value.type == VbType::kString && !TextToNumber(value.str)) return value.str;
  double x = ToNumber(value);
  std::string lower = LowerCase(format);
  if (lower == "general number" || format.empty()) return ToText(Numeric(value));
  std::string fmt = format;
  if (lower == "fixed")
    fmt = "0.00";
  else if (lower == "standard")
    fmt = "#,##0.00";
  else if (lower == "percent")
    fmt = "0.00%";
  else if (lower == "scientific") {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2E", x);
    return buffer;
  }
  // The section for negative numbers, when there is one, is not used: "-" leads.
  if (size_t semi = fmt.find(';'); semi != std::string::npos) fmt.resize(semi);
  std::string prefix, suffix;
  int minInteger = 0, minDecimals = 0, maxDecimals = 0;
  bool grouping = false, percent = false, seenDigit = false, seenPoint = false, afterDigits = false;
  for (size_t i = 0; i < fmt.size(); ++i) {
    char c = fmt[i];
    std::string literal;
    if (c == '0' || c == '#') {
      if (afterDigits) {
        literal = std::string(1, c);
      } else {
        seenDigit = true;
        if (seenPoint) {
          ++maxDecimals;
          if (c == '0') minDecimals = maxDecimals;
        } else if (c == '0') {
          ++minInteger;
        }
        continue;
      }
    } else if (c == '.' && !seenPoint && !afterDigits) {
      seenPoint = true;
      seenDigit = true;
      continue;
    } else if (c == ',' && seenDigit && !seenPoint && !afterDigits) {
      grouping = true;
      continue;
    } else if (c == '%') {
      percent = true;
      literal = "%";
    } else if (c == '\\' && i + 1 < fmt.size()) {
      literal = std::string(1, fmt[++i]);
    } else if (c == '"') {
      size_t close = fmt.find('"', i + 1);
      if (close == std::string::npos) close = fmt.size();
      literal = fmt.substr(i + 1, close - i - 1);
      i = close;
    } else {
      literal = std::string(1, c);
    }
    if (seenDigit) {
      afterDigits = true;
      suffix += literal;
    } else {
      prefix += literal;
    }
  }
  if (!seenDigit) return prefix + suffix;
  if (percent) x *= 100;
  bool negative = x < 0;
  std::string digits = Digits(std::fabs(x), maxDecimals);
  std::string integer = digits.substr(0, digits.find('.'));
  std::string fraction = digits.find('.') == std::string::npos ? "" : digits.substr(digits.find('.') + 1);
  while (static_cast<int>(fraction.size()) > minDecimals && !fraction.empty() && fraction.back() == '0')
    fraction.pop_back();
  if (integer == "0" && minInteger == 0) integer.clear();
  while (static_cast<int>(integer.size()) < minInteger) integer.insert(integer.begin(), '0');
  if (grouping) integer = Grouped(integer);
  std::string out = integer;
  if (seenPoint && (!fraction.empty() || maxDecimals == 0)) out += "." + fraction;
  if (negative && (std::stod(digits) != 0))
    out = "-" + prefix + out;
  else
    out = prefix + out;
  return out + suffix;
}

bool CallPureBuiltin(Builtin id, std::vector<Value>& a, Value& r) {
  switch (id) {
    case Builtin::kMid: {
      std::string s = ToText(a[0]);
      long start = Whole(a[1]);
      if (start < 1) Fail(err::kInvalidCall);
      long length = a.size() > 2 ? Whole(a[2]) : static_cast<long>(s.size());
      if (length < 0) Fail(err::kInvalidCall);
      r = Text(static_cast<size_t>(start) > s.size() ? "" : s.substr(start - 1, length));
      return true;
    }
    case Builtin::kLeft:
    case Builtin::kRight: {
      std::string s = ToText(a[0]);
      long n = Whole(a[1]);
      if (n < 0) Fail(err::kInvalidCall);
      size_t k = std::min<size_t>(n, s.size());
      r = Text(id == Builtin::kLeft ? s.substr(0, k) : s.substr(s.size() - k));
      return true;
    }
    case Builtin::kInStr: {
      long start = 1;
      size_t first = 0;
      if (a.size() == 3) {
        start = Whole(a[0]);
        if (start < 1) Fail(err::kInvalidCall);
        first = 1;
      }
      std::string s = ToText(a[first]);
      std::string t = ToText(a[first + 1]);
      long found = 0;
      if (static_cast<size_t>(start) <= s.size() || (t.empty() && static_cast<size_t>(start) <= s.size() + 1)) {
        if (t.empty()) {
          found = s.empty() ? 0 : start;
        } else {
          size_t at = s.find(t, start - 1);
          found = at == std::string::npos ? 0 : static_cast<long>(at) + 1;
        }
      }
      r = Value::Long(found);
      return true;
    }
    case Builtin::kStr: {
      Value n = Numeric(a[0]);
      r = Text(StrText(n.num, NumberKindOf(n.type)));
      return true;
    }
    case Builtin::kVal:
      r = Value::Double(Val(ToText(a[0])));
      return true;
    case Builtin::kLCase:
      r = Text(LowerCase(ToText(a[0])));
      return true;
    case Builtin::kUCase:
      r = Text(UpperCase(ToText(a[0])));
      return true;
    case Builtin::kLen:
      switch (a[0].variant ? (a[0].IsString() || a[0].type == VbType::kEmpty ? a[0].type : VbType::kString)
                           : a[0].type) {
        case VbType::kInteger:
        case VbType::kBoolean:
          r = Value::Long(2);
          break;
        case VbType::kLong:
        case VbType::kSingle:
          r = Value::Long(4);
          break;
        case VbType::kDouble:
          r = Value::Long(8);
          break;
        default:
          r = Value::Long(static_cast<double>(ToText(a[0]).size()));
          break;
      }
      return true;
    case Builtin::kChr: {
      long c = Whole(a[0]);
      if (c < 0 || c > 255) Fail(err::kInvalidCall);
      r = Text(std::string(1, static_cast<char>(c)));
      return true;
    }
    case Builtin::kAsc: {
      std::string s = ToText(a[0]);
      if (s.empty()) Fail(err::kInvalidCall);
      r = Value::Integer(static_cast<unsigned char>(s[0]));
      return true;
    }
    case Builtin::kTrim:
    case Builtin::kLTrim:
    case Builtin::kRTrim: {
      std::string s = ToText(a[0]);
      size_t begin = 0, end = s.size();
      if (id != Builtin::kRTrim) {
        while (begin < end && s[begin] == ' ') ++begin;
      }
      if (id != Builtin::kLTrim) {
        while (end > begin && s[end - 1] == ' ') --end;
      }
      r = Text(s.substr(begin, end - begin));
      return true;
    }
    case Builtin::kFormat:
      if (a.size() == 1) {
        r = Text(a[0].IsString() ? a[0].str : ToText(a[0]));
      } else {
        r = Text(FormatWith(a[0], ToText(a[1])));
      }
      return true;
    case Builtin::kSpace: {
      long n = Whole(a[0]);
      if (n < 0) Fail(err::kInvalidCall);
      r = Text(std::string(n, ' '));
      return true;
    }
    case Builtin::kReplace: {
      // Replace(text, find, with[, start[, count]]): the text from `start` on,
      // with the first `count` (-1: every) occurrences of `find` replaced.
      std::string s = ToText(a[0]);
      const std::string find = ToText(a[1]);
      const std::string with = ToText(a[2]);
      long start = a.size() > 3 ? Whole(a[3]) : 1;
      long count = a.size() > 4 ? Whole(a[4]) : -1;
      if (start < 1 || count < -1) Fail(err::kInvalidCall);
      if (static_cast<size_t>(start) > s.size()) {
        r = Text("");
        return true;
      }
      s.erase(0, static_cast<size_t>(start) - 1);
      std::string out;
      size_t at = 0;
      for (long done = 0; !find.empty() && count != done; ++done) {
        size_t found = s.find(find, at);
        if (found == std::string::npos) break;
        out.append(s, at, found - at).append(with);
        at = found + find.size();
      }
      out.append(s, at, std::string::npos);
      r = Text(std::move(out));
      return true;
    }
    case Builtin::kString: {
      long n = Whole(a[0]);
      if (n < 0) Fail(err::kInvalidCall);
      char c;
      if (a[1].IsString()) {
        if (a[1].str.empty()) Fail(err::kInvalidCall);
        c = a[1].str[0];
      } else {
        // A code above 255 is taken Mod 256, as the target documents.
        long code = Whole(a[1]);
        if (code < 0) Fail(err::kInvalidCall);
        c = static_cast<char>(code % 256);
      }
      r = Text(std::string(n, c));
      return true;
    }
    case Builtin::kCStr:
      r = Text(ToText(a[0]));
      return true;
    case Builtin::kFix:
      r = SameType(a[0], std::trunc(ToNumber(a[0])));
      return true;
    case Builtin::kInt:
      r = SameType(a[0], std::floor(ToNumber(a[0])));
      return true;
    case Builtin::kAbs:
      r = SameType(a[0], std::fabs(ToNumber(a[0])));
      return true;
    case Builtin::kSqr:
      r = Value::Double(SquareRoot(ToNumber(a[0])));
      return true;
    case Builtin::kExp: {
      double x = std::exp(ToNumber(a[0]));
      if (!std::isfinite(x)) Fail(err::kOverflow);
      r = Value::Double(x);
      return true;
    }
    case Builtin::kLog: {
      double x = ToNumber(a[0]);
      if (x <= 0) Fail(err::kInvalidCall);
      r = Value::Double(std::log(x));
      return true;
    }
    case Builtin::kSgn: {
      double x = ToNumber(a[0]);
      r = Value::Integer(x > 0 ? 1 : (x < 0 ? -1 : 0));
      return true;
    }
    case Builtin::kSin:
      r = Value::Double(std::sin(ToNumber(a[0])));
      return true;
    case Builtin::kCos:
      r = Value::Double(std::cos(ToNumber(a[0])));
      return true;
    case Builtin::kTan:
      r = Value::Double(std::tan(ToNumber(a[0])));
      return true;
    case Builtin::kAtn:
      r = Value::Double(std::atan(ToNumber(a[0])));
      return true;
    case Builtin::kCInt:
      r = Convert(a[0], VbType::kInteger);
      return true;
    case Builtin::kCLng:
      r = Convert(a[0], VbType::kLong);
      return true;
    case Builtin::kCSng:
      r = Convert(a[0], VbType::kSingle);
      return true;
    case Builtin::kCDbl:
      r = Convert(a[0], VbType::kDouble);
      return true;
    case Builtin::kCBool:
      r = Convert(a[0], VbType::kBoolean);
      return true;
    case Builtin::kIsNumeric:
      r = Value::Boolean(a[0].type == VbType::kEmpty || a[0].IsNumeric() || TextToNumber(a[0].str).has_value());
      return true;
    default:
      return false;
  }
}

VbType FixedBuiltinType(Builtin id, VbType arg) {
  if (!IsFixedNumeric(arg)) return VbType::kEmpty;
  switch (id) {
    case Builtin::kInt:
    case Builtin::kFix:
    case Builtin::kAbs:
      return Numeric(Value{arg, false, 0, {}}).type;
    case Builtin::kCInt:
      return VbType::kInteger;
    case Builtin::kCLng:
      return VbType::kLong;
    case Builtin::kCSng:
      return VbType::kSingle;
    case Builtin::kCDbl:
    case Builtin::kSqr:
      return VbType::kDouble;
    default:
      return VbType::kEmpty;
  }
}

double FixedBuiltin(Builtin id, VbType arg, double x) {
  const Value v{arg, false, x, {}};
  switch (id) {
    case Builtin::kInt:
      return SameType(v, std::floor(x)).num;
    case Builtin::kFix:
      return SameType(v, std::trunc(x)).num;
    case Builtin::kAbs:
      return SameType(v, std::fabs(x)).num;
    case Builtin::kCInt:
      return ConvertNumber(x, VbType::kInteger);
    case Builtin::kCLng:
      return ConvertNumber(x, VbType::kLong);
    case Builtin::kCSng:
      return ConvertNumber(x, VbType::kSingle);
    default:  // CDbl, Sqr
      return id == Builtin::kSqr ? SquareRoot(x) : ConvertNumber(x, VbType::kDouble);
  }
}

}  // namespace korva::vbrun

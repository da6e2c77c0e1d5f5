#include "vbrun/value.h"

#include <cfloat>
#include <cmath>

#include "text/cp1252.h"

namespace korva::vbrun {
namespace {

// The number held by a value of a fixed type, for the operators.
double NumberOf(const Value& v) {
  if (v.type == VbType::kString) {
    auto n = TextToNumber(v.str);
    if (!n) Fail(err::kTypeMismatch);
    return *n;
  }
  return v.num;
}

// The numeric type an operand counts as in arithmetic.
VbType ArithmeticType(const Value& v) {
  switch (v.type) {
    case VbType::kEmpty:
    case VbType::kBoolean:
      return VbType::kInteger;
    case VbType::kString:
      return VbType::kDouble;
    default:
      return v.type;
  }
}

int Rank(VbType t) {
  switch (t) {
    case VbType::kInteger:
      return 1;
    case VbType::kLong:
      return 2;
    case VbType::kSingle:
      return 3;
    default:
      return 4;
  }
}

// The type of + - * on two operands: the wider one, and Double for a Long with a Single.
VbType WiderType(VbType a, VbType b) {
  if ((a == VbType::kLong && b == VbType::kSingle) || (a == VbType::kSingle && b == VbType::kLong)) {
    return VbType::kDouble;
  }
  return Rank(a) >= Rank(b) ? a : b;
}

bool FitsInteger(double x) { return x >= -32768.0 && x <= 32767.0; }
bool FitsLong(double x) { return x >= -2147483648.0 && x <= 2147483647.0; }

// A result of type `type`; a Variant result grows into a wider type instead of overflowing.
Value Result(double x, VbType type, bool variant) {
  Value r;
  r.variant = variant;
  switch (type) {
    case VbType::kInteger:
      if (FitsInteger(x)) {
        r.type = VbType::kInteger;
        r.num = x;
        return r;
      }
      if (!variant) Fail(err::kOverflow);
      [[fallthrough]];
    case VbType::kLong:
      if (FitsLong(x)) {
        r.type = VbType::kLong;
        r.num = x;
        return r;
      }
      if (!variant) Fail(err::kOverflow);
      r.type = VbType::kDouble;
      r.num = x;
      break;
    case VbType::kSingle: {
      if (std::isfinite(x) && std::fabs(x) <= FLT_MAX) {
        r.type = VbType::kSingle;
        r.num = static_cast<float>(x);
        return r;
      }
      if (!variant || !std::isfinite(x)) Fail(err::kOverflow);
      r.type = VbType::kDouble;
      r.num = x;
      break;
    }
    default:
      r.type = VbType::kDouble;
      r.num = x;
      break;
  }
  if (!std::isfinite(r.num)) Fail(err::kOverflow);
  return r;
}

int CompareTexts(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int CompareNumbers(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

// -1, 0 or 1 as the target compares two values.
int Compare(const Value& a, const Value& b) {
  bool aText = a.type == VbType::kString;
  bool bText = b.type == VbType::kString;
  if (a.type == VbType::kEmpty && b.type == VbType::kEmpty) return 0;
  if (aText && bText) return CompareTexts(a.str, b.str);
  if (a.type == VbType::kEmpty && bText) return CompareTexts("", b.str);
  if (aText && b.type == VbType::kEmpty) return CompareTexts(a.str, "");
  if (!aText && !bText) return CompareNumbers(a.num, b.num);
  const Value& text = aText ? a : b;
  const Value& number = aText ? b : a;
  int sign = aText ? 1 : -1;                        // the sign of "text compared with number"
  if (text.variant && number.variant) return sign;  // a numeric Variant is less than a text Variant
  if (!text.variant && number.variant) {
    return aText ? CompareTexts(a.str, ToText(b)) : CompareTexts(ToText(a), b.str);
  }
  auto n = TextToNumber(text.str);
  if (!n) Fail(err::kTypeMismatch);
  return aText ? CompareNumbers(*n, b.num) : CompareNumbers(a.num, *n);
}

Value Logical(BinaryOp op, const Value& a, const Value& b) {
  bool variant = a.variant || b.variant;
  if (a.type == VbType::kBoolean && b.type == VbType::kBoolean) {
    bool x = a.num != 0;
    bool y = b.num != 0;
    bool r = false;
    switch (op) {
      case BinaryOp::kAnd:
        r = x && y;
        break;
      case BinaryOp::kOr:
        r = x || y;
        break;
      case BinaryOp::kXor:
        r = x != y;
        break;
      case BinaryOp::kEqv:
        r = x == y;
        break;
      default:
        r = !x || y;
        break;
    }
    Value v = Value::Boolean(r);
    v.variant = variant;
    return v;
  }
  VbType ta = ArithmeticType(a);
  VbType tb = ArithmeticType(b);
  VbType type = (ta == VbType::kInteger && tb == VbType::kInteger) ? VbType::kInteger : VbType::kLong;
  int32_t x = ToLong(a);
  int32_t y = ToLong(b);
  int32_t r = 0;
  switch (op) {
    case BinaryOp::kAnd:
      r = x & y;
      break;
    case BinaryOp::kOr:
      r = x | y;
      break;
    case BinaryOp::kXor:
      r = x ^ y;
      break;
    case BinaryOp::kEqv:
      r = ~(x ^ y);
      break;
    default:
      r = ~x | y;
      break;
  }
  return Result(r, type, variant);
}

}  // namespace

const char* TypeName(VbType type) {
  switch (type) {
    case VbType::kEmpty:
      return "Empty";
    case VbType::kBoolean:
      return "Boolean";
    case VbType::kInteger:
      return "Integer";
    case VbType::kLong:
      return "Long";
    case VbType::kSingle:
      return "Single";
    case VbType::kDouble:
      return "Double";
    case VbType::kString:
      return "String";
    default:
      return "Variant";
  }
}

NumberKind NumberKindOf(VbType type) {
  switch (type) {
    case VbType::kSingle:
      return NumberKind::kSingle;
    case VbType::kDouble:
    case VbType::kString:
      return NumberKind::kDouble;
    case VbType::kLong:
      return NumberKind::kLong;
    default:
      return NumberKind::kInteger;
  }
}

VbType TypeOfSuffix(char suffix) {
  switch (suffix) {
    case '%':
      return VbType::kInteger;
    case '&':
      return VbType::kLong;
    case '!':
      return VbType::kSingle;
    case '#':
      return VbType::kDouble;
    case '$':
      return VbType::kString;
    default:
      return VbType::kEmpty;
  }
}

double RoundHalfEven(double x) {
  double r = std::nearbyint(x);  // the default rounding mode rounds half to even
  return r == 0 ? 0.0 : r;
}

Value DefaultValue(VbType declared) {
  switch (declared) {
    case VbType::kVariant: {
      Value v;
      v.variant = true;
      return v;
    }
    case VbType::kString:
      return Value::String("");
    case VbType::kBoolean:
      return Value::Boolean(false);
    default:
      return Value{declared, false, 0, {}};
  }
}

double ToNumber(const Value& v) { return NumberOf(v); }

int32_t ToInteger(const Value& v) {
  double x = RoundHalfEven(NumberOf(v));
  if (!FitsInteger(x)) Fail(err::kOverflow);
  return static_cast<int32_t>(x);
}

int32_t ToLong(const Value& v) {
  double x = NumberOf(v);
  if (!std::isfinite(x)) Fail(err::kOverflow);
  x = RoundHalfEven(x);
  if (!FitsLong(x)) Fail(err::kOverflow);
  return static_cast<int32_t>(x);
}

std::string ToText(const Value& v) {
  switch (v.type) {
    case VbType::kString:
      return v.str;
    case VbType::kEmpty:
      return "";
    case VbType::kBoolean:
      return v.num != 0 ? "True" : "False";
    default:
      return CStrText(v.num, NumberKindOf(v.type));
  }
}

bool ToCondition(const Value& v) { return NumberOf(v) != 0; }

Value Convert(const Value& v, VbType declared) {
  switch (declared) {
    case VbType::kVariant: {
      Value r = v;
      r.variant = true;
      return r;
    }
    case VbType::kString:
      return Value::String(ToText(v));
    case VbType::kBoolean:
      if (v.type == VbType::kString) {
        if (LowerCase(v.str) == "true") return Value::Boolean(true);
        if (LowerCase(v.str) == "false") return Value::Boolean(false);
      }
      return Value::Boolean(NumberOf(v) != 0);
    case VbType::kInteger:
      return Value::Integer(ToInteger(v));
    case VbType::kLong:
      return Value::Long(ToLong(v));
    case VbType::kSingle:
      return Result(NumberOf(v), VbType::kSingle, false);
    case VbType::kDouble:
      return Result(NumberOf(v), VbType::kDouble, false);
    default:
      return Value{};
  }
}

Value Negate(const Value& v) {
  if (v.type == VbType::kEmpty) return Value::Integer(0);
  VbType type = ArithmeticType(v);
  return Result(-NumberOf(v), type, v.variant);
}

Value Not(const Value& v) {
  if (v.type == VbType::kBoolean) {
    Value r = Value::Boolean(v.num == 0);
    r.variant = v.variant;
    return r;
  }
  VbType type = ArithmeticType(v) == VbType::kInteger ? VbType::kInteger : VbType::kLong;
  return Result(~ToLong(v), type, v.variant);
}

Value Binary(BinaryOp op, const Value& a, const Value& b) {
  bool variant = a.variant || b.variant;
  switch (op) {
    case BinaryOp::kConcat: {
      Value r = Value::String(ToText(a) + ToText(b));
      r.variant = variant;
      return r;
    }
    case BinaryOp::kAdd:
      if (a.type == VbType::kString && b.type == VbType::kString) {
        Value r = Value::String(a.str + b.str);
        r.variant = variant;
        return r;
      }
      if (a.type == VbType::kEmpty && b.type == VbType::kString) return b;
      if (b.type == VbType::kEmpty && a.type == VbType::kString) return a;
      [[fallthrough]];
    case BinaryOp::kSub:
    case BinaryOp::kMul: {
      VbType type = WiderType(ArithmeticType(a), ArithmeticType(b));
      double x = NumberOf(a);
      double y = NumberOf(b);
      double r = op == BinaryOp::kAdd ? x + y : (op == BinaryOp::kSub ? x - y : x * y);
      return Result(r, type, variant);
    }
    case BinaryOp::kDiv: {
      VbType ta = ArithmeticType(a);
      VbType tb = ArithmeticType(b);
      double x = NumberOf(a);
      double y = NumberOf(b);
      if (y == 0) Fail(x == 0 ? err::kOverflow : err::kDivisionByZero);
      VbType type = (ta == VbType::kDouble || tb == VbType::kDouble)   ? VbType::kDouble
                    : (ta == VbType::kSingle || tb == VbType::kSingle) ? VbType::kSingle
                                                                       : VbType::kDouble;
      return Result(x / y, type, variant);
    }
    case BinaryOp::kIntDiv:
    case BinaryOp::kMod: {
      VbType type = (ArithmeticType(a) == VbType::kInteger && ArithmeticType(b) == VbType::kInteger) ? VbType::kInteger
                                                                                                     : VbType::kLong;
      int64_t x = ToLong(a);
      int64_t y = ToLong(b);
      if (y == 0) Fail(err::kDivisionByZero);
      return Result(static_cast<double>(op == BinaryOp::kIntDiv ? x / y : x % y), type, variant);
    }
    case BinaryOp::kPow: {
      double x = NumberOf(a);
      double y = NumberOf(b);
      if (x < 0 && y != std::floor(y)) Fail(err::kInvalidCall);
      if (x == 0 && y < 0) Fail(err::kDivisionByZero);
      return Result(std::pow(x, y), VbType::kDouble, variant);
    }
    case BinaryOp::kEq:
    case BinaryOp::kNe:
    case BinaryOp::kLt:
    case BinaryOp::kGt:
    case BinaryOp::kLe:
    case BinaryOp::kGe: {
      int c = Compare(a, b);
      bool r = op == BinaryOp::kEq   ? c == 0
               : op == BinaryOp::kNe ? c != 0
               : op == BinaryOp::kLt ? c < 0
               : op == BinaryOp::kGt ? c > 0
               : op == BinaryOp::kLe ? c <= 0
                                     : c >= 0;
      Value v = Value::Boolean(r);
      v.variant = variant;
      return v;
    }
    default:
      return Logical(op, a, b);
  }
}

}  // namespace korva::vbrun

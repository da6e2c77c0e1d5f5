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

// The number a result of `type` holds, outside a Variant: rounded to a
// Single, or error 6 when it does not fit its type.
double ResultNumber(double x, VbType type) {
  switch (type) {
    case VbType::kInteger:
      if (!FitsInteger(x)) Fail(err::kOverflow);
      return x;
    case VbType::kLong:
      if (!FitsLong(x)) Fail(err::kOverflow);
      return x;
    case VbType::kSingle:
      if (!std::isfinite(x) || std::fabs(x) > FLT_MAX) Fail(err::kOverflow);
      return static_cast<float>(x);
    default:
      if (!std::isfinite(x)) Fail(err::kOverflow);
      return x;
  }
}

// A number as a Long, rounded half to even (error 6 out of range).
int32_t LongOf(double x) {
  if (!std::isfinite(x)) Fail(err::kOverflow);
  x = RoundHalfEven(x);
  if (!FitsLong(x)) Fail(err::kOverflow);
  return static_cast<int32_t>(x);
}

// The type a number of a numeric type counts as in arithmetic (a Boolean as an Integer).
VbType NumberType(VbType t) { return t == VbType::kBoolean ? VbType::kInteger : t; }

bool IsComparison(BinaryOp op) { return op >= BinaryOp::kEq && op <= BinaryOp::kGe; }
bool IsLogical(BinaryOp op) { return op >= BinaryOp::kAnd; }

// The type of `op` on operands of these arithmetic types, before the result
// is held (a Variant's may still grow).
VbType OperationType(BinaryOp op, VbType ta, VbType tb) {
  switch (op) {
    case BinaryOp::kAdd:
    case BinaryOp::kSub:
    case BinaryOp::kMul:
      return WiderType(ta, tb);
    case BinaryOp::kDiv:
      return (ta == VbType::kDouble || tb == VbType::kDouble)   ? VbType::kDouble
             : (ta == VbType::kSingle || tb == VbType::kSingle) ? VbType::kSingle
                                                                : VbType::kDouble;
    case BinaryOp::kPow:
      return VbType::kDouble;
    default:  // \, Mod and the logical operators on numbers
      return ta == VbType::kInteger && tb == VbType::kInteger ? VbType::kInteger : VbType::kLong;
  }
}

// Arithmetic, and the logical operators on whole numbers, on x and y of the
// arithmetic types ta and tb: the result before it is held in its type.
double Arithmetic(BinaryOp op, double x, double y) {
  switch (op) {
    case BinaryOp::kAdd:
      return x + y;
    case BinaryOp::kSub:
      return x - y;
    case BinaryOp::kMul:
      return x * y;
    case BinaryOp::kDiv:
      if (y == 0) Fail(x == 0 ? err::kOverflow : err::kDivisionByZero);
      return x / y;
    case BinaryOp::kIntDiv:
    case BinaryOp::kMod: {
      const int64_t i = LongOf(x);
      const int64_t j = LongOf(y);
      if (j == 0) Fail(err::kDivisionByZero);
      return static_cast<double>(op == BinaryOp::kIntDiv ? i / j : i % j);
    }
    case BinaryOp::kPow:
      if (x < 0 && y != std::floor(y)) Fail(err::kInvalidCall);
      if (x == 0 && y < 0) Fail(err::kDivisionByZero);
      return std::pow(x, y);
    default: {
      const int32_t i = LongOf(x);
      const int32_t j = LongOf(y);
      switch (op) {
        case BinaryOp::kAnd:
          return i & j;
        case BinaryOp::kOr:
          return i | j;
        case BinaryOp::kXor:
          return i ^ j;
        case BinaryOp::kEqv:
          return ~(i ^ j);
        default:
          return ~i | j;
      }
    }
  }
}

// The logical operators on two truths.
bool Truth(BinaryOp op, bool x, bool y) {
  switch (op) {
    case BinaryOp::kAnd:
      return x && y;
    case BinaryOp::kOr:
      return x || y;
    case BinaryOp::kXor:
      return x != y;
    case BinaryOp::kEqv:
      return x == y;
    default:
      return !x || y;
  }
}

// The type a result of `type` is held in: Integer, Long and Single as they
// are, anything else as a Double.
VbType HeldType(VbType type) {
  return type == VbType::kInteger || type == VbType::kLong || type == VbType::kSingle ? type : VbType::kDouble;
}

// A result of type `type`; a Variant result grows into a wider type instead of overflowing.
Value Result(double x, VbType type, bool variant) {
  if (!variant) return Value{HeldType(type), false, ResultNumber(x, type), {}};
  Value r;
  r.variant = true;
  switch (type) {
    case VbType::kInteger:
      if (FitsInteger(x)) {
        r.type = VbType::kInteger;
        r.num = x;
        return r;
      }
      [[fallthrough]];
    case VbType::kLong:
      if (FitsLong(x)) {
        r.type = VbType::kLong;
        r.num = x;
        return r;
      }
      r.type = VbType::kDouble;
      r.num = x;
      break;
    case VbType::kSingle: {
      if (std::isfinite(x) && std::fabs(x) <= FLT_MAX) {
        r.type = VbType::kSingle;
        r.num = static_cast<float>(x);
        return r;
      }
      if (!std::isfinite(x)) Fail(err::kOverflow);
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
    Value v = Value::Boolean(Truth(op, a.num != 0, b.num != 0));
    v.variant = variant;
    return v;
  }
  const double x = ToLong(a);
  const double y = ToLong(b);
  return Result(Arithmetic(op, x, y), OperationType(op, ArithmeticType(a), ArithmeticType(b)), variant);
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

int32_t ToInteger(const Value& v) { return static_cast<int32_t>(ConvertNumber(NumberOf(v), VbType::kInteger)); }

int32_t ToLong(const Value& v) { return LongOf(NumberOf(v)); }

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

double ConvertNumber(double x, VbType declared) {
  switch (declared) {
    case VbType::kBoolean:
      return x != 0 ? -1.0 : 0.0;
    case VbType::kInteger: {
      x = RoundHalfEven(x);
      if (!FitsInteger(x)) Fail(err::kOverflow);
      return x;
    }
    case VbType::kLong:
      return LongOf(x);
    default:
      return ResultNumber(x, declared);
  }
}

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
      [[fallthrough]];
    case VbType::kInteger:
    case VbType::kLong:
    case VbType::kSingle:
    case VbType::kDouble:
      return Value{declared, false, ConvertNumber(NumberOf(v), declared), {}};
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

namespace {

// Whether a comparison holds, from the sign of the difference.
bool Holds(BinaryOp op, int c) {
  switch (op) {
    case BinaryOp::kEq:
      return c == 0;
    case BinaryOp::kNe:
      return c != 0;
    case BinaryOp::kLt:
      return c < 0;
    case BinaryOp::kGt:
      return c > 0;
    case BinaryOp::kLe:
      return c <= 0;
    default:
      return c >= 0;
  }
}

}  // namespace

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
    case BinaryOp::kMul:
    case BinaryOp::kDiv:
    case BinaryOp::kPow: {
      const double x = NumberOf(a);
      const double y = NumberOf(b);
      return Result(Arithmetic(op, x, y), OperationType(op, ArithmeticType(a), ArithmeticType(b)), variant);
    }
    case BinaryOp::kIntDiv:
    case BinaryOp::kMod: {
      const double x = ToLong(a);
      const double y = ToLong(b);
      return Result(Arithmetic(op, x, y), OperationType(op, ArithmeticType(a), ArithmeticType(b)), variant);
    }
    case BinaryOp::kEq:
    case BinaryOp::kNe:
    case BinaryOp::kLt:
    case BinaryOp::kGt:
    case BinaryOp::kLe:
    case BinaryOp::kGe: {
      Value v = Value::Boolean(Holds(op, Compare(a, b)));
      v.variant = variant;
      return v;
    }
    default:
      return Logical(op, a, b);
  }
}

VbType FixedBinaryType(BinaryOp op, VbType ta, VbType tb) {
  if (!IsFixedNumeric(ta) || !IsFixedNumeric(tb) || op == BinaryOp::kConcat) return VbType::kEmpty;
  if (IsComparison(op) || (IsLogical(op) && ta == VbType::kBoolean && tb == VbType::kBoolean)) return VbType::kBoolean;
  return HeldType(OperationType(op, NumberType(ta), NumberType(tb)));
}

double FixedBinary(BinaryOp op, VbType type, double x, double y) {
  // `type` is Boolean only for a comparison or for a logical operator on two truths.
  if (IsComparison(op)) return Holds(op, CompareNumbers(x, y)) ? -1.0 : 0.0;
  if (type == VbType::kBoolean) return Truth(op, x != 0, y != 0) ? -1.0 : 0.0;
  // The type held is the operation's, or a Double where the operation's is
  // none of Integer, Long and Single: ResultNumber holds both alike.
  return ResultNumber(Arithmetic(op, x, y), type);
}

VbType FixedUnaryType(bool negate, VbType t) {
  if (!IsFixedNumeric(t)) return VbType::kEmpty;
  if (negate) return NumberType(t);
  if (t == VbType::kBoolean) return VbType::kBoolean;
  return NumberType(t) == VbType::kInteger ? VbType::kInteger : VbType::kLong;
}

double FixedUnary(bool negate, VbType t, double x) {
  if (negate) return ResultNumber(-x, NumberType(t));
  if (t == VbType::kBoolean) return x == 0 ? -1.0 : 0.0;
  return ResultNumber(~LongOf(x), FixedUnaryType(false, t));
}

}  // namespace korva::vbrun

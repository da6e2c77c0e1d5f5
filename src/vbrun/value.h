#pragma once
// The values of the language at run time and the conversions and operators
// between them, with the target's rules for types, rounding and errors.
#include <cstdint>
#include <string>
#include <string_view>

#include "vbrun/number_text.h"
#include "vbrun/vb_error.h"

namespace korva::vbrun {

// A value's type. kVariant is only a declared type: a Variant variable holds a
// value of one of the other types.
enum class VbType : uint8_t { kEmpty, kBoolean, kInteger, kLong, kSingle, kDouble, kString, kVariant };

const char* TypeName(VbType type);

struct Value {
  VbType type = VbType::kEmpty;
  bool variant = false;  // read from a Variant: comparisons and "+" follow the Variant rules
  double num = 0;        // every numeric type and Boolean (-1 or 0) is held exactly in a double
  std::string str;

  static Value Integer(double n) { return Value{VbType::kInteger, false, n, {}}; }
  static Value Long(double n) { return Value{VbType::kLong, false, n, {}}; }
  static Value Single(double n) { return Value{VbType::kSingle, false, n, {}}; }
  static Value Double(double n) { return Value{VbType::kDouble, false, n, {}}; }
  static Value Boolean(bool b) { return Value{VbType::kBoolean, false, b ? -1.0 : 0.0, {}}; }
  static Value String(std::string s) { return Value{VbType::kString, false, 0, std::move(s)}; }

  bool IsNumeric() const { return type != VbType::kString && type != VbType::kEmpty; }
  bool IsString() const { return type == VbType::kString; }
};

// The initial value of a variable of a declared type.
Value DefaultValue(VbType declared);

// Converts for storing into a variable of the declared type: whole-number types
// round half to even and overflow with error 6; a text that is not a number is
// error 13 in a numeric variable.
Value Convert(const Value& v, VbType declared);

// The value as a number (Empty is 0, a numeric text converts, other text is error 13).
double ToNumber(const Value& v);
// The value as a whole number of the given type, rounded half to even (error 6 out of range).
int32_t ToInteger(const Value& v);
int32_t ToLong(const Value& v);
// The value as a text: numbers as CStr writes them, Booleans as True/False, Empty as "".
std::string ToText(const Value& v);
// The truth of a condition: non-zero; a text must read as a number (error 13).
bool ToCondition(const Value& v);

enum class BinaryOp : uint8_t {
  kAdd,
  kSub,
  kMul,
  kDiv,
  kIntDiv,
  kMod,
  kPow,
  kConcat,
  kEq,
  kNe,
  kLt,
  kGt,
  kLe,
  kGe,
  kAnd,
  kOr,
  kXor,
  kEqv,
  kImp,
};

Value Binary(BinaryOp op, const Value& a, const Value& b);
Value Negate(const Value& v);
Value Not(const Value& v);

// Numbers whose types are known before the run (an expression of Boolean,
// Integer, Long, Single and Double variables and literals), worked without
// making values: the same results and errors as Binary, Negate, Not and
// Convert give values of those types outside a Variant.
inline bool IsFixedNumeric(VbType type) { return type >= VbType::kBoolean && type <= VbType::kDouble; }
// The type of `op` on operands of these types; kEmpty when it is not a
// number of a known type.
VbType FixedBinaryType(BinaryOp op, VbType ta, VbType tb);
// `op` on x and y, of the types that give `type` (FixedBinaryType).
double FixedBinary(BinaryOp op, VbType type, double x, double y);
// - (negate) or Not.
VbType FixedUnaryType(bool negate, VbType t);
double FixedUnary(bool negate, VbType t, double x);
// A number stored into a variable of a numeric type (error 6 when it does not fit).
double ConvertNumber(double x, VbType declared);

// The form a number of this type is shown in (Str$, Print, Write #); a text
// that reads as a number shows as a Double.
NumberKind NumberKindOf(VbType type);

// The type a type character gives a name (% & ! # $); kEmpty for none.
VbType TypeOfSuffix(char suffix);

// Rounds half to even, as the target's whole-number conversions do.
double RoundHalfEven(double x);

}  // namespace korva::vbrun

#pragma once
// The texts the target language gives its numbers (Str$, CStr, Print, Write #)
// and the numbers it reads from texts (assignment, CSng, CDbl).
//
// A Single shows at most 7 significant digits and a Double 15; the value is
// rounded to that many digits first and trailing zeros of the fraction are
// dropped. Integer and Long show all their digits. A Single or Double is
// written in exponent form ("1E+24", "1.234568E+07", "1E-05") when its decimal
// exponent, after rounding, is below -4 or reaches the digit count (7 for a
// Single, 15 for a Double); the exponent has a sign and at least two digits.
// Negative zero is written as zero.
#include <optional>
#include <string>
#include <string_view>

namespace korva::vbrun {

// The numeric types of the language; the text of a value depends on its type.
enum class NumberKind { kInteger, kLong, kSingle, kDouble };

// Str$: a leading blank when not negative and no "0" before the decimal point:
// " 459", "-459.65", " 0", " .5", "-.25".
std::string StrText(double value, NumberKind kind);

// CStr, and Format$ without a format text: no leading blank, "0" before the
// decimal point: "459", "0.5", "-0.5".
std::string CStrText(double value, NumberKind kind);

// Print #, Print and Debug.Print: the Str$ text and one trailing blank (" 3 ", "-3 ").
std::string PrintText(double value, NumberKind kind);

// Write #: no blanks, "." as decimal point and, as in Str$, no "0" before it:
// "234", "-1.5", ".5".
std::string WriteText(double value, NumberKind kind);

// A text read as a number the way an assignment, CSng or CDbl reads it: blanks
// around it, an optional sign, digits with an optional ".", an optional
// exponent (E or D), or "&H" / "&O" followed by hexadecimal / octal digits
// (a value that fits 16 bits is an Integer, so "&HFFFF" is -1, one that fits
// 32 bits a Long). Nothing when the text is empty, is not wholly a number or
// does not fit its type.
std::optional<double> TextToNumber(std::string_view text);

}  // namespace korva::vbrun

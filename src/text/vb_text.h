#pragma once
// Number and text conversions of the target language that the whole system
// follows when it turns numbers into texts and typed answers into numbers.
#include <optional>
#include <string>
#include <string_view>

namespace korva {

// The line feed that joins the lines of every multi-line message and prompt.
inline const std::string LF = "\n";

// The number-to-text rule: a leading blank when the number is not negative
// (" 3", "-3", " 0"), as Str$ gives it.
std::string NumText(long long n);

// The number as plain decimal digits, without leading blank ("3", "-3").
std::string PlainNum(long long n);

// Val: the number at the start of the text, blanks ignored, stopping at the
// first character that cannot continue it; 0 when there is none.
double Val(std::string_view text);

// A whole number written alone (optional blanks and sign around the digits);
// nothing when the text is empty, holds anything else or does not fit a long.
std::optional<long> ParseWholeNumber(std::string_view text);

}  // namespace korva

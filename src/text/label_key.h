#pragma once
// The key of a text that names a question (a log label, a prompt): its letters
// and digits, lower-cased and without accents. Blanks, signs and the way an
// accent was written (Windows-1252 or the DOS glyphs old logs carry) do not
// tell two such texts apart.
#include <string>
#include <string_view>

namespace korva {

std::string LabelKey(std::string_view label);

// Whether two labels have the same key; compared key letter by key letter,
// with no copy of either.
bool SameKey(std::string_view a, std::string_view b);

}  // namespace korva

#pragma once
// The traps an element list sets for the programs generated from it, found
// when the list is read or typed, before the matrix:
// - an identifier that is a reserved word of the target language (Imp, And,
//   Mod...) or the name of a built-in function the generated programs call
//   (Val, Len, Str...): the programs would not compile, so the list is refused;
// - the name of another built-in function (Int, Cos...): the element hides the
//   function, which its equations can then not call;
// - an identifier held in another identifier, or in the time symbols t and dt:
//   the matrix derived from the equations searches identifiers as plain text,
//   so it would take the one for the other;
// - an identifier whose first letter makes the element a whole number (I to
//   N) or a text (U to W) in the generated programs.
// All but the first are only told, in one notice that names each trap once.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_tables.h"

namespace korva {

// Whether `id` (in any case) is a reserved word of the generated programs'
// language or the name of a built-in function they call.
bool IsLanguageName(std::string_view id);

struct IdentifierTraps {
  std::vector<int> reserved;  // elements whose identifier is a language name (refused)
  std::vector<int> builtin;   // elements named as another built-in function
  struct Held {
    int element = 0;    // the element whose identifier is held...
    std::string where;  // ...in this identifier (the first found), or "t"/"dt"
  };
  std::vector<Held> held;  // each identifier once
  std::vector<int> whole;  // elements of whole numbers (I to N)
  std::vector<int> text;   // elements of texts (U to W)

  bool notice() const { return !builtin.empty() || !held.empty() || !whole.empty() || !text.empty(); }
};

// Every trap of the model's list, each identifier once (its first element),
// in list order. Linear in the total length of the identifiers.
IdentifierTraps FindIdentifierTraps(const ModelTables& model);

// Why a typed identifier is refused; empty when it is not.
std::string LanguageNameRefusal(std::string_view id);

// The refusal of the list's language names, one line each; `origin`, when
// given, names where an identifier comes from (" (modelo DEM de la biblioteca)").
std::string ReservedRefusalText(const ModelTables& model, const std::vector<int>& reserved,
                                const std::function<std::string(const std::string&)>& origin = nullptr);

// The notice of the other traps.
std::string TrapsNoticeText(const ModelTables& model, const IdentifierTraps& traps);

}  // namespace korva

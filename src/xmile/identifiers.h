#pragma once
// korva identifiers for an imported model: all of one length, the shortest
// (at least 3) at which the names' own letters keep them apart; past that, a
// name that would clash keeps its first letters and takes a number. The first
// letter always types a single-precision number in the generated programs
// (A to H, O to T, X to Z): a name that starts otherwise is given an X in
// front. No identifier is a word of the generated programs or of the target
// language, nor part of a word the equations are written with, so that the
// matrix korva derives from the equations file finds exactly the influences.
#include <string>
#include <vector>

namespace korva::xmile {

struct Identifiers {
  int length = 0;
  std::vector<std::string> ids;  // one per name, in order
};

// `names`: the texts to make identifiers from (Windows-1252), in order of
// preference (the first keeps its own letters when two would clash).
Identifiers MakeIdentifiers(const std::vector<std::string>& names);

// The words the translated equations are written with (upper-cased): an
// identifier must not be part of any of them.
const std::vector<std::string>& EquationWords();

}  // namespace korva::xmile

#pragma once
// Completing the proposed model: the list's names aligned, the answers the
// specifications imply, the header that makes the specifications file an
// answers log for the create path, the file ordered by calculation level and
// its records fitted to the questions that path asks.
#include <set>
#include <string>
#include <vector>

#include "model/model_tables.h"

namespace korva {

// Blanks inserted after every identifier shorter than the longest one, so
// that the rest of every name starts at the same column. `IdLength` is the
// longest identifier.
struct AlignedList {
  std::vector<std::string> Names;
  int IdLength = 0;
};
AlignedList AlignIdentifiers(const std::vector<std::string>& names);

// The answers the specifications imply: dynamic when some record asks the
// state question; uncertainty "a" when some record asks an input's
// uncertainty, else "t" when some asks a function's, else "n".
struct ImpliedAnswers {
  std::string Dynamic;      // "s" or "n"
  std::string Uncertainty;  // "a", "t" or "n"
};
ImpliedAnswers ImplyAnswers(const std::vector<std::string>& specifications);

// The names of the initial values the state elements name: the second field,
// without its quotes, of every initial-value record (kLabelInitialValue); a
// name record that happens to hold the words names none.
std::set<std::string> InitialValueNames(const std::vector<std::string>& specifications);

// The header records of the prepared answers log, in the order the create path
// asks its questions when the list, the equations and the specifications come
// from files: the matrix is derived from the equations file, which puts the
// equations in order for the functions to be read from it.
std::vector<std::string> PreparedLogHeader(const std::string& modelName, const std::string& purpose,
                                           const ImpliedAnswers& answers);

// The ordered groups of records fitted to the create path's questions:
// - kLabelFunctionsRecorded answered "s" goes before the first calculated element's group;
// - an input's group asks its uncertainty only under "a" (a missing record is
//   added, "s" for the initial value of a state element, "n" otherwise), and
//   whether it takes a new random value at each step only when it is
//   uncertain in a dynamic model (a missing record is added with "n");
// - a calculated element's group missing its function record gets one after
//   its name: "Y=f()", without uncertainty.
// Inputs are the elements of level 1.
std::vector<std::string> FitToCreateDialogue(const std::vector<std::string>& groups, const ModelTables& model,
                                             const ImpliedAnswers& answers, const std::set<std::string>& initialValues);

}  // namespace korva

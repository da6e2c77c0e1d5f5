#pragma once
// What the specification dialogue settles for one calculated element, and the
// texts of the simulator that follow from it: loops over its dimensions, its
// subscripts, its sizing and its output statement.
#include <string>
#include <vector>

namespace korva {

struct ElementSpec {
  int Element = 0;                     // index in the element list
  std::string Id;                      // identifier
  std::string FullName;                // the element-list text, codes included
  std::vector<std::string> Arguments;  // identifiers of the influencing elements, in row order
  std::string FunctionHeader;          // Id + "=f(" + arguments + ")"

  bool HasUncertainty = false;
  bool IsState = false;
  std::string InitialValueName;
  bool IsDimensional = false;
  std::vector<std::string> DimensionSizes;  // one per subscript: a number or a size variable
  bool IsTable = false;
  int TablePoints = 0;
};

// Id + "=f(" + the arguments separated by "," + ")".
std::string FunctionHeaderOf(const std::string& id, const std::vector<std::string>& arguments);

// "for i1=1 to 10:for i2=1 to n:" for an array; empty for a scalar.
std::string LoopPrefix(const ElementSpec& element);
// "next:" once per dimension; empty for a scalar.
std::string LoopCloser(const ElementSpec& element);
// "(i1,i2)" for an array; empty for a scalar.
std::string Subscripts(const ElementSpec& element);
// "dim " + Id + "(" + sizes + ")" for an array, "dim " + Id for a scalar.
std::string DeclarationText(const ElementSpec& element);

// How the simulator writes its results: one text line a value, or one
// fixed-length record a value of every repetition.
enum class ResultsFile { kText, kRecords };

// The statement that writes the element's value (within its loops).
std::string OutputStatement(const ElementSpec& element, bool dynamic, ResultsFile results);

// The statement that makes the initial value of a state element take its new
// value: "XI(i1)=X(i1):" within the element's loops.
std::string InitialValueStatement(const ElementSpec& element);

// The value a state's initial value starts a repetition with, kept in
// "ñ" + its name + "0" at the first step and given back after the last, so
// that every repetition of a simulation starts from the same state:
// "ñXI0(i1)=XI(i1):" and "XI(i1)=ñXI0(i1):" within the element's loops.
std::string StartValueName(const ElementSpec& element);
std::string KeepStartValueStatement(const ElementSpec& element);
std::string RestoreStartValueStatement(const ElementSpec& element);

}  // namespace korva

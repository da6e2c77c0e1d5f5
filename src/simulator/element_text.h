#pragma once
// The texts of the simulator that follow from an element's specification:
// loops over its dimensions, its subscripts, its sizing, its output statement
// and the statements of its initial value.
#include <string>
#include <vector>

#include "model/element_spec.h"

namespace korva {

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

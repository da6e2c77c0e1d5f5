#pragma once
// Binds every name of the parsed modules (variables, arrays, procedures,
// built-ins, labels) and flattens the procedures into instructions, reporting
// what the target's compiler would refuse: an undefined Sub or Function, a
// label not defined, a For without its Next, a duplicate declaration...
#include <string>
#include <variant>
#include <vector>

#include "vbrun/program.h"

namespace korva::vbrun {

struct CompileError {
  std::string module;
  int line = 0;  // 1-based
  std::string message;
};

std::variant<Program, CompileError> CheckProgram(std::vector<Module> modules);

}  // namespace korva::vbrun

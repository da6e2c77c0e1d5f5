#pragma once
// Windows-1252 literals for a compiler that takes UTF-8 only. The program
// keeps its texts in Windows-1252; g++ makes its literals so with
// -fexec-charset=CP1252, which clang does not accept, so the clang build (the
// fuzzers) compiles copies of the sources in which every non-ASCII character
// inside a string or character literal is written as the octal escape of its
// Windows-1252 byte ("\361"), and sees the very bytes g++ would have put in
// the program.
//
// Comments and code are copied unchanged. Inside a raw string the escape is
// spliced in as an ordinary literal between two raw ones ( )d" "\351" R"d( ),
// which the compiler joins again. A character that Windows-1252 lacks, or text
// that is not UTF-8, is an error, as it is for g++.
#include <string>
#include <string_view>

namespace korva::fuzz {

struct LiteralConversion {
  bool ok = false;
  std::string text;   // the converted source, when ok
  std::string error;  // what is wrong, when not
  int line = 0;       // where (1-based), when not
};

LiteralConversion Cp1252Literals(std::string_view source);

}  // namespace korva::fuzz

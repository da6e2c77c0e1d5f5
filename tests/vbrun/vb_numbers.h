#pragma once
// Reading back what a module printed, to hold it against values the tests
// work out themselves: the numbers of the Debug.Print lines, and the text
// Print shows for a whole number.
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "vbrun/vb_program.h"

namespace korva::testing {

// The Debug.Print output of a module whose Sub Main holds `body`, or the
// run's messages after "FAILED: " when it did not end well.
inline std::string DebugOutput(const std::string& body, const std::string& head = "") {
  TempDir dir;
  VbOutcome out = RunVb(dir, MainWith(body, head));
  return out.status == 0 ? out.debug : "FAILED: " + out.messages;
}

// The lines of a text, without their ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The number a printed line shows ("-1.5 ", " 2.71828182845905 ", " 1E+300 ").
inline double PrintedNumber(const std::string& line) {
  char* end = nullptr;
  const double x = std::strtod(line.c_str(), &end);
  while (*end == ' ') ++end;
  if (end == line.c_str() || *end != '\0') return std::nan("");
  return x;
}

// How Print shows a whole number: a blank or the minus sign, the digits, a blank.
inline std::string PrintedWhole(long long n) {
  return (n < 0 ? "-" : " ") + std::to_string(n < 0 ? -n : n) + " ";
}

}  // namespace korva::testing

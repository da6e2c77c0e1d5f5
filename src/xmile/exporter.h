#pragma once
// A korva model written as XMILE 1.0: state elements become stocks with
// their net flow (the state's equation less its value at the start of the
// step, over dt), calculated elements auxiliaries, inputs constants (their
// values from the data file of simulation 1 when there is one; "m;s" as
// NORMAL(m, s)), numeric tables of one argument graphical functions, the
// time unit and the run's horizon and interval the sim_specs. A function of
// several lines that only assigns the element is one equation; what XMILE
// cannot express (other multi-line functions, loops, literal or several-
// argument tables, discrete uncertainty, arrays) is named in a note and in
// the variable's <doc>, never dropped in silence.
#include <string>
#include <vector>

namespace korva::xmile {

struct ExportOutcome {
  bool ok = false;
  int status = 0;                  // the exit status when not ok
  std::string xml;                 // UTF-8
  std::vector<std::string> notes;  // what XMILE could not express (Windows-1252)
};

ExportOutcome ExportModel(const std::string& directory, const std::string& name);

}  // namespace korva::xmile

#pragma once
// What an XMILE model becomes in korva: its elements (inputs with their
// values, calculated elements with their statements), in the order of the
// element list, and what each column of the results is read from.
//
// - A stock is a state element: "S = S0 + dt * (inflows - outflows)", where
//   S0, an input, is its value at the start of the step (the simulator copies
//   S into it at the end of every step) and holds the initial value computed
//   at import. Every equation that reads the stock reads S0.
// - A flow or auxiliary whose equation reads no variable and not the clock
//   is a constant: an input holding its value. The others are calculated.
// - TIME is the start time (an input) plus the steps done times dt.
// - SMTH1 and DELAY1 become a stock and a flow of their own.
#include <string>
#include <vector>

#include "xmile/xmile_model.h"

namespace korva::xmile {

struct PlannedElement {
  std::string id;
  std::string description;  // the element list's text after the identifier (Windows-1252)
  bool input = false;
  double value = 0;                // an input's value
  std::vector<std::string> lines;  // a calculated element's statements (each begins with two blanks)
  bool state = false;              // a stock
  std::string initialId;           // a state's input
  int initialIndex = -1;           // and its index in the plan
};

// Where a column of the results comes from.
struct ResultColumn {
  std::string header;  // the name as the file writes it (UTF-8)
  enum class Source {
    kConstant,  // an input: its value
    kStock,     // the state element at the end of the step; its initial value first
    kComputed,  // a calculated element, computed in the step after the time
  } source = Source::kConstant;
  int element = 0;  // index into ImportPlan::elements
};

struct ImportPlan {
  SimSpecs sim;
  std::string modelName;  // header/name, or empty
  std::vector<PlannedElement> elements;  // inputs first, then the calculated ones
  int idLength = 0;
  std::vector<ResultColumn> columns;
  // What could not be imported, one line per construct ("<variable>: <what>"),
  // Windows-1252. The plan is usable only when it is empty.
  std::vector<std::string> problems;
  // What the import mapped, one line each: "<name> -> <identifier> (<kind>)".
  std::vector<std::string> mapping;
};

ImportPlan PlanImport(const XmileModel& model);

}  // namespace korva::xmile

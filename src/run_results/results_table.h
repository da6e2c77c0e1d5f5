#pragma once
// The table of result variables that korva writes into the results program
// R<model>.bas ("uid(k)=...:uel(k)=...:izor(k)=ica+..."), the names of its
// size variables (uaic) and its time unit (vper), read back from the
// program's text.
#include <string>
#include <string_view>
#include <vector>

#include "run_results/checked.h"

namespace korva {

struct ResultsTableEntry {
  std::string id;                  // "CRO"
  std::vector<std::string> sizes;  // "6", "N": the texts between the parentheses of uid
  std::string shortName;           // uel without its "..." (40 characters at most)
};

struct ResultsTable {
  std::vector<ResultsTableEntry> entries;  // in the order of the record
  std::vector<std::string> sizeNames;      // uaic, in the order of R<n>ic
  std::string timeUnit;                    // vper
  bool found = false;                      // the program holds a table at all
};

// Reads the table from the lines of a results program (Windows-1252 text).
ResultsTable ParseResultsTable(const std::vector<std::string>& lines);

// The text of one element-list line without its identifier and without the
// bracket codes of its specification ("[ince=n;..."), trimmed.
std::string NameWithoutCodes(std::string_view listLine);

}  // namespace korva

#pragma once
// A table of results as CSV or tab-separated text (line ends CR, LF or CR LF),
// its columns found by XMILE's rule for names (case and underscores aside),
// and the comparison of two tables.
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "xmile/expression.h"

namespace korva::testing {

struct ResultsTable {
  std::vector<std::string> columns;  // canonical names, without the time column
  std::vector<double> times;
  std::vector<std::vector<double>> values;  // per row, per column; NaN when empty

  std::optional<size_t> Column(const std::string& name) const {
    const std::string wanted = xmile::CanonicalName(name);
    for (size_t c = 0; c < columns.size(); ++c) {
      if (columns[c] == wanted) return c;
    }
    return std::nullopt;
  }
  std::optional<size_t> Row(double time) const {
    for (size_t r = 0; r < times.size(); ++r) {
      if (std::fabs(times[r] - time) < 1e-9 * std::max(1.0, std::fabs(time))) return r;
    }
    return std::nullopt;
  }
};

// Splits on the separator, keeping a quoted field (with "" for a quote) whole.
inline std::vector<std::string> SplitFields(const std::string& line, char separator) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t k = 0; k < line.size(); ++k) {
    const char c = line[k];
    if (c == '"' && quoted && k + 1 < line.size() && line[k + 1] == '"') {
      fields.back() += '"';
      ++k;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == separator && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

inline ResultsTable ParseResults(const std::string& text, char separator) {
  std::string unified;
  for (size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '\r') {
      unified += '\n';
      if (k + 1 < text.size() && text[k + 1] == '\n') ++k;
    } else {
      unified += text[k];
    }
  }
  ResultsTable table;
  std::istringstream lines(unified);
  std::string line;
  bool head = true;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    std::vector<std::string> fields = SplitFields(line, separator);
    if (head) {
      for (size_t c = 1; c < fields.size(); ++c) table.columns.push_back(xmile::CanonicalName(fields[c]));
      head = false;
      continue;
    }
    table.times.push_back(std::strtod(fields[0].c_str(), nullptr));
    std::vector<double> row;
    for (size_t c = 1; c < fields.size(); ++c) {
      row.push_back(fields[c].empty() ? std::nan("") : std::strtod(fields[c].c_str(), nullptr));
    }
    row.resize(table.columns.size(), std::nan(""));
    table.values.push_back(std::move(row));
  }
  return table;
}

// Within 1e-3 relative, 1e-3 absolute near zero.
inline bool Close(double ours, double reference) {
  return std::fabs(ours - reference) <= 1e-3 * std::max(1.0, std::fabs(reference));
}

// The differences of `ours` from `reference` at every time both have, over
// every column of `ours` that the reference has; empty when none.
inline std::vector<std::string> Differences(const ResultsTable& ours, const ResultsTable& reference,
                                            int* compared = nullptr) {
  std::vector<std::string> found;
  int count = 0;
  for (size_t c = 0; c < ours.columns.size(); ++c) {
    std::optional<size_t> rc = reference.Column(ours.columns[c]);
    if (!rc) continue;
    for (size_t r = 0; r < ours.times.size(); ++r) {
      std::optional<size_t> rr = reference.Row(ours.times[r]);
      if (!rr || std::isnan(reference.values[*rr][*rc])) continue;
      ++count;
      if (!Close(ours.values[r][c], reference.values[*rr][*rc]) && found.size() < 20) {
        std::ostringstream what;
        what << ours.columns[c] << " at " << ours.times[r] << ": " << ours.values[r][c] << " instead of "
             << reference.values[*rr][*rc];
        found.push_back(what.str());
      }
    }
  }
  if (compared != nullptr) *compared = count;
  return found;
}

}  // namespace korva::testing

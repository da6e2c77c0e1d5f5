#pragma once
// The number of values in one record of the results, kept as the text of a
// sum while the elements are specified: "3+5*3" for three scalars and one
// array of 5 by 3. Each array size gets one term with its count, so that the
// text stays short however many arrays share a size.
#include <string>
#include <utility>
#include <vector>

#include "text/string_map.h"

namespace korva {

class RecordSize {
 public:
  void AddScalar() { ++scalars_; }
  // An array of these sizes: a term "sizes joined by *" counted once more.
  void AddArray(const std::vector<std::string>& sizes);

  // The simplified sum: "*1+" made "+", a leading "0+" dropped, the last "+"
  // removed ("" for nothing at all).
  std::string Simplified() const;

 private:
  long long scalars_ = 0;
  std::vector<std::pair<std::string, long long>> terms_;  // size product, count
  StringMap<size_t> termIndex_;
};

}  // namespace korva

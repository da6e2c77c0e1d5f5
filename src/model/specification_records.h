#pragma once
// The records of a specifications file (an answers log of the specification
// of a model): a header of general records, then one group of records per
// element. A group begins with a record whose first field begins with the
// element's identifier and a blank; its further records have a first field
// that begins with three blanks.
#include <string_view>

namespace korva {

// The first field of a record: the text after its opening quote up to the
// closing one (a line that does not start with a quote is taken whole).
inline std::string_view FirstField(std::string_view record) {
  if (record.empty() || record[0] != '"') return record;
  std::string_view rest = record.substr(1);
  size_t close = rest.find('"');
  return close == std::string_view::npos ? rest : rest.substr(0, close);
}

// A record that continues the group of an element: its first field begins with three blanks.
inline bool InGroup(std::string_view record) { return FirstField(record).starts_with("   "); }

// The word a group's first record begins with: its first field up to the
// first blank at or after position 2 (the whole field when there is none).
inline std::string_view GroupKey(std::string_view record) {
  std::string_view field = FirstField(record);
  size_t blank = field.size() > 1 ? field.find(' ', 1) : std::string_view::npos;
  return blank == std::string_view::npos ? field : field.substr(0, blank);
}

}  // namespace korva

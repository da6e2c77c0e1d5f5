#include "files/record_fields.h"

namespace korva {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Steps over one line end (CR LF, CR or LF) at pos, if there is one.
void SkipLineEnd(std::string_view data, size_t& pos) {
  if (pos < data.size() && data[pos] == '\r') ++pos;
  if (pos < data.size() && data[pos] == '\n') ++pos;
}

}  // namespace

std::string FormatRecord(const std::vector<RecordField>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    if (fields[i].number) {
      line += fields[i].text;
    } else {
      line += '"';
      line += fields[i].text;
      line += '"';
    }
  }
  return line;
}

bool ReadRecordField(std::string_view data, size_t& pos, std::string& field, bool* quoted) {
  while (pos < data.size() && (data[pos] == ' ' || data[pos] == '\t')) ++pos;
  if (pos >= data.size()) return false;
  field.clear();
  if (quoted != nullptr) *quoted = data[pos] == '"';
  if (data[pos] == '"') {
    ++pos;
    size_t close = data.find('"', pos);
    if (close == std::string_view::npos) close = data.size();
    field.assign(data.substr(pos, close - pos));
    pos = close < data.size() ? close + 1 : close;
    // Whatever stands between the closing quote and the delimiter is passed over.
    while (pos < data.size() && data[pos] != ',' && !IsLineEnd(data[pos])) ++pos;
  } else {
    size_t start = pos;
    while (pos < data.size() && data[pos] != ',' && !IsLineEnd(data[pos])) ++pos;
    size_t end = pos;
    while (end > start && (data[end - 1] == ' ' || data[end - 1] == '\t')) --end;
    field.assign(data.substr(start, end - start));
  }
  if (pos < data.size() && data[pos] == ',') {
    ++pos;
  } else {
    SkipLineEnd(data, pos);
  }
  return true;
}

bool ReadTextLine(std::string_view data, size_t& pos, std::string& line) {
  if (pos >= data.size()) return false;
  size_t start = pos;
  while (pos < data.size() && !IsLineEnd(data[pos])) ++pos;
  line.assign(data.substr(start, pos - start));
  SkipLineEnd(data, pos);
  return true;
}

}  // namespace korva

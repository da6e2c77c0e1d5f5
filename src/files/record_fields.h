#pragma once
// Comma-separated records as the target language's Write # writes them and
// Input # reads them: texts in double quotes, numbers bare.
#include <string>
#include <string_view>
#include <vector>

namespace korva {

struct RecordField {
  std::string text;
  bool number = false;  // written without quotes

  static RecordField Text(std::string t) { return {std::move(t), false}; }
  static RecordField Number(long long n) { return {std::to_string(n), true}; }
};

// One record's line, without its line end: "Etiqueta","respuesta" or "Etiqueta",3.
// Inner double quotes are written as they are (the target language does not escape them).
std::string FormatRecord(const std::vector<RecordField>& fields);

// Reads one field from `data` at `pos` as Input # does and moves `pos` past the
// field and its delimiter (a comma or a line end). Returns false at the end of data.
// `quoted`, when given, tells whether the field was written in double quotes.
bool ReadRecordField(std::string_view data, size_t& pos, std::string& field, bool* quoted = nullptr);

// Reads one line from `data` at `pos` as Line Input # does: up to CR LF, CR or LF,
// which is dropped. Returns false at the end of data.
bool ReadTextLine(std::string_view data, size_t& pos, std::string& line);

}  // namespace korva

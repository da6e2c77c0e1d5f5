#pragma once
// Deriving the connection matrix from the equations file: every element whose
// identifier occurs in an element's equation (plain substring search in the
// upper-cased text after the equation's identifier) influences that element.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/model_tables.h"

namespace korva {

struct MatrixDerivation {
  // The matrix file's lines: identifier, four blanks, influences joined by
  // commas (one blank less when there is none).
  std::vector<std::string> rows;
  // The line number (counting every line of the file, from 1) of a line that
  // holds no blank after its first character; 0 when every line is sound.
  int badLine = 0;
  bool abandoned = false;  // the modeller gave no identifier for an unknown one
};

// `lines` are the equations file's lines. `correct` is asked for an identifier
// that names no element; it returns the identifier to use instead, or nothing
// to give up. The time taken is about the total length of the lines times the
// number of distinct identifier lengths.
MatrixDerivation DeriveMatrix(const std::vector<std::string>& lines, const ModelTables& model,
                              const std::function<std::optional<std::string>(const std::string&)>& correct);

// The identifier length of an equations-file line: the position of its first
// blank at or after position 2, minus 1; -1 when there is none.
int LineIdentifierLength(const std::string& line);

}  // namespace korva

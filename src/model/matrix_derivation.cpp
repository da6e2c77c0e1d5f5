#include "model/matrix_derivation.h"

#include <algorithm>
#include <string_view>

#include "text/cp1252.h"
#include "text/substring_automaton.h"

namespace korva {
namespace {

// The model's identifiers as words to find: word j - 1 is element j's
// identifier, so a word found names the first element that carries it.
std::vector<std::string_view> IdentifierWords(const ModelTables& model) {
  std::vector<std::string_view> words;
  words.reserve(static_cast<size_t>(model.ElementCount));
  for (int j = 1; j <= model.ElementCount; ++j) words.emplace_back(model.ElementIds[j]);
  return words;
}

// The elements (first of each identifier) whose identifier occurs in text
// from position `from`, in list order.
std::vector<int> Occurring(const SubstringAutomaton& ids, std::string_view text, size_t from,
                           SubstringAutomaton::Marks& marks) {
  std::vector<int> found;
  if (from >= text.size()) return found;
  marks.Clear();
  ids.Feed(SubstringAutomaton::kStart, text.substr(from), marks, &found);
  for (int& word : found) ++word;
  std::sort(found.begin(), found.end());
  return found;
}

// A matrix row being built. Its text is fed to the automaton as it grows, so
// "the identifier already occurs in the row" is one look-up.
class RowBuilder {
 public:
  explicit RowBuilder(const SubstringAutomaton& ids) : ids_(ids) {}

  void Start(const std::string& id) {
    text_.clear();
    marks_.Clear();
    state_ = SubstringAutomaton::kStart;
    Append(id);
    Append("    ");
  }
  bool Contains(int element) const { return ids_.Marked(element - 1, marks_); }
  void Append(std::string_view more) {
    text_ += more;
    state_ = ids_.Feed(state_, more, marks_, nullptr);
  }
  // The row as written: without its last character (the trailing comma, or
  // the fourth blank when no element influences it).
  std::string Finished() const { return text_.substr(0, text_.size() - 1); }

 private:
  const SubstringAutomaton& ids_;
  SubstringAutomaton::Marks marks_;
  SubstringAutomaton::State state_ = SubstringAutomaton::kStart;
  std::string text_;
};

}  // namespace

int LineIdentifierLength(const std::string& line) {
  size_t blank = line.size() > 1 ? line.find(' ', 1) : std::string::npos;
  return blank == std::string::npos ? -1 : static_cast<int>(blank);
}

MatrixDerivation DeriveMatrix(const std::vector<std::string>& lines, const ModelTables& model,
                              const std::function<std::optional<std::string>(const std::string&)>& correct) {
  MatrixDerivation result;
  const SubstringAutomaton ids(IdentifierWords(model));
  SubstringAutomaton::Marks lineMarks;
  RowBuilder row(ids);
  bool inEquation = false;  // continuation lines before the first equation belong to none
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    if (line.empty()) continue;
    int idLength = LineIdentifierLength(line);
    if (idLength < 0) {
      result.badLine = static_cast<int>(n) + 1;
      return result;
    }
    if (line[0] != ' ') {
      std::string id = line.substr(0, static_cast<size_t>(idLength));
      while (model.Ids.First(id) == 0) {
        std::optional<std::string> replacement = correct(id);
        if (!replacement) {
          result.abandoned = true;
          return result;
        }
        id = *replacement;
      }
      if (inEquation) result.rows.push_back(row.Finished());
      row.Start(id);
      inEquation = true;
    }
    if (!inEquation) continue;
    for (int j : Occurring(ids, UpperCase(line), static_cast<size_t>(idLength) + 1, lineMarks)) {
      if (!row.Contains(j)) {
        row.Append(model.ElementIds[j]);
        row.Append(",");
      }
    }
  }
  if (inEquation) result.rows.push_back(row.Finished());
  return result;
}

}  // namespace korva

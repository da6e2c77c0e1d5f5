#include "model/matrix_derivation.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "text/cp1252.h"
#include "text/string_map.h"

namespace korva {
namespace {

// The identifiers grouped by length; each maps to the first element carrying it,
// which is where it stands in list order.
class IdentifierFinder {
 public:
  explicit IdentifierFinder(const ModelTables& model) : seen_(model.ElementCount + 1, 0) {
    for (int j = 1; j <= model.ElementCount; ++j) {
      const std::string& id = model.ElementIds[j];
      if (id.empty()) continue;  // an empty identifier can never be told apart
      auto& table = byLength_[id.size()];
      table.emplace(id, j);
    }
  }

  // The elements (first of each identifier) whose identifier occurs in text
  // from position `from`, in list order.
  std::vector<int> Occurring(std::string_view text, size_t from) {
    ++stamp_;
    std::vector<int> found;
    for (const auto& [length, table] : byLength_) {
      if (text.size() < from + length) continue;
      for (size_t p = from; p + length <= text.size(); ++p) {
        auto it = table.find(text.substr(p, length));
        if (it != table.end() && seen_[it->second] != stamp_) {
          seen_[it->second] = stamp_;
          found.push_back(it->second);
        }
      }
    }
    std::sort(found.begin(), found.end());
    return found;
  }

  std::vector<size_t> Lengths() const {
    std::vector<size_t> out;
    for (const auto& entry : byLength_) out.push_back(entry.first);
    return out;
  }

 private:
  std::map<size_t, StringMap<int>> byLength_;
  std::vector<unsigned> seen_;
  unsigned stamp_ = 0;
};

// A matrix row being built, with every piece of its text of each identifier
// length at hand, so that "already occurs in the row" is one look-up.
class RowBuilder {
 public:
  explicit RowBuilder(std::vector<size_t> lengths) : lengths_(std::move(lengths)), pieces_(lengths_.size()) {}

  void Start(const std::string& id) {
    text_.clear();
    for (auto& set : pieces_) set.clear();
    Append(id + "    ");
  }
  bool Contains(const std::string& id) const {
    for (size_t k = 0; k < lengths_.size(); ++k) {
      if (lengths_[k] == id.size()) return pieces_[k].count(id) != 0;
    }
    return text_.find(id) != std::string::npos;
  }
  void Append(const std::string& more) {
    size_t oldSize = text_.size();
    text_ += more;
    for (size_t k = 0; k < lengths_.size(); ++k) {
      size_t length = lengths_[k];
      if (text_.size() < length) continue;
      size_t first = oldSize >= length ? oldSize - length + 1 : 0;
      for (size_t p = first; p + length <= text_.size(); ++p) pieces_[k].insert(text_.substr(p, length));
    }
  }
  // The row as written: without its last character (the trailing comma, or
  // the fourth blank when no element influences it).
  std::string Finished() const { return text_.substr(0, text_.size() - 1); }

 private:
  std::vector<size_t> lengths_;
  std::vector<std::unordered_set<std::string>> pieces_;
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
  IdentifierFinder finder(model);
  RowBuilder row(finder.Lengths());
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
    std::string upper = UpperCase(line);
    for (int j : finder.Occurring(upper, static_cast<size_t>(idLength) + 1)) {
      const std::string& id = model.ElementIds[j];
      if (!row.Contains(id)) row.Append(id + ",");
    }
  }
  if (inEquation) result.rows.push_back(row.Finished());
  return result;
}

}  // namespace korva

#include "run_results/results_table.h"

#include <cstdlib>
#include <map>

namespace korva {
namespace {

std::string Trimmed(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return "";
  size_t end = text.find_last_not_of(" \t");
  return std::string(text.substr(begin, end - begin + 1));
}

// The quoted text after `key` ("vper=" + quote) in `line`; false when absent.
bool QuotedAfter(const std::string& line, std::string_view key, std::string& text) {
  size_t at = line.find(key);
  if (at == std::string::npos) return false;
  size_t begin = at + key.size();
  size_t end = line.find('"', begin);
  if (end == std::string::npos) return false;
  text = line.substr(begin, end - begin);
  return true;
}

// Every "name(k)=" + quote + text + quote of `line` for the given name: k and text.
void IndexedTexts(const std::string& line, std::string_view name, std::map<long, std::string>& into) {
  const std::string key = std::string(name) + "(";
  for (size_t at = line.find(key); at != std::string::npos; at = line.find(key, at + 1)) {
    if (at > 0 && line[at - 1] != ':' && line[at - 1] != ' ') continue;
    size_t close = line.find(')', at);
    if (close == std::string::npos || line.compare(close, 3, ")=\"") != 0) continue;
    long k = std::strtol(line.c_str() + at + key.size(), nullptr, 10);
    size_t begin = close + 3;
    size_t end = line.find('"', begin);
    if (k <= 0 || end == std::string::npos) continue;
    into[k] = line.substr(begin, end - begin);
  }
}

std::vector<std::string> CommaSplit(std::string_view text) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  size_t begin = 0;
  while (true) {
    size_t comma = text.find(',', begin);
    parts.push_back(Trimmed(text.substr(begin, comma == std::string_view::npos ? comma : comma - begin)));
    if (comma == std::string_view::npos) break;
    begin = comma + 1;
  }
  return parts;
}

}  // namespace

ResultsTable ParseResultsTable(const std::vector<std::string>& lines) {
  ResultsTable table;
  std::map<long, std::string> ids, names;
  for (const std::string& line : lines) {
    std::string text;
    if (table.timeUnit.empty() && QuotedAfter(line, ":vper=\"", text)) table.timeUnit = text;
    if (QuotedAfter(line, ":uaic=\"", text)) table.sizeNames = CommaSplit(text);
    if (line.find("uid(") == std::string::npos) continue;
    IndexedTexts(line, "uid", ids);
    IndexedTexts(line, "uel", names);
  }
  table.found = !ids.empty();
  long expected = 1;
  for (const auto& [k, uid] : ids) {
    if (k != expected++) {  // a gap: the table is not korva's
      table.found = false;
      break;
    }
    ResultsTableEntry entry;
    size_t open = uid.find('(');
    entry.id = Trimmed(uid.substr(0, open));
    if (open != std::string::npos && uid.back() == ')') {
      entry.sizes = CommaSplit(std::string_view(uid).substr(open + 1, uid.size() - open - 2));
    }
    std::string name = names.count(k) ? names[k] : "";
    if (name.size() >= 3 && name.compare(name.size() - 3, 3, "...") == 0) name.resize(name.size() - 3);
    entry.shortName = NameWithoutCodes(name);
    table.entries.push_back(std::move(entry));
  }
  return table;
}

std::string NameWithoutCodes(std::string_view listLine) {
  std::string_view text = listLine;
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return "";
  text.remove_prefix(begin);
  size_t blank = text.find(' ');
  text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
  size_t codes = text.find('[');
  if (codes != std::string_view::npos) text = text.substr(0, codes);
  return Trimmed(text);
}

}  // namespace korva

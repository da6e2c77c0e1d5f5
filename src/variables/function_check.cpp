#include "variables/function_check.h"

#include <algorithm>
#include <string_view>

#include "text/cp1252.h"
#include "text/substring_automaton.h"

namespace korva {
namespace {

bool HoldsEstimate(const std::vector<std::string>& lines) {
  return std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    std::string upper = UpperCase(line);
    return upper.find("H=") != std::string::npos || upper.find("H =") != std::string::npos;
  });
}

// Up to this many words are looked for one by one; more, all in one reading.
constexpr size_t kWordsSoughtOneByOne = 8;

// Whether every word occurs in some line, as a plain substring: the lines are
// read a few times at most, however many and long the words. An empty word
// occurs in any line.
bool EveryWordInSomeLine(const std::vector<std::string_view>& words, const std::vector<std::string>& lines) {
  if (words.size() <= kWordsSoughtOneByOne) {
    return std::all_of(words.begin(), words.end(), [&](std::string_view word) {
      return std::any_of(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.find(word) != std::string::npos; });
    });
  }
  const SubstringAutomaton automaton(words);
  SubstringAutomaton::Marks marks;
  for (const std::string& line : lines) automaton.Feed(SubstringAutomaton::kStart, line, marks, nullptr);
  for (size_t w = 0; w < words.size(); ++w) {
    const bool found = words[w].empty() ? !lines.empty() : automaton.Marked(static_cast<int>(w), marks);
    if (!found) return false;
  }
  return true;
}

}  // namespace

bool FunctionPassesCheck(const ElementSpec& element, const std::vector<std::string>& lines) {
  std::vector<std::string_view> words;
  words.reserve(element.Arguments.size() + 1);
  if (element.HasUncertainty) {
    if (!HoldsEstimate(lines)) return false;
  } else {
    words.emplace_back(element.Id);
  }
  words.insert(words.end(), element.Arguments.begin(), element.Arguments.end());
  return EveryWordInSomeLine(words, lines);
}

}  // namespace korva

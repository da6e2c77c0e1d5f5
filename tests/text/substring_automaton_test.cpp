#include "text/substring_automaton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

namespace korva {
namespace {

// What occurs, found the plain way: every word that is a substring of the text.
std::set<int> Naive(const std::vector<std::string>& words, const std::string& text) {
  std::set<int> found;
  for (size_t w = 0; w < words.size(); ++w) {
    if (words[w].empty() || text.find(words[w]) == std::string::npos) continue;
    // A repeated word is reported by its first number.
    found.insert(static_cast<int>(std::find(words.begin(), words.end(), words[w]) - words.begin()));
  }
  return found;
}

std::vector<std::string_view> Views(const std::vector<std::string>& words) {
  return std::vector<std::string_view>(words.begin(), words.end());
}

// Random words and texts over a small alphabet, so that words nest in one
// another, overlap and repeat: the automaton must find exactly what a plain
// search finds, fed whole or in pieces, each word once.
TEST(SubstringAutomaton, FindsWhatAPlainSearchFinds) {
  std::mt19937 random(12345);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> words(1 + random() % 12);
    for (std::string& word : words) {
      word.resize(random() % 5);
      for (char& c : word) c = static_cast<char>('a' + random() % 3);
    }
    std::string text(random() % 40, ' ');
    for (char& c : text) c = static_cast<char>('a' + random() % 3);
    const SubstringAutomaton automaton(Views(words));

    SubstringAutomaton::Marks marks;
    std::vector<int> found;
    automaton.Feed(SubstringAutomaton::kStart, text, marks, &found);
    std::set<int> once(found.begin(), found.end());
    ASSERT_EQ(once.size(), found.size()) << "a word reported twice in " << text;
    ASSERT_EQ(once, Naive(words, text)) << "text " << text;

    // Fed in two pieces, the words spanning the cut are found too.
    marks.Clear();
    size_t cut = text.empty() ? 0 : random() % text.size();
    auto state = automaton.Feed(SubstringAutomaton::kStart, text.substr(0, cut), marks, nullptr);
    automaton.Feed(state, text.substr(cut), marks, nullptr);
    for (size_t w = 0; w < words.size(); ++w) {
      ASSERT_EQ(automaton.Marked(static_cast<int>(w), marks),
                !words[w].empty() && text.find(words[w]) != std::string::npos)
          << "word " << words[w] << " in " << text << " cut at " << cut;
    }
  }
}

// Nested words of every length over a long text: one pass, each word once.
TEST(SubstringAutomaton, NestedWordsOfManyLengthsOverALongText) {
  std::vector<std::string> words;
  for (int n = 1; n <= 2000; ++n) words.push_back(std::string(static_cast<size_t>(n), 'Q'));
  const SubstringAutomaton automaton(Views(words));
  SubstringAutomaton::Marks marks;
  std::vector<int> found;
  automaton.Feed(SubstringAutomaton::kStart, std::string(1000, 'Q') + "x" + std::string(500000, 'Q'), marks, &found);
  EXPECT_EQ(found.size(), 2000u);
}

}  // namespace
}  // namespace korva

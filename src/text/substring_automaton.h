#pragma once
// Finding which of many words occur in a text, in one pass over the text
// whatever the number and lengths of the words (an Aho-Corasick automaton).
// Each occurring word is reported once per mark: a word already marked is
// passed over, and so are the shorter words ending where it ends, which were
// marked with it.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace korva {

class SubstringAutomaton {
 public:
  // The words, by number; an empty word is never found, a repeated one is
  // reported by its first number.
  explicit SubstringAutomaton(const std::vector<std::string_view>& words);

  // Marks that the scans of one text share: which words were found already.
  class Marks {
   public:
    // Forgets every mark (in constant time).
    void Clear() { ++stamp_; }

   private:
    friend class SubstringAutomaton;
    std::vector<uint32_t> at_;
    uint32_t stamp_ = 1;
  };

  // The state of a scan: a text may be fed in pieces, as it grows.
  using State = int;
  static constexpr State kStart = 0;

  // Feeds `text` from `state`; every word that ends in it and is not marked
  // yet is marked and its number appended to `found`. The state after it.
  State Feed(State state, std::string_view text, Marks& marks, std::vector<int>* found) const;

  // Whether word `number` has been marked.
  bool Marked(int number, const Marks& marks) const;

 private:
  // A node and its children lie together, so that a step of a scan reads
  // few places in memory.
  struct Node {
    int fail = 0;
    int output = -1;  // the nearest node on the fail chain (itself included) that ends a word
    int word = -1;    // the word this node ends
    int firstChild = 0;
    int childCount = 0;
  };
  struct Child {
    unsigned char byte;
    int node;
  };
  int Next(int node, unsigned char c) const;  // the goto function; -1 when none

  std::vector<Node> nodes_;
  // The root's children by byte (-1 when none); every other node's children
  // in one run, in increasing byte order.
  std::array<int, 256> rootNext_{};
  std::vector<Child> children_;
  std::vector<int> nodeOfWord_;  // -1 for an empty word
};

}  // namespace korva

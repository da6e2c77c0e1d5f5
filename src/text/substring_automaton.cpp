#include "text/substring_automaton.h"

#include <deque>

namespace korva {
namespace {

uint64_t EdgeKey(int node, unsigned char c) { return (static_cast<uint64_t>(node) << 8) | c; }

}  // namespace

int SubstringAutomaton::Next(int node, unsigned char c) const {
  auto it = edges_.find(EdgeKey(node, c));
  return it == edges_.end() ? -1 : it->second;
}

SubstringAutomaton::SubstringAutomaton(const std::vector<std::string_view>& words) : nodes_(1) {
  nodeOfWord_.assign(words.size(), -1);
  std::vector<std::vector<std::pair<unsigned char, int>>> children(1);
  for (size_t w = 0; w < words.size(); ++w) {
    if (words[w].empty()) continue;
    int node = 0;
    for (char ch : words[w]) {
      const auto c = static_cast<unsigned char>(ch);
      int next = Next(node, c);
      if (next < 0) {
        next = static_cast<int>(nodes_.size());
        nodes_.emplace_back();
        children.emplace_back();
        edges_.emplace(EdgeKey(node, c), next);
        children[static_cast<size_t>(node)].emplace_back(c, next);
      }
      node = next;
    }
    if (nodes_[static_cast<size_t>(node)].word < 0) nodes_[static_cast<size_t>(node)].word = static_cast<int>(w);
    nodeOfWord_[w] = node;
  }
  // Breadth first: a node's fail link is the longest proper suffix of its text
  // that is a node too.
  std::deque<int> queue;
  for (const auto& [c, child] : children[0]) queue.push_back(child);
  while (!queue.empty()) {
    const int node = queue.front();
    queue.pop_front();
    Node& self = nodes_[static_cast<size_t>(node)];
    self.output = self.word >= 0 ? node : nodes_[static_cast<size_t>(self.fail)].output;
    for (const auto& [c, child] : children[static_cast<size_t>(node)]) {
      int fail = self.fail;
      int next = Next(fail, c);
      while (next < 0 && fail != 0) {
        fail = nodes_[static_cast<size_t>(fail)].fail;
        next = Next(fail, c);
      }
      nodes_[static_cast<size_t>(child)].fail = (next >= 0 && next != child) ? next : 0;
      queue.push_back(child);
    }
  }
  nodes_[0].output = -1;
}

SubstringAutomaton::State SubstringAutomaton::Feed(State state, std::string_view text, Marks& marks,
                                                   std::vector<int>* found) const {
  if (marks.at_.size() < nodes_.size()) marks.at_.resize(nodes_.size(), 0);
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    int next = Next(state, c);
    while (next < 0 && state != 0) {
      state = nodes_[static_cast<size_t>(state)].fail;
      next = Next(state, c);
    }
    state = next < 0 ? 0 : next;
    // The words ending here, longest first; a marked one had its shorter ones marked with it.
    for (int out = nodes_[static_cast<size_t>(state)].output; out > 0;) {
      uint32_t& mark = marks.at_[static_cast<size_t>(out)];
      if (mark == marks.stamp_) break;
      mark = marks.stamp_;
      const Node& node = nodes_[static_cast<size_t>(out)];
      if (found != nullptr) found->push_back(node.word);
      out = nodes_[static_cast<size_t>(node.fail)].output;
    }
  }
  return state;
}

bool SubstringAutomaton::Marked(int number, const Marks& marks) const {
  if (number < 0 || static_cast<size_t>(number) >= nodeOfWord_.size()) return false;
  const int node = nodeOfWord_[static_cast<size_t>(number)];
  return node > 0 && static_cast<size_t>(node) < marks.at_.size() && marks.at_[static_cast<size_t>(node)] == marks.stamp_;
}

}  // namespace korva

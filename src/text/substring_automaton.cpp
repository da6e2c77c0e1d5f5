#include "text/substring_automaton.h"

#include <algorithm>
#include <numeric>

namespace korva {

int SubstringAutomaton::Next(int node, unsigned char c) const {
  if (node == 0) return rootNext_[c];
  const Node& from = nodes_[static_cast<size_t>(node)];
  const auto begin = children_.begin() + from.firstChild;
  const auto end = begin + from.childCount;
  // Most nodes have a few children: a scan; a wide one is searched by halves.
  auto at = from.childCount <= 8 ? std::find_if(begin, end, [c](const Child& child) { return child.byte == c; })
                                 : std::lower_bound(begin, end, c, [](const Child& child, unsigned char b) {
                                     return child.byte < b;
                                   });
  return at == end || at->byte != c ? -1 : at->node;
}

SubstringAutomaton::SubstringAutomaton(const std::vector<std::string_view>& words) : nodes_(1) {
  nodeOfWord_.assign(words.size(), -1);
  // The trie, made from the words in text order: each word follows the path of
  // its common prefix with the one before it, so no child is ever looked up and
  // each node's children are made in increasing byte order. The first number
  // of a repeated word comes first.
  std::vector<int> order(words.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return words[a] < words[b]; });
  std::vector<int> parent(1, -1);
  std::vector<unsigned char> byte(1, 0);
  std::vector<int> path(1, 0);  // the nodes of the previous word's path, by depth
  std::string_view previous;
  for (int w : order) {
    const std::string_view word = words[static_cast<size_t>(w)];
    if (word.empty()) continue;
    size_t common = 0;
    while (common < word.size() && common < previous.size() && word[common] == previous[common]) ++common;
    path.resize(common + 1);
    for (size_t d = common; d < word.size(); ++d) {
      const int node = static_cast<int>(nodes_.size());
      nodes_.emplace_back();
      parent.push_back(path[d]);
      byte.push_back(static_cast<unsigned char>(word[d]));
      path.push_back(node);
    }
    const int node = path[word.size()];
    if (nodes_[static_cast<size_t>(node)].word < 0) nodes_[static_cast<size_t>(node)].word = w;
    nodeOfWord_[static_cast<size_t>(w)] = node;
    previous = word;
  }
  // The children runs, by counting; nodes were made in byte order within a parent.
  const size_t count = nodes_.size();
  rootNext_.fill(-1);
  for (size_t node = 1; node < count; ++node) ++nodes_[static_cast<size_t>(parent[node])].childCount;
  int start = 0;
  for (Node& node : nodes_) {
    node.firstChild = start;
    start += node.childCount;
  }
  children_.resize(count > 0 ? count - 1 : 0);
  std::vector<int> fill(count);
  for (size_t node = 0; node < count; ++node) fill[node] = nodes_[node].firstChild;
  for (size_t node = 1; node < count; ++node) {
    const auto at = static_cast<size_t>(fill[static_cast<size_t>(parent[node])]++);
    children_[at] = Child{byte[node], static_cast<int>(node)};
    if (parent[node] == 0) rootNext_[byte[node]] = static_cast<int>(node);
  }
  // Breadth first: a node's fail link is the longest proper suffix of its text
  // that is a node too.
  std::vector<int> queue;
  queue.reserve(count);
  for (int k = 0; k < nodes_[0].childCount; ++k) queue.push_back(children_[static_cast<size_t>(k)].node);
  for (size_t head = 0; head < queue.size(); ++head) {
    const int node = queue[head];
    Node& self = nodes_[static_cast<size_t>(node)];
    self.output = self.word >= 0 ? node : nodes_[static_cast<size_t>(self.fail)].output;
    for (int k = self.firstChild; k < self.firstChild + self.childCount; ++k) {
      const auto [c, child] = children_[static_cast<size_t>(k)];
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

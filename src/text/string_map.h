#pragma once
// A hash map keyed by text that is looked up by std::string_view without
// making a string of the key first.
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace korva {

struct TextHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

template <class Value>
using StringMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

}  // namespace korva

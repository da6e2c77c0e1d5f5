#pragma once
// The shipped examples: every folder under examples/, in name order.
#include <algorithm>
#include <filesystem>
#include <vector>

namespace korva::testing {

inline std::vector<std::filesystem::path> Examples() {
  std::vector<std::filesystem::path> out;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(KORVA_SOURCE_DIR) / "examples")) {
    if (entry.is_directory()) out.push_back(entry.path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace korva::testing

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/model_tables.h"

namespace korva {
namespace {

// Identifiers drawn from few letters, so that they repeat, of lengths 0 to 3
// and 14 to 17, so that some are prefixes of others; the index is rebuilt over lists of
// many sizes and must give the first and last carrier of each, as a plain
// search does, for identifiers that are in the list and for others.
TEST(IdentifierIndex, FirstAndLastCarrierAsAPlainSearchGives) {
  std::mt19937 random(7);
  auto word = [&] {
    std::string id(random() % 4, ' ');
    for (char& c : id) c = static_cast<char>('a' + random() % 3);
    // Some long enough that the index keeps their text apart from their slot.
    return random() % 4 == 0 ? "identificador_" + id : id;
  };
  IdentifierIndex index;
  EXPECT_EQ(index.First("a"), 0) << "an index never built holds nothing";
  for (int count : {0, 1, 2, 7, 8, 9, 40, 300}) {
    std::vector<std::string> ids(1);  // entry 0 unused
    for (int i = 1; i <= count; ++i) ids.push_back(word());
    ids.push_back("past the count");
    index.Rebuild(ids, count);
    std::map<std::string, std::pair<int, int>> expected;
    for (int i = 1; i <= count; ++i) {
      auto [it, fresh] = expected.try_emplace(ids[static_cast<size_t>(i)], i, i);
      if (!fresh) it->second.second = i;
    }
    for (int probe = 0; probe < 200; ++probe) {
      const std::string id = word();
      auto it = expected.find(id);
      EXPECT_EQ(index.First(id), it == expected.end() ? 0 : it->second.first) << count << " ids, \"" << id << "\"";
      EXPECT_EQ(index.Last(id), it == expected.end() ? 0 : it->second.second) << count << " ids, \"" << id << "\"";
    }
    EXPECT_EQ(index.First("past the count"), 0);
  }
}

}  // namespace
}  // namespace korva

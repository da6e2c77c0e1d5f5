#pragma once
// The model's structure as the create dialogue builds it: the elements with
// their identifiers, the connection matrix and the calculation levels. Tables
// are indexed 1..ElementCount; entry 0 is unused.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

// Identifier look-ups in constant time: the last and the first element that
// carry an identifier (identifiers compare as exact, case-sensitive text). The
// slots are in one array probed in order, each holding a short identifier's
// text itself (a longer one is in one shared piece of text), so that a look-up
// mostly touches one place in memory however large the model.
class IdentifierIndex {
 public:
  void Rebuild(const std::vector<std::string>& ids, int count);
  int Last(std::string_view id) const;   // 0 when none
  int First(std::string_view id) const;  // 0 when none

 private:
  static constexpr size_t kInlineLength = 16;
  struct Slot {
    uint32_t hash = 0;
    uint32_t length = 0;
    int first = 0;  // 0: a free slot
    int last = 0;
    std::array<char, kInlineLength> text{};  // the identifier, or where it is in longText_
  };
  // The slot that holds `id`, or the free one where it would go.
  size_t SlotOf(std::string_view id, size_t hash) const;
  bool Holds(const Slot& slot, std::string_view id) const;

  std::vector<Slot> slots_;  // a power of two of them, at most two thirds used
  std::string longText_;
};

struct ModelTables {
  int ElementCount = 0;                  // N
  std::vector<std::string> ElementList;  // full names: identifier, blank, description
  std::vector<std::string> ElementIds;   // the name up to its first blank
  std::vector<int> CalcLevel;            // 1 = influenced by nothing, 0 = not placed
  int IdLength = 0;                      // identifier length of the first element; 0 before any list
  IdentifierIndex Ids;                   // kept in step with ElementIds

  // Row i holds the identifiers of the elements that influence element i;
  // an entry may be empty. A row ends at its last influence; MaxDeps is the
  // number of columns, the widest row.
  std::vector<std::vector<std::string>> ConnectionMatrix;
  int MaxDeps = 0;

  int LevelCount = 0;
  int MaxLevelWidth = 0;  // only ever raised within a run: kept across cycles
};

// The index of the last element whose identifier is exactly `id`; 0 when none.
int FindElement(const ModelTables& model, std::string_view id);

// Sizes the element tables for `count` elements (levels 0, rows empty).
void SizeElementTables(ModelTables& model, int count);

}  // namespace korva

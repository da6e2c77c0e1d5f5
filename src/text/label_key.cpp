#include "text/label_key.h"

#include <array>
#include <cctype>

namespace korva {
namespace {

// The key letter of each byte of a label: an ASCII letter or digit
// lower-cased, a letter written with an accent (in Windows-1252 or in the DOS
// glyphs that old logs carry, "funci\xA2n" for "funcion") its base letter, 0
// for anything else. "\xA1" is decided by the byte before it (LabelKeyReader).
struct KeyLetters {
  std::array<char, 256> of{};
  KeyLetters() {
    for (int c = 0; c < 0x80; ++c) {
      if (std::isalnum(c) != 0) of[static_cast<size_t>(c)] = static_cast<char>(std::tolower(c));
    }
    static constexpr std::string_view kFrom = "\xE1\xE0\xE4\xE2\xC1\xC0\xC4\xC2\xE9\xE8\xEB\xEA\xC9\xC8\xCB\xCA"
                                              "\xED\xEC\xEF\xEE\xCD\xCC\xCF\xCE\xF3\xF2\xF6\xF4\xD3\xD2\xD6\xD4"
                                              "\xFA\xF9\xFC\xFB\xDA\xD9\xDC\xDB\xF1\xD1\xA0\x82\xA2\xA3\xA4\x81";
    static constexpr std::string_view kTo = "aaaaaaaaeeeeeeeeiiiiiiiioooooooouuuuuuuunnaeounu";
    for (size_t k = 0; k < kFrom.size(); ++k) of[static_cast<unsigned char>(kFrom[k])] = kTo[k];
  }
};

// A label read as its key, one key letter at a time.
class LabelKeyReader {
 public:
  explicit LabelKeyReader(std::string_view label) : label_(label) {}
  // The next key letter; 0 at the end.
  char Next() {
    static const KeyLetters kLetters;
    while (at_ < label_.size()) {
      const auto c = static_cast<unsigned char>(label_[at_++]);
      if (c == 0xA1) {
        // "s\xA1": the DOS glyph of an accented i after a letter
        if (at_ >= 2 && std::isalpha(static_cast<unsigned char>(label_[at_ - 2])) != 0) return 'i';
        continue;
      }
      if (kLetters.of[c] != 0) return kLetters.of[c];
    }
    return 0;
  }

 private:
  std::string_view label_;
  size_t at_ = 0;
};

}  // namespace

std::string LabelKey(std::string_view label) {
  std::string key;
  LabelKeyReader reader(label);
  for (char c = reader.Next(); c != 0; c = reader.Next()) key += c;
  return key;
}

bool SameKey(std::string_view a, std::string_view b) {
  LabelKeyReader left(a);
  LabelKeyReader right(b);
  for (;;) {
    const char c = left.Next();
    if (c != right.Next()) return false;
    if (c == 0) return true;
  }
}

}  // namespace korva

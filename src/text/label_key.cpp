#include "text/label_key.h"

#include <cctype>

namespace korva {
namespace {

// The base letter of a letter written with an accent, in Windows-1252 or in the
// DOS glyphs that old logs carry ("funci\xA2n" for "funcion"); 0 for anything else.
char BaseLetter(unsigned char c) {
  static const std::string_view kFrom = "\xE1\xE0\xE4\xE2\xC1\xC0\xC4\xC2\xE9\xE8\xEB\xEA\xC9\xC8\xCB\xCA"
                                        "\xED\xEC\xEF\xEE\xCD\xCC\xCF\xCE\xF3\xF2\xF6\xF4\xD3\xD2\xD6\xD4"
                                        "\xFA\xF9\xFC\xFB\xDA\xD9\xDC\xDB\xF1\xD1\xA0\x82\xA2\xA3\xA4\x81";
  static const std::string_view kTo = "aaaaaaaaeeeeeeeeiiiiiiiioooooooouuuuuuuunnaeounu";
  size_t at = kFrom.find(static_cast<char>(c));
  return at == std::string_view::npos ? 0 : kTo[at];
}

}  // namespace

std::string LabelKey(std::string_view label) {
  std::string key;
  for (size_t i = 0; i < label.size(); ++i) {
    const auto c = static_cast<unsigned char>(label[i]);
    if (std::isalnum(c) != 0 && c < 0x80) {
      key += static_cast<char>(std::tolower(c));
    } else if (c == 0xA1 && i > 0 && std::isalpha(static_cast<unsigned char>(label[i - 1])) != 0) {
      key += 'i';  // "s\xA1": the DOS glyph of an accented i after a letter
    } else if (char base = BaseLetter(c); base != 0) {
      key += base;
    }
  }
  return key;
}

}  // namespace korva

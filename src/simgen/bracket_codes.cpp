#include "simgen/bracket_codes.h"

namespace korva {

std::string_view CodeSection(std::string_view name, int idLength) {
  size_t from = static_cast<size_t>(idLength < 0 ? 0 : idLength) + 1;
  if (from >= name.size()) return {};
  size_t open = name.find('[', from);
  return open == std::string_view::npos ? std::string_view{} : name.substr(open);
}

std::optional<std::string> FixedCode(std::string_view name, int idLength, std::string_view code, size_t width) {
  std::string_view codes = CodeSection(name, idLength);
  size_t at = codes.find(code);
  if (at == std::string_view::npos) return std::nullopt;
  return std::string(codes.substr(at + code.size(), width));
}

DelimitedCode CodeToSemicolon(std::string_view name, int idLength, std::string_view code) {
  DelimitedCode result;
  std::string_view codes = CodeSection(name, idLength);
  size_t at = codes.find(code);
  if (at == std::string_view::npos) return result;
  result.present = true;
  size_t start = at + code.size();
  size_t end = codes.find(';', start);
  result.closed = end != std::string_view::npos;
  if (result.closed) result.value = std::string(codes.substr(start, end - start));
  return result;
}

}  // namespace korva

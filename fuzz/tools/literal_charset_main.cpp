// literal_charset IN OUT: writes to OUT the source IN with its literals in
// Windows-1252 (see literal_charset.h); the clang build runs it on every source.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "literal_charset.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: literal_charset IN OUT\n");
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "literal_charset: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  korva::fuzz::LiteralConversion converted = korva::fuzz::Cp1252Literals(text);
  if (!converted.ok) {
    std::fprintf(stderr, "%s:%d: %s\n", argv[1], converted.line, converted.error.c_str());
    return 1;
  }
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(argv[2]).parent_path(), ignored);
  std::ofstream result(argv[2], std::ios::binary | std::ios::trunc);
  result << converted.text;
  return result ? 0 : 1;
}

#include "literal_charset.h"

#include <cstdio>

namespace korva::fuzz {
namespace {

// The Windows-1252 byte of a code point; -1 when the code page lacks it.
int Cp1252Byte(unsigned cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  static const unsigned kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] != 0 && kHigh[i] == cp) return 0x80 + i;
  }
  return -1;
}

// Decodes the UTF-8 sequence at text[pos]; advances pos. False when malformed.
bool DecodeUtf8(const std::string& text, size_t& pos, unsigned& cp) {
  unsigned char lead = static_cast<unsigned char>(text[pos]);
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0 || pos + static_cast<size_t>(extra) >= text.size()) return false;
  cp = lead & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    unsigned char c = static_cast<unsigned char>(text[pos + k]);
    if ((c & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (c & 0x3F);
  }
  pos += static_cast<size_t>(extra) + 1;
  return true;
}

std::string Octal(int byte) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\%03o", byte);
  return buf;
}

bool IsIdentChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

struct Converter {
  const std::string& in;
  std::string out;
  int line = 1;
  std::string error;

  // Copies the non-ASCII character at pos as an escape; `raw` gives the
  // delimiter of the raw string it stands in.
  bool Escape(size_t& pos, const std::string* rawDelimiter) {
    unsigned cp = 0;
    size_t start = pos;
    if (!DecodeUtf8(in, pos, cp)) {
      pos = start;
      error = "malformed UTF-8";
      return false;
    }
    int byte = Cp1252Byte(cp);
    if (byte < 0) {
      error = "a character Windows-1252 lacks: " + in.substr(start, pos - start);
      return false;
    }
    if (rawDelimiter != nullptr) {
      out += ")" + *rawDelimiter + "\" \"" + Octal(byte) + "\" R\"" + *rawDelimiter + "(";
    } else {
      out += Octal(byte);
    }
    return true;
  }

  bool Run() {
    size_t pos = 0;
    const size_t n = in.size();
    while (pos < n) {
      char c = in[pos];
      if (c == '\n') ++line;
      if (c == '/' && pos + 1 < n && in[pos + 1] == '/') {
        size_t end = in.find('\n', pos);
        if (end == std::string::npos) end = n;
        out.append(in, pos, end - pos);
        pos = end;
        continue;
      }
      if (c == '/' && pos + 1 < n && in[pos + 1] == '*') {
        size_t end = in.find("*/", pos + 2);
        end = end == std::string::npos ? n : end + 2;
        for (size_t k = pos; k < end; ++k) line += in[k] == '\n';
        out.append(in, pos, end - pos);
        pos = end;
        continue;
      }
      if (IsIdentChar(c)) {
        // A whole identifier or number, so that a digit separator (1'000) or
        // a literal's prefix is not taken for the start of a literal.
        size_t end = pos;
        const bool number = c >= '0' && c <= '9';
        while (end < n && (IsIdentChar(in[end]) || (number && (in[end] == '\'' || in[end] == '.')))) ++end;
        std::string word = in.substr(pos, end - pos);
        out += word;
        pos = end;
        if (!number && pos < n && in[pos] == '"' && !word.empty() && word.back() == 'R' &&
            (word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR")) {
          if (!RawString(pos)) return false;
        }
        continue;
      }
      if (c == '"' || c == '\'') {
        if (!Quoted(pos, c)) return false;
        continue;
      }
      out += c;
      ++pos;
    }
    return true;
  }

  bool Quoted(size_t& pos, char quote) {
    out += quote;
    ++pos;
    while (pos < in.size()) {
      char c = in[pos];
      if (c == '\\' && pos + 1 < in.size()) {
        out.append(in, pos, 2);
        pos += 2;
        continue;
      }
      if (c == quote) {
        out += c;
        ++pos;
        return true;
      }
      if (c == '\n') {
        error = "a literal without its closing quote";
        return false;
      }
      if (static_cast<unsigned char>(c) >= 0x80) {
        if (!Escape(pos, nullptr)) return false;
        continue;
      }
      out += c;
      ++pos;
    }
    error = "a literal without its closing quote";
    return false;
  }

  bool RawString(size_t& pos) {
    size_t open = in.find('(', pos + 1);
    if (open == std::string::npos) {
      error = "a raw string without its opening parenthesis";
      return false;
    }
    const std::string delimiter = in.substr(pos + 1, open - pos - 1);
    const std::string close = ")" + delimiter + "\"";
    size_t end = in.find(close, open + 1);
    if (end == std::string::npos) {
      error = "a raw string without its end";
      return false;
    }
    out.append(in, pos, open + 1 - pos);
    pos = open + 1;
    while (pos < end) {
      char c = in[pos];
      if (c == '\n') ++line;
      if (static_cast<unsigned char>(c) >= 0x80) {
        if (!Escape(pos, &delimiter)) return false;
        continue;
      }
      out += c;
      ++pos;
    }
    out += close;
    pos = end + close.size();
    return true;
  }
};

}  // namespace

LiteralConversion Cp1252Literals(std::string_view source) {
  const std::string text(source);
  Converter converter{text, {}, 1, {}};
  LiteralConversion result;
  result.ok = converter.Run();
  if (result.ok) {
    result.text = std::move(converter.out);
  } else {
    result.error = converter.error;
    result.line = converter.line;
  }
  return result;
}

}  // namespace korva::fuzz

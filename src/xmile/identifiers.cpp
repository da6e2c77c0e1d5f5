#include "xmile/identifiers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace korva::xmile {
namespace {

// Words of the target language and of the generated programs (their fixed
// text and the code korva writes around the modeller's statements) that an
// element's name must not take.
const std::unordered_set<std::string>& ReservedWords() {
  static const std::unordered_set<std::string> words = {
      // The target language.
      "ABS", "AND", "ANY", "APPEND", "ARRAY", "ASC", "ATN", "BASE", "BINARY", "BOOLEAN", "BYREF", "BYTE", "BYVAL",
      "CALL", "CASE", "CBOOL", "CBYTE", "CCUR", "CDATE", "CDBL", "CHR", "CINT", "CLNG", "CLOSE", "CONST", "COS",
      "CSNG", "CSTR", "CURRENCY", "CVAR", "DATE", "DEBUG", "DECLARE", "DEFBOOL", "DEFDBL", "DEFINT", "DEFLNG",
      "DEFSNG", "DEFSTR", "DEFVAR", "DIM", "DOUBLE", "EACH", "ELSE", "ELSEIF", "EMPTY", "END", "ENDIF", "EOF", "EQV",
      "ERASE", "ERR", "ERROR", "EXIT", "EXP", "FALSE", "FIX", "FOR", "FORMAT", "FREEFILE", "FRIEND", "FUNCTION",
      "GET", "GLOBAL", "GOSUB", "GOTO", "HEX", "IIF", "IMP", "INPUT", "INPUTBOX", "INSTR", "INT", "INTEGER", "LBOUND",
      "LCASE", "LEFT", "LEN", "LET", "LIKE", "LINE", "LOC", "LOCK", "LOF", "LOG", "LONG", "LOOP", "LSET", "LTRIM",
      "MID", "MOD", "MSGBOX", "NAME", "NEW", "NEXT", "NOT", "NOTHING", "NULL", "OBJECT", "OCT", "OPEN", "OPTION",
      "OPTIONAL", "OUTPUT", "PRESERVE", "PRINT", "PRIVATE", "PROPERTY", "PUBLIC", "PUT", "RANDOM", "RANDOMIZE",
      "READ", "REDIM", "REM", "REPLACE", "RESET", "RESUME", "RETURN", "RIGHT", "RND", "RSET", "RTRIM", "SEEK",
      "SELECT", "SET", "SGN", "SHARED", "SIN", "SINGLE", "SPACE", "SPC", "SQR", "STATIC", "STEP", "STOP", "STR",
      "STRING", "SUB", "TAB", "TAN", "THEN", "TIME", "TIMER", "TRIM", "TRUE", "TYPE", "UBOUND", "UCASE", "UNLOCK",
      "UNTIL", "VAL", "VARIANT", "WEND", "WHILE", "WIDTH", "WITH", "WRITE", "XOR", "ISNUMERIC", "CALCOBJ",
      // The generated programs' own variables and routines.
      "AIC", "ALE", "ALGGEN", "AMA", "AMI", "CABCUA", "CABECERA", "CABGRA", "CONTIN", "CUAFIC", "DIS", "DT0",
      "DT0A", "EJESAL", "ERRR", "ERRRS", "ESCRVAR", "FICO", "GRALIN", "GS120", "GS170", "GS210", "INMIGR", "OBJ",
      "OBJ2", "OBJANT", "PMAX", "POBLINIC", "RALE", "REG", "REPRO", "RINI", "RMIN", "SELEC", "SUBIND", "TNOR",
      "XXX", "YYR", "YYS", "YYY", "XM", "XS", "XI", "X2", "RA", "BA", "BT", "FR", "FT", "R0", "DM", "YM", "NPU",
  };
  return words;
}

bool AllowedFirst(char c) {
  return (c >= 'A' && c <= 'H') || (c >= 'O' && c <= 'T') || (c >= 'X' && c <= 'Z');
}

// The name's letters and digits, upper-cased, starting with an allowed letter.
std::string Base(const std::string& name) {
  std::string base;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80 && std::isalnum(u)) base += static_cast<char>(std::toupper(u));
  }
  if (base.empty() || !AllowedFirst(base[0])) base.insert(base.begin(), 'X');
  return base;
}

std::string Fit(const std::string& base, size_t length) {
  std::string id = base.substr(0, length);
  id.append(length - id.size(), '0');
  return id;
}

bool Forbidden(const std::string& id) {
  if (ReservedWords().count(id) != 0) return true;
  for (const std::string& word : EquationWords()) {
    if (word.find(id) != std::string::npos) return true;
  }
  return false;
}

// The identifiers at `length` from the names' own letters, or nothing when
// two would clash or one is forbidden.
bool OwnLetters(const std::vector<std::string>& bases, size_t length, std::vector<std::string>& ids) {
  std::unordered_set<std::string> taken;
  ids.clear();
  for (const std::string& base : bases) {
    std::string id = Fit(base, length);
    if (Forbidden(id) || !taken.insert(id).second) return false;
    ids.push_back(std::move(id));
  }
  return true;
}

}  // namespace

const std::vector<std::string>& EquationWords() {
  static const std::vector<std::string> words = {"ABS", "EXP", "LOG", "SQR", "SIN", "COS", "TAN", "ATN",
                                                 "INT", "SGN", "IF", "THEN", "ELSE", "ELSEIF", "END", "AND",
                                                 "OR", "NOT", "RINI", "NPASO", "DT"};
  return words;
}

Identifiers MakeIdentifiers(const std::vector<std::string>& names) {
  std::vector<std::string> bases;
  bases.reserve(names.size());
  for (const std::string& name : names) bases.push_back(Base(name));
  Identifiers result;
  for (size_t length = 3; length <= 8; ++length) {
    if (OwnLetters(bases, length, result.ids)) {
      result.length = static_cast<int>(length);
      return result;
    }
  }
  // Numbers after the first letters: long enough that the most names
  // sharing a first letter fit twice over.
  std::array<size_t, 256> perLetter{};
  for (const std::string& base : bases) ++perLetter[static_cast<unsigned char>(base[0])];
  const size_t most = *std::max_element(perLetter.begin(), perLetter.end());
  size_t length = 3;
  while (std::pow(10.0, static_cast<double>(length - 1)) < 2.0 * static_cast<double>(most) + 10) ++length;
  std::unordered_set<std::string> taken;
  std::unordered_map<std::string, unsigned long> next;  // by prefix: the next number to try
  result.length = static_cast<int>(length);
  result.ids.clear();
  for (const std::string& base : bases) {
    std::string id = Fit(base, length);
    if (Forbidden(id) || taken.count(id) != 0) {
      id.clear();
      for (size_t digits = 1; digits < length && id.empty(); ++digits) {
        const std::string prefix = Fit(base, length - digits);
        const unsigned long limit = static_cast<unsigned long>(std::pow(10.0, static_cast<double>(digits)));
        unsigned long& counter = next.try_emplace(prefix, 2).first->second;
        for (; counter < limit; ++counter) {
          std::string number = std::to_string(counter);
          std::string candidate = prefix + std::string(digits - number.size(), '0') + number;
          if (!Forbidden(candidate) && taken.count(candidate) == 0) {
            id = candidate;
            ++counter;
            break;
          }
        }
      }
    }
    taken.insert(id);
    result.ids.push_back(std::move(id));
  }
  return result;
}

}  // namespace korva::xmile

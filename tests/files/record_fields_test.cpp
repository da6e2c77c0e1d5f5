#include "files/record_fields.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

std::vector<std::string> AllFields(std::string_view data) {
  std::vector<std::string> out;
  size_t pos = 0;
  std::string field;
  while (ReadRecordField(data, pos, field)) out.push_back(field);
  return out;
}

TEST(RecordFields, TextsQuotedNumbersBare) {
  EXPECT_EQ(FormatRecord({RecordField::Text("Crear, Ensamblar, formar Bloques, Analogia"), RecordField::Text("c")}),
            "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"");
  EXPECT_EQ(FormatRecord({RecordField::Text("Elemento incorrecto"), RecordField::Number(3)}),
            "\"Elemento incorrecto\",3");
  EXPECT_EQ(FormatRecord({RecordField::Text("")}), "\"\"");
}

TEST(RecordFields, ReadBackAcrossLineEnds) {
  std::string data = "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n"
                     "\"Elemento incorrecto\",3\n"
                     "\"\"\r\n"
                     "  bare text  ,\"x\"";
  EXPECT_EQ(AllFields(data), (std::vector<std::string>{"Crear, Ensamblar, formar Bloques, Analogia", "c",
                                                       "Elemento incorrecto", "3", "", "bare text", "x"}));
}

TEST(RecordFields, QuotedFieldRunsToTheNextQuote) {
  // No doubled-quote escape: what follows the closing quote up to the delimiter is dropped.
  EXPECT_EQ(AllFields("\"a\"junk,\"b\"\r\n"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(AllFields("\"unterminated"), (std::vector<std::string>{"unterminated"}));
}

TEST(RecordFields, LinesEndInCrLfCrOrLf) {
  std::string data = "one\r\ntwo\rthree\nlast";
  size_t pos = 0;
  std::string line;
  std::vector<std::string> lines;
  while (ReadTextLine(data, pos, line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "last"}));
  EXPECT_FALSE(ReadTextLine(data, pos, line)) << "reading past the end fails";
}

}  // namespace
}  // namespace korva

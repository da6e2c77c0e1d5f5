#include "variables/table_lookup.h"

#include "emit/quoted.h"
#include "text/vb_text.h"

namespace korva {

bool IsLiteralPoint(const std::string& point) { return point.find(QuoteChar) != std::string::npos; }

std::vector<std::string> TableLookupStatements(const ElementSpec& element, bool literal,
                                               const std::string& outputStatement) {
  const std::string subscripts = Subscripts(element);
  const size_t m = element.Arguments.size();
  auto column = [](size_t j) { return PlainNum(static_cast<long long>(j + 1)); };
  std::vector<std::string> statements;
  statements.push_back(" open " + Quoted(element.Id) + " for input as #3" + ":" + " dm=1.0E+24:ym=0:wym=" + Quoted(""));

  // A literal table reads its argument columns as texts too, so that they can
  // be compared with the arguments.
  std::string reading = " npu=" + NumText(element.TablePoints) + ":line input #3, uc:for i=1 to npu:input #3, ";
  for (size_t j = 0; j < m; ++j) reading += (literal ? "wx" : "x") + column(j) + ",";
  statements.push_back(reading + (literal ? "wy" : "y"));

  if (literal) {
    // Every argument equal to its column: the comparisons are joined by "and".
    std::string match = " if ";
    for (size_t j = 0; j < m; ++j) match += (j ? " and " : "") + element.Arguments[j] + subscripts + "=wx" + column(j);
    if (m == 0) match += "true";
    statements.push_back(match + " then wym=wy");
  } else {
    std::string distance = " d=sqr(";
    for (size_t j = 0; j < m; ++j) distance += "(" + element.Arguments[j] + subscripts + "-x" + column(j) + ")^2+";
    if (m == 0) distance += "0+";
    distance.back() = ')';
    statements.push_back(distance);
    statements.push_back(" if d<dm then dm=d:ym=y");
  }
  statements.push_back(" next i:close #3:" + element.Id + subscripts + "=" + (literal ? "w" : "") + "ym" + ":" +
                       outputStatement);
  return statements;
}

}  // namespace korva

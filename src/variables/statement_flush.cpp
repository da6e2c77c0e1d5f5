#include "variables/statement_flush.h"

#include <cmath>

#include "core/log_labels.h"
#include "core/questions.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// The buffer index of a statement number as shown (provisional numbers are the index times 10).
long IndexOf(long number) { return std::lround(static_cast<double>(number) / 10.0); }

bool OnlyANumber(const std::string& text) {
  size_t start = text.find_first_not_of(' ');
  size_t end = text.find_last_not_of(' ');
  if (start == std::string::npos) return false;
  for (size_t i = start; i <= end; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

void CorrectOneStatement(RunContext& run, StatementBuffer& buffer) {
  const long used = buffer.Used();
  std::string number = AskLogged(
      run, kLabelStatementToCorrect,
      [&] {
        for (;;) {
          std::string answer = Ask(run, "Especifique el número de la sentencia a corregir");
          std::optional<long> value = ParseWholeNumber(answer);
          if (value && IndexOf(*value) >= 1 && IndexOf(*value) <= used) return answer;
          RefuseAnswer(run, answer, "escriba el número de una de las sentencias mostradas");
        }
      },
      NumberRecord::kAsNumber);
  const long index = IndexOf(NumberValue(number));
  if (index < 1 || index > used) return;  // a replayed number outside the buffer corrects nothing
  const int i = static_cast<int>(index);
  std::string typed = AskLoggedLine(run, [&] {
    return AskLineText(run, "Escriba la sentencia correcta o" +
                        std::string("   solo el número si desea suprimir la sentencia.") + LF + buffer.Entry(i));
  });
  if (OnlyANumber(typed)) {
    buffer.Suppress(i);
  } else {
    buffer.Replace(i, typed);
  }
}

}  // namespace

void FlushStatements(RunContext& run, SimulatorModule& simulator, bool codesTrusted) {
  while (!codesTrusted && simulator.Statements().Used() > 0) {
    std::string answer = LowerCase(Ask(run, "¿Desea corregir alguna sentencia? (S/N/T)"));
    if (answer == "t") Terminate(run);
    if (answer != "s") break;
    CorrectOneStatement(run, simulator.Statements());
  }
  simulator.Flush();
}

}  // namespace korva

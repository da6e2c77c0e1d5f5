#include "core/questions.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/file_errors.h"
#include "core/log_labels.h"
#include "core/program_end.h"
#include "dialogue/help_catalogue.h"
#include "text/cp1252.h"
#include "text/label_key.h"
#include "text/vb_text.h"

namespace korva {
namespace {

bool IsAccepted(const std::string& answer, Choices accepted) {
  return std::find(accepted.begin(), accepted.end(), answer) != accepted.end();
}

bool AcceptsTerminate(Choices accepted) { return IsAccepted("t", accepted); }

// The answers a choice accepts, as the refusal names them: "s, n o t", the
// empty answer as "nada".
std::string AcceptedList(Choices accepted) {
  std::string list;
  size_t i = 0;
  for (std::string_view choice : accepted) {
    if (i > 0) list += i + 1 == accepted.size() ? " o " : ", ";
    list += choice.empty() ? std::string("nada") : std::string(choice);
    ++i;
  }
  return list;
}

// What a whole number from `low` to `high` is asked as.
std::string NumberExpected(long low, long high, std::optional<long> terminatesAt) {
  std::string expected = "escriba un número entero de " + PlainNum(low) + " a " + PlainNum(high);
  if (terminatesAt && (*terminatesAt < low || *terminatesAt > high)) {
    expected += " (" + PlainNum(*terminatesAt) + " para terminar)";
  }
  return expected;
}

// An answer the log could not give back as it was typed: a line end or a NUL
// would cut its record in two, and a double quote would end its quoted field,
// so that every later record would be read one field out of place.
bool Loggable(std::string_view answer, bool quotesAllowed) {
  for (char c : answer) {
    if (c == '"' && !quotesAllowed) return false;
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return false;
  }
  return true;
}

std::string AskLoggable(RunContext& run, const std::string& prompt, bool quotesAllowed) {
  for (;;) {
    std::optional<std::string> answer =
        run.Box.InputBoxWithHelp(prompt, [&] { return std::string(KorvaHelp().Find(prompt, run.QuestionLabel)); });
    if (!answer) EndProgram(EndReason::kEndOfInput);
    if (Loggable(*answer, quotesAllowed)) return *answer;
    Tell(run, quotesAllowed ? "La respuesta no puede llevar caracteres de control. Escríbala de nuevo."
                            : "La respuesta no puede llevar comillas (\") ni caracteres de control. Escríbala de nuevo.");
  }
}

// Asks under the label of the logged question, which finds the help of its prompts.
std::string AskingUnder(RunContext& run, std::string_view label, const std::function<std::string()>& ask) {
  std::string outer = std::exchange(run.QuestionLabel, std::string(label));
  std::string answer = ask();
  run.QuestionLabel = std::move(outer);
  return answer;
}

// A failed operation on the answers log names the log in its message and ends the program.
void FailOnLogError(RunContext& run, const FileError& error) {
  if (!error.failed()) return;
  run.CurrentFileName = error.path;
  FailOnFileError(run, error);
}

}  // namespace

std::string AskLogged(RunContext& run, std::string_view label, const std::function<std::string()>& ask,
                      NumberRecord record, bool* replayed) {
  CheckEndOfReplay(run);
  if (replayed != nullptr) *replayed = false;
  if (run.Log.replaying()) {
    std::vector<std::string> fields;
    if (ReplayFields(run, 2, fields)) {
      if (!SameLabel(fields[0], label)) StopOutOfStep(run);
      if (replayed != nullptr) *replayed = true;
      return fields[1];
    }
  }
  std::string answer = AskingUnder(run, label, ask);
  RecordField field =
      record == NumberRecord::kAsNumber ? RecordField::Number(NumberValue(answer)) : RecordField::Text(answer);
  RecordAnswer(run, {RecordField::Text(std::string(label)), field});
  return answer;
}

void Terminate(RunContext& run) {
  run.Log.Close();
  EndProgram(EndReason::kTerminated);
}

void Tell(RunContext& run, const std::string& text) { run.Box.MessageBox(text); }

void RefuseAnswer(RunContext& run, const std::string& answer, const std::string& expected) {
  Tell(run, (answer.empty() ? std::string("La respuesta vacía") : "La respuesta «" + answer + "»") +
                " no vale aquí: " + expected + ".");
}

std::string Ask(RunContext& run, const std::string& prompt) { return AskLoggable(run, prompt, false); }

std::string AskLineText(RunContext& run, const std::string& prompt) { return AskLoggable(run, prompt, true); }

void StopOutOfStep(RunContext& run) {
  Tell(run, "Error de descuadre en fichero Modelo" + PlainNum(run.LogNumber));
  EndProgram(EndReason::kErrorReported);
}

bool SameLabel(std::string_view recorded, std::string_view asked) {
  // Labels of older wordings that logs prepared by the analogy search still carry.
  static const std::pair<std::string_view, std::string_view> kOlderWordings[] = {
      {kPreparedLabelMatrixView, kLabelMatrixView},
  };
  for (const auto& [older, current] : kOlderWordings) {
    if (SameKey(recorded, older)) return SameKey(current, asked);
  }
  return SameKey(recorded, asked);
}

void CheckEndOfReplay(RunContext& run) { FailOnLogError(run, run.Log.CheckEndOfReplay(run.Files)); }

std::string AskLoggedLine(RunContext& run, const std::function<std::string()>& ask) {
  CheckEndOfReplay(run);
  if (run.Log.replaying()) {
    std::string line;
    if (run.Log.ReadLine(line)) return line;
    FailOnLogError(run, run.Log.StopReplay(run.Files));
  }
  std::string answer = ask();
  FailOnLogError(run, run.Log.WriteLine(answer));
  return answer;
}

bool ReplayFields(RunContext& run, size_t count, std::vector<std::string>& fields, size_t* read) {
  fields.assign(count, "");
  for (size_t i = 0; i < count; ++i) {
    if (read != nullptr) *read = i;
    if (!run.Log.ReadField(fields[i])) {
      FailOnLogError(run, run.Log.StopReplay(run.Files));
      return false;
    }
  }
  if (read != nullptr) *read = count;
  return true;
}

bool SkipReplayedNameRecord(RunContext& run, std::string_view id) {
  CheckEndOfReplay(run);
  std::string line;
  if (!run.Log.replaying() || !run.Log.PeekLine(line)) return false;
  const std::string start = "\"" + std::string(id);
  if (!line.starts_with(start) || line.size() <= start.size()) return false;
  const char next = line[start.size()];
  if (next != ' ' && next != '"') return false;
  if (line.find("\",") != std::string::npos) return false;  // a record of two fields is an answer, not a name
  run.Log.ReadLine(line);
  return true;
}

void RecordAnswer(RunContext& run, const std::vector<RecordField>& fields) {
  FailOnLogError(run, run.Log.WriteRecord(fields));
}

long NumberValue(const std::string& text) {
  double value = std::nearbyint(Val(text));
  constexpr double kMax = static_cast<double>(std::numeric_limits<long>::max() / 2);
  return static_cast<long>(std::clamp(value, -kMax, kMax));
}

std::string AskUnloggedChoice(RunContext& run, const std::string& prompt, Choices accepted) {
  for (;;) {
    std::string answer = LowerCase(Ask(run, prompt));
    if (IsAccepted(answer, accepted)) return answer;
    RefuseAnswer(run, answer, "conteste " + AcceptedList(accepted));
  }
}

std::string AskLoggedChoice(RunContext& run, std::string_view label, const std::string& prompt, Choices accepted) {
  return AskLogged(
      run, label,
      [&] {
        std::string answer = AskUnloggedChoice(run, prompt, accepted);
        if (answer == "t" && AcceptsTerminate(accepted)) Terminate(run);
        return answer;
      },
      NumberRecord::kAsText);
}

std::string AskLoggedText(RunContext& run, std::string_view label, const std::string& prompt, bool* replayed) {
  return AskLogged(
      run, label, [&] { return Ask(run, prompt); }, NumberRecord::kAsText, replayed);
}

std::string AskLoggedChecked(RunContext& run, std::string_view label, const std::string& prompt,
                             const std::function<std::string(const std::string&)>& refusal) {
  return AskLogged(
      run, label,
      [&] {
        for (;;) {
          std::string answer = Ask(run, prompt);
          const std::string why = refusal(answer);
          if (why.empty()) return answer;
          RefuseAnswer(run, answer, why);
        }
      },
      NumberRecord::kAsText);
}

long AskUnloggedNumber(RunContext& run, const std::string& prompt, long low, long high) {
  for (;;) {
    std::string answer = Ask(run, prompt);
    std::optional<long> value = ParseWholeNumber(answer);
    if (value && *value >= low && *value <= high) return *value;
    RefuseAnswer(run, answer, NumberExpected(low, high, std::nullopt));
  }
}

NumberAnswer AskLoggedNumber(RunContext& run, std::string_view label, const std::string& prompt, long low, long high,
                             NumberRecord record, std::optional<long> terminatesAt) {
  CountQuestion question(label, prompt, low, high);
  question.record = record;
  question.terminatesAt = terminatesAt;
  return AskCount(run, question);
}

NumberAnswer AskCount(RunContext& run, const CountQuestion& question) {
  auto inRange = [&](const std::optional<long>& value) {
    return value && *value >= question.low && *value <= question.high;
  };
  bool replayed = false;
  std::string text = AskLogged(
      run, question.label,
      [&] {
        if (!question.codeFault.empty()) Tell(run, question.codeFault);
        if (question.code && inRange(ParseWholeNumber(*question.code))) return *question.code;
        for (;;) {
          std::string answer = Ask(run, question.prompt);
          std::optional<long> value = ParseWholeNumber(answer);
          if (value && question.terminatesAt && *value == *question.terminatesAt) Terminate(run);
          if (inRange(value)) return answer;
          RefuseAnswer(run, answer, NumberExpected(question.low, question.high, question.terminatesAt));
        }
      },
      question.record, &replayed);
  return NumberAnswer{text, NumberValue(text), replayed};
}

std::string AskSeriesEntry(RunContext& run, const std::function<std::string()>& ask) {
  CheckEndOfReplay(run);
  if (run.Log.replaying()) {
    std::vector<std::string> fields;
    if (ReplayFields(run, 1, fields)) return fields[0];
  }
  std::string answer = ask();
  RecordAnswer(run, {RecordField::Text(answer)});
  return answer;
}

}  // namespace korva

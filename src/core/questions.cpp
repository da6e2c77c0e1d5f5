#include "core/questions.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/file_errors.h"
#include "core/program_end.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

bool IsAccepted(const std::string& answer, Choices accepted) {
  return std::find(accepted.begin(), accepted.end(), answer) != accepted.end();
}

bool AcceptsTerminate(Choices accepted) { return IsAccepted("t", accepted); }

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
      if (replayed != nullptr) *replayed = true;
      return fields[1];
    }
  }
  std::string answer = ask();
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

std::string Ask(RunContext& run, const std::string& prompt) {
  std::optional<std::string> answer = run.Box.InputBox(prompt);
  if (!answer) EndProgram(EndReason::kEndOfInput);
  return *answer;
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

bool ReplayFields(RunContext& run, size_t count, std::vector<std::string>& fields) {
  fields.assign(count, "");
  for (size_t i = 0; i < count; ++i) {
    if (!run.Log.ReadField(fields[i])) {
      FailOnLogError(run, run.Log.StopReplay(run.Files));
      return false;
    }
  }
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
                             const std::function<bool(const std::string&)>& valid) {
  return AskLogged(
      run, label,
      [&] {
        for (;;) {
          std::string answer = Ask(run, prompt);
          if (valid(answer)) return answer;
        }
      },
      NumberRecord::kAsText);
}

long AskUnloggedNumber(RunContext& run, const std::string& prompt, long low, long high) {
  for (;;) {
    std::optional<long> value = ParseWholeNumber(Ask(run, prompt));
    if (value && *value >= low && *value <= high) return *value;
  }
}

NumberAnswer AskLoggedNumber(RunContext& run, std::string_view label, const std::string& prompt, long low, long high,
                             NumberRecord record, std::optional<long> terminatesAt) {
  std::string text = AskLogged(
      run, label,
      [&] {
        for (;;) {
          std::string answer = Ask(run, prompt);
          std::optional<long> value = ParseWholeNumber(answer);
          if (value && terminatesAt && *value == *terminatesAt) Terminate(run);
          if (value && *value >= low && *value <= high) return answer;
        }
      },
      record);
  return NumberAnswer{text, NumberValue(text)};
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

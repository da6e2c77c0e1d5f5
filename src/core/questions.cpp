#include "core/questions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>

#include "core/file_errors.h"
#include "core/log_labels.h"
#include "core/program_end.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

bool IsAccepted(const std::string& answer, Choices accepted) {
  return std::find(accepted.begin(), accepted.end(), answer) != accepted.end();
}

bool AcceptsTerminate(Choices accepted) { return IsAccepted("t", accepted); }

// The key letter of each byte of a label: an ASCII letter or digit
// lower-cased, a letter written with an accent (in Windows-1252 or in the DOS
// glyphs that old logs carry, "funci\xA2n" for "funcion") its base letter, 0
// for anything else. "\xA1" is decided by the byte before it (LabelKeyReader).
struct KeyLetters {
  std::array<char, 256> of{};
  KeyLetters() {
    for (int c = 0; c < 0x80; ++c) {
      if (std::isalnum(c) != 0) of[static_cast<size_t>(c)] = static_cast<char>(std::tolower(c));
    }
    static constexpr std::string_view kFrom = "\xE1\xE0\xE4\xE2\xC1\xC0\xC4\xC2\xE9\xE8\xEB\xEA\xC9\xC8\xCB\xCA"
                                              "\xED\xEC\xEF\xEE\xCD\xCC\xCF\xCE\xF3\xF2\xF6\xF4\xD3\xD2\xD6\xD4"
                                              "\xFA\xF9\xFC\xFB\xDA\xD9\xDC\xDB\xF1\xD1\xA0\x82\xA2\xA3\xA4\x81";
    static constexpr std::string_view kTo = "aaaaaaaaeeeeeeeeiiiiiiiioooooooouuuuuuuunnaeounu";
    for (size_t k = 0; k < kFrom.size(); ++k) of[static_cast<unsigned char>(kFrom[k])] = kTo[k];
  }
};

// A label read as its key: its letters and digits, lower-cased and without
// accents; blanks, signs and the way accents were written do not tell two
// labels apart. Labels are compared key letter by key letter, with no copy.
class LabelKeyReader {
 public:
  explicit LabelKeyReader(std::string_view label) : label_(label) {}
  // The next key letter; 0 at the end.
  char Next() {
    static const KeyLetters kLetters;
    while (at_ < label_.size()) {
      const auto c = static_cast<unsigned char>(label_[at_++]);
      if (c == 0xA1) {
        // "s\xA1": the DOS glyph of an accented i after a letter
        if (at_ >= 2 && std::isalpha(static_cast<unsigned char>(label_[at_ - 2])) != 0) return 'i';
        continue;
      }
      if (kLetters.of[c] != 0) return kLetters.of[c];
    }
    return 0;
  }

 private:
  std::string_view label_;
  size_t at_ = 0;
};

bool SameKey(std::string_view a, std::string_view b) {
  LabelKeyReader left(a);
  LabelKeyReader right(b);
  for (;;) {
    const char c = left.Next();
    if (c != right.Next()) return false;
    if (c == 0) return true;
  }
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
    std::optional<std::string> answer = run.Box.InputBox(prompt);
    if (!answer) EndProgram(EndReason::kEndOfInput);
    if (Loggable(*answer, quotesAllowed)) return *answer;
    Tell(run, quotesAllowed ? "La respuesta no puede llevar caracteres de control. Escríbala de nuevo."
                            : "La respuesta no puede llevar comillas (\") ni caracteres de control. Escríbala de nuevo.");
  }
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

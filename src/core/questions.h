#pragma once
// The question protocol. Every question that shapes a model goes through the
// answers log: first the end-of-replay check, then either the recorded answer
// is read (taken unchanged, without validation) or the question is asked, its
// answer validated until it passes, and the record (label, answer) written.
// Questions outside the protocol are asked even while replaying, never logged.
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/run_context.h"

namespace korva {

using Choices = std::initializer_list<std::string_view>;

enum class NumberRecord { kAsText, kAsNumber };

// A message box.
void Tell(RunContext& run, const std::string& text);

// The one line that tells why a typed answer is refused before its question
// is asked again: "La respuesta «x» no vale aquí: " + `expected` + ".".
void RefuseAnswer(RunContext& run, const std::string& answer, const std::string& expected);

// An input box; the end of the input ends the program. An answer the answers
// log could not hold as typed (a double quote, a line end, a NUL or another
// control character) is refused with a message and asked again.
std::string Ask(RunContext& run, const std::string& prompt);

// An input box for a whole line of the log (equation and table lines), read
// back as the line stands: double quotes are kept, control characters refused.
std::string AskLineText(RunContext& run, const std::string& prompt);

// Whether a label read from the log is the label of the question being asked:
// the same letters and digits, whatever the case, accents, blanks and signs.
bool SameLabel(std::string_view recorded, std::string_view asked);

// A replayed record is not the question's: the log does not follow the
// dialogue, and taking its answers would build something else than what was
// answered. Shows "Error de descuadre en fichero Modelo" + the log number and
// ends the run before anything more is read or written.
[[noreturn]] void StopOutOfStep(RunContext& run);

// The end-of-replay check; a log that cannot be reopened for appending is
// reported and ends the program.
void CheckEndOfReplay(RunContext& run);

// Unlogged choice: lower-cased and asked again, saying which answers it
// takes, until it is one of `accepted` ("" accepts the empty answer). A "t"
// is returned like any other letter.
std::string AskUnloggedChoice(RunContext& run, const std::string& prompt, Choices accepted);

// The protocol itself: replays the record (label, answer), or calls `ask`
// (which asks, validates and may end the program) and records (label, answer),
// the answer as text or as a bare number. `replayed`, when given, tells whether
// the answer came from the log.
std::string AskLogged(RunContext& run, std::string_view label, const std::function<std::string()>& ask,
                      NumberRecord record, bool* replayed = nullptr);

// Closes the answers log and ends the program: the modeller's "t".
[[noreturn]] void Terminate(RunContext& run);

// Logged choice: lower-cased and asked again until it is one of `accepted`.
// When "t" is accepted it terminates: the log is closed and the program ends
// without a record.
std::string AskLoggedChoice(RunContext& run, std::string_view label, const std::string& prompt, Choices accepted);

// Logged free text: no validation. `replayed`, when given, tells whether the
// answer came from the log.
std::string AskLoggedText(RunContext& run, std::string_view label, const std::string& prompt, bool* replayed = nullptr);

// Logged free text with its own validation: `refusal` gives what an answer
// lacks (empty when it is accepted); a refused answer is told so and asked again.
std::string AskLoggedChecked(RunContext& run, std::string_view label, const std::string& prompt,
                             const std::function<std::string(const std::string&)>& refusal);

struct NumberAnswer {
  std::string text;  // the answer as typed (or as recorded)
  long value = 0;
  bool replayed = false;  // the answer came from the log
};

// Logged whole number from `low` to `high`; asked again, saying the range,
// while outside (a text that is not a whole number counts as outside). Recorded as typed, or as a
// bare number where the answer is kept as a number.
// When `terminatesAt` is given, typing that number ends the program without a record.
NumberAnswer AskLoggedNumber(RunContext& run, std::string_view label, const std::string& prompt, long low, long high,
                             NumberRecord record = NumberRecord::kAsText,
                             std::optional<long> terminatesAt = std::nullopt);

// A count of an element (dimensions, table points, changes of value) that a
// code in its name may answer in advance.
struct CountQuestion {
  CountQuestion(std::string_view label, std::string prompt, long low, long high)
      : label(label), prompt(std::move(prompt)), low(low), high(high) {}

  std::string_view label;
  std::string prompt;
  long low = 0;
  long high = 0;
  // The code's text: it answers, as if typed, when it is a whole number from low to high.
  std::optional<std::string> code;
  // Told first when the question is asked rather than replayed: a code that could not be read.
  std::string codeFault;
  NumberRecord record = NumberRecord::kAsText;
  // Typing this number ends the program without a record.
  std::optional<long> terminatesAt;
};

// AskLoggedNumber with the code's answer: a replayed answer is taken as the
// log has it, whatever it holds (`replayed` tells the caller to check it).
NumberAnswer AskCount(RunContext& run, const CountQuestion& question);

// Unlogged whole number from `low` to `high`, asked again, saying the range, while outside.
long AskUnloggedNumber(RunContext& run, const std::string& prompt, long low, long high);

// One entry of a series logged one field per line, without label. `ask` asks
// and validates; it returns the answer to record.
std::string AskSeriesEntry(RunContext& run, const std::function<std::string()>& ask);

// A whole line of the log (table points, equation lines, corrected
// statements): replayed as the line stands, recorded as the line itself.
// `ask` asks and validates.
std::string AskLoggedLine(RunContext& run, const std::function<std::string()>& ask);

// Replay of `count` fields of one record; false (and the log switched to
// recording) when the log holds fewer. The caller then asks the question;
// `read`, when given, tells how many fields the log still held.
bool ReplayFields(RunContext& run, size_t count, std::vector<std::string>& fields, size_t* read = nullptr);

// Replay: when the next record holds an element's name alone (its first field
// begins with `id` and a blank), it is read and let go. A specifications file
// used as answers log carries such a record before every element's answers,
// where the dialogue of some elements asks nothing for it. True when one was skipped.
bool SkipReplayedNameRecord(RunContext& run, std::string_view id);

// Writes a record to the log; a write failure is reported and ends the program.
void RecordAnswer(RunContext& run, const std::vector<RecordField>& fields);

// The answer's numeric value as a recorded number is read back: Val, rounded
// half to even, kept within the range of a long.
long NumberValue(const std::string& text);

}  // namespace korva

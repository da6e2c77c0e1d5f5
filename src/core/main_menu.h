#pragma once
// The questions of start-up and of the main menu that open every cycle: the
// banner and the working directory (once per run), the answers log, the menu
// letter, the advice, the model's name and purpose.
#include <optional>
#include <string>
#include <string_view>

#include "core/run_context.h"

namespace korva {

// The activities of the main menu.
enum class Activity {
  kCreate,    // "c"
  kAssemble,  // "e"
  kBlocks,    // "b"
  kAnalogy,   // "a"
};

// Banner, greeting and the working directory, which always gets "/" appended.
void StartUp(RunContext& run);

// Asks the number of the answers log and opens it (replaying when it exists);
// a log that cannot be opened is reported and ends the program.
void OpenAnswerLog(RunContext& run);

// The menu letter through the answers log; "t" ends the program. A replayed
// letter that is none of the four gives nothing: such a cycle goes through the
// model structure and no activity follows.
std::optional<Activity> AskMainChoice(RunContext& run);

void ShowModellingAdvice(RunContext& run);

// The model name: a typed name is used in upper case (the log keeps it as
// typed), a replayed one unchanged.
// The model's name names its files in the working directory: one word, without
// a folder separator or "..". A typed name that is not is asked again; a
// replayed one ends the run with the message.
bool IsModelName(std::string_view name);
std::string AskModelName(RunContext& run);
std::string AskModelPurpose(RunContext& run);
// The analogy path's bound on the lines of a library model's equations file.
int AskMaxGLines(RunContext& run);

// The advice on the model's files; `idLength` is the identifier length of the
// last element list read in this run (0 before any).
void ShowFileAdvice(RunContext& run, const std::string& modelName, int idLength);

// "¿Seguimos?": false when the modeller answers "n".
bool AskToGoOn(RunContext& run);

}  // namespace korva

#include "dispatch/main_dialogue.h"

#include <cstdio>

#include "core/program_end.h"
#include "core/questions.h"
#include "core/staged_files.h"
#include "dispatch/activities.h"

namespace korva {
namespace {

// One cycle: from the answers log to the end of the chosen path.
void Cycle(RunState& run) {
  RunContext& context = run.Context;
  CycleState& cycle = run.Cycle;
  OpenAnswerLog(context);
  cycle.MainChoice = AskMainChoice(context);
  ShowModellingAdvice(context);
  cycle.ModelName = AskModelName(context);
  cycle.ModelPurpose = AskModelPurpose(context);

  if (cycle.MainChoice == Activity::kAnalogy) {
    RunAnalogySearch(run, AskMaxGLines(context));
    return;
  }

  ShowFileAdvice(context, cycle.ModelName, cycle.Model.IdLength);
  if (!AskToGoOn(context)) return;
  if (RunModelStructure(run) == StepOutcome::kEndCycle) return;
  if (AskUnloggedChoice(context, "¿Desea continuar?", {"s", "n", ""}) == "n") return;
  Dispatch(run);
}

}  // namespace

int MainDialogue(RunState& run) {
  EndReason reason = EndReason::kFinished;
  try {
    StartUp(run.Context);
    for (;;) {
      run.StartCycle();
      Cycle(run);
      run.Context.Log.Close();
      if (AskUnloggedChoice(run.Context, "¿Desea algo más?", {"n", "s", ""}) != "s") break;
    }
    Tell(run.Context, "¡Hasta la próxima!");
  } catch (const ProgramEnd& end) {
    reason = end.reason;
  }
  run.Context.Log.Close();
  // Modules left unfinished by a stop go; the versions before them stand.
  DiscardStaged(run.Context);
  if (reason == EndReason::kEndOfInput) {
    std::fputs("korva: la entrada ha terminado sin respuesta; fin del programa.\n", stderr);
  }
  return ExitStatus(reason);
}

}  // namespace korva

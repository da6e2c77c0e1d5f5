#include "blocks/form_blocks.h"

#include <memory>

#include "blocks/forming.h"
#include "blocks/presentation.h"
#include "blocks/subsystem_files.h"
#include "core/guarded_files.h"
#include "core/questions.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// The working state of one blocks activity.
struct BlocksActivity {
  enum class ListingWrite { kRewrite, kAppend };  // the listing file is rewritten ("o") or appended to ("a")
  ListingWrite WriteMode = ListingWrite::kRewrite;
  bool LevelsWritten = false;   // the variables by level head the listing once per activity
  FormingMode Mode = FormingMode::kNatural;
  FormingLimits Limits;
  std::string MaxSubsTyped;  // the maxima as the modeller typed them, for the listing's title
  std::string MaxVarsTyped;
  FormingPass Formed;
};

std::string ListingName(const RunContext& run, const ModelCycle& cycle) {
  return run.WorkDir + cycle.ModelName + "sub.txt";
}

// Whether an old listing file is kept, appended to or set aside under the name <model>sbk.txt.
void ChooseWriteMode(RunContext& run, const ModelCycle& cycle, BlocksActivity& act) {
  const std::string listing = ListingName(run, cycle);
  act.WriteMode = BlocksActivity::ListingWrite::kRewrite;
  if (!run.Files.Exists(listing)) return;
  std::string keep =
      LowerCase(Ask(run, "¿Desea conservar el fichero " + cycle.ModelName + "sub.txt? (S/N/T)"));
  if (keep == "t") Terminate(run);
  if (keep == "n") return;
  if (LowerCase(Ask(run, "¿Puedo escribir a continuación en ‚l")) != "n") {
    act.WriteMode = BlocksActivity::ListingWrite::kAppend;
    return;
  }
  const std::string kept = run.WorkDir + cycle.ModelName + "sbk.txt";
  Tell(run, "Entonces le llamaremos " + cycle.ModelName + "sbk.txt");
  if (run.Files.Exists(kept)) DeleteGuarded(run, kept);
  RenameGuarded(run, listing, kept);
}

// The mode question; false when the modeller chose to end.
bool ChooseMode(RunContext& run, BlocksActivity& act) {
  std::string mode = AskUnloggedChoice(run,
                                       "¿Desea formar los subsistemas jerarquizados" + LF + " elementales (e)," + LF +
                                           " naturales (n) o," + LF + " prefiere fijar su tamaño (t)?" + LF +
                                           " o terminar ()?",
                                       {"e", "n", "t", ""});
  if (mode.empty()) return false;
  act.Mode = mode == "e" ? FormingMode::kElementary : mode == "n" ? FormingMode::kNatural : FormingMode::kSized;
  return true;
}

// The four limit questions. An answer that is not a number counts by the
// number it begins with (0 when none).
void AskLimits(RunContext& run, BlocksActivity& act) {
  act.MaxSubsTyped = Ask(run, " ¿Cuantos subsistemas desea generar como máximo?");
  act.Limits.MaxSubs = NumberValue(act.MaxSubsTyped);
  act.Limits.MinSubs = NumberValue(Ask(run, " Y, ¿Como mínimo?"));
  act.MaxVarsTyped = Ask(run, " ¿Cuantas variables desea en cada subsistema como máximo?");
  act.Limits.MaxVars = NumberValue(act.MaxVarsTyped);
  act.Limits.MinVars = NumberValue(Ask(run, " Y, ¿Como mínimo?"));
}

// Forms the subsystems, lowering the maximum of variables while the minima
// are not met and asking the limits again when they make no sense or allow
// too few subsystems. Every way round either lowers the maximum of variables
// or asks the modeller, so the end of the answers ends it too.
void Form(RunContext& run, BlocksActivity& act, const BlockModel& model) {
  for (;;) {
    if (act.Limits.MaxVars < 1 || act.Limits.MaxSubs < 1) {
      Tell(run, act.Limits.MaxVars < 1 ? "No tiene sentido generar subsistemas de menos de una variable."
                                       : "No tiene sentido generar menos de un subsistema.");
      AskLimits(run, act);
      continue;
    }
    act.Formed = FormSubsystems(model, act.Mode, act.Limits);
    switch (act.Formed.outcome) {
      case FormingOutcome::kFormed:
        return;
      case FormingOutcome::kTooManySubsystems:
        Tell(run, " Sale un número excesivo de subsistemas." + LF + " Debe usted ampliar sus máximos.");
        AskLimits(run, act);
        break;
      case FormingOutcome::kSubsystemTooSmall:
        Tell(run, " Salen subsistemas con un número de variables" + LF +
                      "  inferior al mínimo. Reduzco su máximo y reinicio el proceso.");
        act.Limits.MaxVars = act.Formed.sameDownTo - 1;
        break;
      case FormingOutcome::kTooFewSubsystems:
        Tell(run, " Sale un número de subsistemas inferior al mínimo." + LF +
                      "  Reduzco el número máximo de variables y reinicio el proceso.");
        act.Limits.MaxVars = act.Formed.sameDownTo - 1;
        break;
    }
  }
}

// Listings above this size (bytes) are written only when the modeller says so.
constexpr uint64_t kListingAskAbove = 100'000'000;

std::unique_ptr<OutputFile> OpenListing(RunContext& run, const ModelCycle& cycle, const BlocksActivity& act) {
  const std::string name = ListingName(run, cycle);
  if (!act.LevelsWritten && act.WriteMode == BlocksActivity::ListingWrite::kRewrite) {
    return OpenGuardedOutput(run, name);
  }
  return OpenGuardedAppend(run, name);
}

void Present(RunContext& run, const ModelCycle& cycle, BlocksActivity& act) {
  std::string how = AskUnloggedChoice(run,
                                      "¿Como desea que le presente los subsistemas generados ?" + LF +
                                          "                  en un fichero (f),  (" + cycle.ModelName + "sub.txt)" +
                                          LF + "                  o no lo desea (n)?",
                                      {"f", "n"});
  if (how != "f") return;
  std::string title = FormingTitle(act.Mode, act.Limits, act.MaxSubsTyped, act.MaxVarsTyped);
  // Every subsystem lists every level: a long chain cut small makes a listing
  // that grows with the square of the model. A big one is written only when
  // the modeller wants it, knowing its size.
  const uint64_t bytes = ListingBytes(cycle.Model, cycle.ModelName, !act.LevelsWritten, title, act.Formed.subsystems);
  if (bytes > kListingAskAbove) {
    const std::string size = PlainNum(static_cast<long long>((bytes + 999999) / 1000000));
    if (AskUnloggedChoice(run,
                          "El listado de estos subsistemas ocupara " + size + " MB en " + cycle.ModelName +
                              "sub.txt." + LF + "¿Desea escribirlo? (S/N)",
                          {"s", "n"}) != "s") {
      return;
    }
  }
  std::unique_ptr<OutputFile> out = OpenListing(run, cycle, act);
  if (!act.LevelsWritten) {
    for (const std::string& line : LevelsListing(cycle.Model, cycle.ModelName)) out->WriteLine(line);
    act.LevelsWritten = true;
  }
  WriteSubsystemsListing(*out, cycle.Model, title, act.Formed.subsystems);
  CloseGuarded(run, out);
}

}  // namespace

void FormBlocks(RunContext& run, ModelCycle& cycle) {
  if (!Formable(cycle.Model)) {
    Tell(run, "No puedo formar subsistemas jerarquizados: hay elementos sin nivel de cálculo" + LF +
                  "(en bucles o con dependencias que no estan en la lista)." + LF +
                  "Corrija la matriz de conexiones y vuelva a intentarlo.");
    return;
  }
  const BlockModel model = PrepareBlockModel(cycle.Model);
  BlocksActivity act;
  ChooseWriteMode(run, cycle, act);
  do {
    if (!ChooseMode(run, act)) Terminate(run);
    if (act.Mode == FormingMode::kSized) {
      AskLimits(run, act);
    } else {
      act.Limits = ModeLimits(act.Mode, OtherCount(cycle.Model), cycle.Model.MaxDeps, cycle.Model.ElementCount);
    }
    Form(run, act, model);
    Present(run, cycle, act);
  } while (LowerCase(Ask(run, "¿Desea repetir el proceso?")) == "s");
  DivideIntoSubsystems(run, cycle, act.Formed.subsystems);
}

}  // namespace korva

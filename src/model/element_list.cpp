#include "model/element_list.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "core/file_errors.h"
#include "core/guarded_files.h"
#include "core/log_labels.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "model/identifier_traps.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// Where the list is kept while a typed list is continued: a name that no model
// file can have, so that no file of the model is overwritten or deleted.
std::string ContinuationCopyName(const RunContext& run, const ModelCycle& cycle) {
  return run.WorkDir + "~L" + cycle.ModelName + ".tem";
}

// Position (from 1) of the first blank of a name; one past its end when it has none.
int FirstBlankPosition(std::string_view name) {
  size_t blank = name.find(' ');
  return static_cast<int>(blank == std::string_view::npos ? name.size() : blank) + 1;
}

void SetNames(ModelTables& model, std::vector<std::string> names) {
  SizeElementTables(model, static_cast<int>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) model.ElementList[i + 1] = std::move(names[i]);
}

void ReadListFile(RunContext& run, ModelCycle& cycle) {
  std::unique_ptr<InputFile> in = OpenGuardedInput(run, ModelFile(run, cycle, "L", ".txt"));
  std::vector<std::string> names;
  std::string line;
  while (in->ReadLine(line)) {
    if (!IsBlankLine(line)) names.push_back(line);
  }
  SetNames(cycle.Model, std::move(names));
}

// Starting a typed list again: a list that holds names is not emptied but kept
// under the name BL<model>.txt (replacing an older one), and the modeller is told.
void KeepEarlierList(RunContext& run, const ModelCycle& cycle, const std::string& listName) {
  if (!run.Files.Exists(listName)) return;
  const std::vector<std::string> lines = ReadGuardedLines(run, listName);
  if (std::all_of(lines.begin(), lines.end(), [](const std::string& line) { return IsBlankLine(line); })) return;
  const std::string kept = ModelFile(run, cycle, "BL", ".txt");
  if (run.Files.Exists(kept)) DeleteGuarded(run, kept);
  RenameGuarded(run, listName, kept);
  Tell(run, "La lista anterior queda guardada en BL" + cycle.ModelName + ".txt");
}

void TypeList(RunContext& run, ModelCycle& cycle) {
  std::string how = AskLoggedChoice(run, kLabelListContinueOrRestart,
                                    "¿Desea continuar grabándola (c), empezar de nuevo (e) o terminar (t)?",
                                    {"c", "e", "t"});
  long maximum =
      AskLoggedNumber(run, kLabelMaxElements, "¿Cuantos elementos tendría, como máximo, su sistema?", 2, 30000)
          .value;
  const std::string listName = ModelFile(run, cycle, "L", ".txt");
  const std::string copy = ContinuationCopyName(run, cycle);
  std::vector<std::string> names;
  std::optional<SetAsideCopy> setAside;
  std::unique_ptr<OutputFile> out;
  if (how == "c") {
    // The list written so far is moved aside, read back into the table and
    // written anew; typing goes on after its last element.
    setAside.emplace(run, listName, copy);
    Tell(run, "Esta es la lista que Vd. tiene escrita. Prosiga con ella.");
    std::unique_ptr<InputFile> in = OpenGuardedInput(run, copy);
    out = OpenGuardedOutput(run, listName);
    std::string line;
    while (in->ReadLine(line)) {
      if (IsBlankLine(line)) continue;
      names.push_back(line);
      out->WriteLine(line);
      Tell(run, NumText(static_cast<long long>(names.size())) + line);
    }
  } else {
    KeepEarlierList(run, cycle, listName);
    out = OpenGuardedOutput(run, listName);
  }
  Tell(run, "Proporcióneme la lista de nombres de los elementos.");
  for (long i = static_cast<long>(names.size()) + 1; i <= maximum; ++i) {
    // An empty answer ends the list; it is recorded too, so that a replay
    // ends the series at the same place.
    std::string name = AskSeriesEntry(run, [&] {
      for (;;) {
        std::string answer = Ask(run, "Elemento " + NumText(i));
        if (!answer.empty() && answer[0] >= '1' && answer[0] <= '9') {
          RefuseAnswer(run, answer,
                       "una línea no puede empezar por una cifra; escriba identificador, un blanco y nombre");
          continue;
        }
        const std::string refusal = LanguageNameRefusal(IdentifierOf(answer));
        if (refusal.empty()) return answer;
        RefuseAnswer(run, answer, refusal);
      }
    });
    if (name.empty()) break;
    names.push_back(name);
    out->WriteLine(name);
  }
  CloseGuarded(run, out);
  if (how == "c") DeleteGuarded(run, copy);  // only now that the new list stands whole
  SetNames(cycle.Model, std::move(names));
}

// The earlier elements of the same identifier that a repeated name is warned about.
constexpr size_t kRepeatsNamed = 5;

// The warnings about commas and repeated identifiers, element by element.
void WarnAboutNames(RunContext& run, ModelCycle& cycle) {
  const ModelTables& model = cycle.Model;
  std::unordered_map<std::string_view, std::vector<int>> earlier;
  for (int j = 1; j <= model.ElementCount; ++j) {
    const std::string& name = model.ElementList[j];
    if (name.find(',') != std::string::npos) {
      Tell(run, "La descripcion de la variable (toda la linea)" + NumText(j) + " incluye al menos una coma." + LF +
                    "Utilice Punto-y-coma en su lugar o elimine las comas directamente." + LF +
                    "Si las conserva produciran errores que pueden ser dificiles de detectar.");
    }
    // Each repeated name is warned about the first few earlier ones: a list of
    // thousands of copies of one name would otherwise warn about every pair.
    // An identifier carried by one element only is not kept.
    if (model.Ids.First(model.ElementIds[j]) == model.Ids.Last(model.ElementIds[j])) continue;
    std::vector<int>& same = earlier[model.ElementIds[j]];
    for (int k : same) {
      Tell(run, "Debe cambiar las" + NumText(FirstBlankPosition(name)) + " primeras letras del nombre de la variable" +
                    NumText(j) + name + "pues coinciden con las de otra anterior. ( La" + NumText(k) + " )");
    }
    if (same.size() < kRepeatsNamed) same.push_back(j);
  }
}

void RequireFirstIdentifier(RunContext& run, ModelCycle& cycle) {
  if (!DeriveIdentifiers(cycle.Model)) {
    Tell(run, LF + "Un nombre de elemento no puede empezar por un espacio en blanco" + LF +
                  "ni estar vacio. Revise su lista de elementos.");
    EndProgram(EndReason::kErrorReported);
  }
}

// The identifiers that would break the generated programs refuse the list;
// the other traps are told in one notice, before the matrix is built.
void CheckIdentifierTraps(RunContext& run, const ModelCycle& cycle) {
  const IdentifierTraps traps = FindIdentifierTraps(cycle.Model);
  if (!traps.reserved.empty()) {
    Tell(run, ReservedRefusalText(cycle.Model, traps.reserved));
    EndProgram(EndReason::kErrorReported);
  }
  if (traps.notice()) Tell(run, TrapsNoticeText(cycle.Model, traps));
}

void ShowList(RunContext& run, ModelCycle& cycle) {
  for (int j = 1; j <= cycle.Model.ElementCount; ++j) Tell(run, NumText(j) + " " + cycle.Model.ElementList[j]);
}

void WriteListing(RunContext& run, ModelCycle& cycle) {
  std::unique_ptr<OutputFile> out = OpenGuardedOutput(run, ModelFile(run, cycle, "ln", ".txt"));
  for (int j = 1; j <= cycle.Model.ElementCount; ++j) out->WriteLine(NumText(j) + " " + cycle.Model.ElementList[j]);
  CloseGuarded(run, out);
}

void DeleteElement(ModelTables& model, int index) {
  model.ElementList.erase(model.ElementList.begin() + index);
  model.ElementCount -= 1;
}

void InsertElement(ModelTables& model, int index, std::string name) {
  model.ElementList.insert(model.ElementList.begin() + index, std::move(name));
  model.ElementCount += 1;
}

// The correction loop after the list was shown; true when the list changed.
bool CorrectList(RunContext& run, ModelCycle& cycle) {
  bool corrected = false;
  for (;;) {
    if (AskLoggedChoice(run, kLabelListAllCorrect, "¿Son todos correctos? (S/N/T)", {"s", "n", "t"}) == "s") break;
    long index = AskLoggedNumber(run, kLabelWrongElement,
                                 "Escriba el número del elemento incorrecto o 0 para terminar", 0,
                                 cycle.Model.ElementCount, NumberRecord::kAsNumber, /*terminatesAt=*/0)
                     .value;
    // The replacement keeps the case in which it was typed; s, i and t are
    // recognised in either case.
    std::string answer = AskLogged(
        run, kLabelElementCorrection,
        [&] {
          for (;;) {
            std::string typed = Ask(run,
                                    "Y el nombre correcto. O bien,"
                                    " una s si desea suprimir la línea,"
                                    " una i si desea intercalar otra,"
                                    " o una t para terminar.");
            if (LowerCase(typed) == "t") Terminate(run);
            const std::string refusal = LanguageNameRefusal(IdentifierOf(typed));
            if (refusal.empty()) return typed;
            RefuseAnswer(run, typed, refusal);
          }
        },
        NumberRecord::kAsText);
    std::string choice = LowerCase(answer);
    if (index < 1 || index > cycle.Model.ElementCount) break;  // a replayed number outside the list
    if (choice == "s") {
      DeleteElement(cycle.Model, static_cast<int>(index));
      return true;
    }
    if (choice == "i") {
      InsertElement(cycle.Model, static_cast<int>(index), Ask(run, "Escriba la nueva línea."));
      return true;
    }
    cycle.Model.ElementList[index] = answer;
    corrected = true;
  }
  return corrected;
}

// The view and correction loop; true when any correction was made.
bool ReviewList(RunContext& run, ModelCycle& cycle) {
  bool corrected = false;
  for (;;) {
    std::string view = AskLoggedChoice(run, kLabelListView,
                                       LF + "Compruebe, si lo desea, su lista de elementos." + LF + LF +
                                           "¿Desea ver la lista por pantalla (p), fichero (f), o no la desea ver (n)"
                                           " o, desea terminar (t) ?",
                                       {"p", "f", "n", "t"});
    if (view == "f") WriteListing(run, cycle);
    if (view != "p") return corrected;
    ShowList(run, cycle);
    corrected = CorrectList(run, cycle) || corrected;
    if (AskLoggedChoice(run, kLabelListViewAgain, "¿Desea ver de nuevo la lista? (S/N/T)", {"s", "n", "t", ""}) !=
        "s") {
      return corrected;
    }
  }
}

void RewriteListFile(RunContext& run, ModelCycle& cycle) {
  std::unique_ptr<OutputFile> out = OpenGuardedOutput(run, ModelFile(run, cycle, "L", ".txt"));
  for (int j = 1; j <= cycle.Model.ElementCount; ++j) {
    std::string name = cycle.Model.ElementList[j];
    std::replace(name.begin(), name.end(), ',', ';');
    out->WriteLine(name);
  }
  CloseGuarded(run, out);
}

}  // namespace

bool IsBlankLine(std::string_view line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string_view IdentifierOf(std::string_view name) {
  size_t blank = name.find(' ');
  return blank == std::string_view::npos ? name : name.substr(0, blank);
}

bool DeriveIdentifiers(ModelTables& model) {
  model.ElementIds.assign(static_cast<size_t>(model.ElementCount) + 1, "");
  for (int j = 1; j <= model.ElementCount; ++j) model.ElementIds[j] = std::string(IdentifierOf(model.ElementList[j]));
  model.CalcLevel.assign(static_cast<size_t>(model.ElementCount) + 1, 0);
  model.Ids.Rebuild(model.ElementIds, model.ElementCount);
  if (model.ElementCount < 1) {
    model.IdLength = 0;
    return false;
  }
  size_t blank = model.ElementList[1].find(' ');
  model.IdLength = blank == std::string::npos ? 0 : static_cast<int>(blank);
  return model.IdLength >= 1;
}

StepOutcome ElementListDialogue(RunContext& run, ModelCycle& cycle) {
  std::string saved = AskLoggedChoice(run, kLabelListSaved, "¿Tiene grabada por completo la lista de elementos? (S/N/T)",
                                      {"s", "n", "t"});
  if (saved == "s") {
    ReadListFile(run, cycle);
  } else {
    TypeList(run, cycle);
  }
  RequireFirstIdentifier(run, cycle);
  WarnAboutNames(run, cycle);
  if (ReviewList(run, cycle)) {
    // The corrected list is the model's list: identifiers and file follow it.
    RequireFirstIdentifier(run, cycle);
    RewriteListFile(run, cycle);
  }
  CheckIdentifierTraps(run, cycle);
  if (AskUnloggedChoice(run, "¿Seguimos?", {"s", "n", ""}) == "n") return StepOutcome::kEndCycle;
  return StepOutcome::kGoOn;
}

}  // namespace korva

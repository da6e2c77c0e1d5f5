#include "analogy/analogy_search.h"

#include "analogy/completion.h"
#include "analogy/library_model.h"
#include "analogy/selection.h"
#include "core/file_errors.h"
#include "core/guarded_files.h"
#include "core/log_labels.h"
#include "core/questions.h"
#include "core/step_progress.h"
#include "files/file_error.h"
#include "model/file_ordering.h"
#include "model/identifier_traps.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

std::vector<std::string> AskKeywords(RunContext& run) {
  const long count = AskLoggedNumber(run, kLabelKeywordCount,
                                     "¿Cuantas palabras clave me va a dar para que busque variables" +
                                         std::string("  que contengan al menos una de ellas?"),
                                     1, 32767, NumberRecord::kAsNumber)
                         .value;
  Tell(run, "Introduzca las palabras clave");
  std::vector<std::string> keywords;
  for (long i = 1; i <= count; ++i) {
    // An empty keyword would be found in every name of the library.
    keywords.push_back(AskLoggedChecked(run, kLabelKeyword, "Introduzca la palabra clave " + NumText(i),
                                        [](const std::string& keyword) {
                                          return keyword.empty() ? std::string("escriba una palabra: una vacía "
                                                                               "se encontraría en todos los nombres")
                                                                 : std::string();
                                        }));
  }
  return keywords;
}

// The loop report of the cycle, CEROS.txt: the section of every model with
// loops under its name, the library's in the order examined, then the
// proposed model's (its loops, and the definitions left from later models).
struct LoopReport {
  std::vector<std::string> Lines;

  void AddModel(const std::string& name, const std::vector<std::string>& lines) {
    Lines.push_back("Modelo " + name);
    Lines.insert(Lines.end(), lines.begin(), lines.end());
  }
};

void ShowLoops(RunContext& run, const std::string& name) {
  Tell(run, "Existen bucles en la matriz de conexiones: " + LF + "C" + name + LF +
                " Revise las filas correspondientes a los ceros de la lista" + " que aparece en el fichero CEROS.txt");
}

// The message, and the line of the proposed model's notes, on an identifier
// whose definition was left from a later model.
std::string LeftDefinitionText(const LeftDefinition& left, const std::string& separator) {
  return "El identificador " + left.Id + " está en los modelos " + left.KeptFrom + " y " + left.LeftFrom +
         " con definiciones distintas:" + separator + "se toma la de " + left.KeptFrom + " y se deja la de " +
         left.LeftFrom + ".";
}

// The proposed model's four files, empty.
void CreateEmptyModelFiles(RunContext& run, const ModelCycle& cycle) {
  for (const char* kind : {"L", "C", "G", "M"}) WriteGuardedLines(run, ModelFile(run, cycle, kind, ".txt"), {});
}

// The selected elements of every library model; nothing when the library
// names file cannot be read (its failure has been shown, and the proposed
// model's files are left empty).
std::optional<ProposedModel> SearchLibrary(RunContext& run, const ModelCycle& cycle, const std::string& namesFile,
                                           const std::vector<std::string>& keywords, int maxGLines,
                                           LoopReport& report) {
  FileError error;
  std::unique_ptr<InputFile> names = run.Files.OpenInput(namesFile, error);
  if (names == nullptr) {
    ReportFileError(run, namesFile, error);
    CreateEmptyModelFiles(run, cycle);
    return std::nullopt;
  }
  CreateEmptyModelFiles(run, cycle);
  ProposedModel proposed;
  auto taken = [&proposed](const std::string& id) { return proposed.Has(id); };
  StepProgress progress(run, "modelos de la biblioteca examinados", 0, kLongStepModels);
  long examined = 0;
  std::string text;
  while (names->ReadField(text)) {
    progress.Advance(examined++);
    if (text.find_first_not_of(' ') == std::string::npos) continue;
    std::optional<LibraryEntry> entry = ParseLibraryEntry(text);
    if (!entry) {
      const std::string listFile = run.WorkDir + UpperCase(text) + ".txt";
      ReportFileError(run, listFile, FileError{vberr::kFileNotFound, listFile});
      continue;
    }
    std::optional<LibraryModel> library = LoadLibraryModel(run, *entry, maxGLines);
    if (!library) continue;
    if (library->HasLoops) {
      ShowLoops(run, library->Name);
      report.AddModel(library->Name, LoopReportLines(library->Tables));
    }
    const size_t left = AddSelectedElements(*library, SelectElements(library->Tables, keywords, taken), proposed);
    for (size_t k = proposed.Left.size() - left; k < proposed.Left.size(); ++k) {
      Tell(run, LeftDefinitionText(proposed.Left[k], LF));
    }
  }
  progress.Advance(examined);
  progress.Finish();
  return proposed;
}

// The proposed model's files, completed: the list aligned, the matrix, the
// equations, and the specifications ordered and headed as an answers log that
// builds the model's programs. False when the proposed model has loops.
bool CompleteProposedModel(RunContext& run, ModelCycle& cycle, const ProposedModel& proposed, LoopReport& report) {
  AlignedList aligned = AlignIdentifiers(proposed.List);
  const ImpliedAnswers answers = ImplyAnswers(proposed.Specifications);
  const std::set<std::string> initialValues = InitialValueNames(proposed.Specifications);

  ModelTables& model = cycle.Model;
  const Levelling levelling = FillModelTables(model, aligned.Names, proposed.Matrix);
  model.IdLength = aligned.IdLength;

  WriteGuardedLines(run, ModelFile(run, cycle, "L", ".txt"), aligned.Names);
  WriteGuardedLines(run, ModelFile(run, cycle, "C", ".txt"), proposed.Matrix);
  WriteGuardedLines(run, ModelFile(run, cycle, "G", ".txt"), proposed.Equations);
  std::vector<std::string> notes = levelling.complete ? std::vector<std::string>{} : LoopReportLines(model);
  for (const LeftDefinition& left : proposed.Left) notes.push_back(LeftDefinitionText(left, " "));
  if (!notes.empty()) report.AddModel(cycle.ModelName, notes);
  if (!levelling.complete) ShowLoops(run, cycle.ModelName);

  std::vector<std::string> records = PreparedLogHeader(cycle.ModelName, cycle.ModelPurpose, answers);
  std::vector<std::string> fitted =
      FitToCreateDialogue(OrderSpecificationGroups(proposed.Specifications, 0, model, /*keepUnplaced=*/true), model,
                          answers, initialValues);
  records.insert(records.end(), fitted.begin(), fitted.end());
  WriteGuardedLines(run, ModelFile(run, cycle, "M", ".txt"), records);
  return levelling.complete;
}

// The traps of the proposed model's identifiers (model/identifier_traps.h):
// the language names are refused, each with the library model it comes from;
// the rest are told. False when some identifier is refused.
bool TellIdentifierTraps(RunContext& run, const ModelCycle& cycle, const ProposedModel& proposed) {
  const IdentifierTraps traps = FindIdentifierTraps(cycle.Model);
  if (!traps.reserved.empty()) {
    Tell(run, ReservedRefusalText(cycle.Model, traps.reserved, [&proposed](const std::string& id) {
           auto origin = proposed.Taken.find(id);
           return origin == proposed.Taken.end() ? std::string()
                                                 : " del modelo " + origin->second.Model + " de la biblioteca";
         }));
  }
  if (traps.notice()) Tell(run, TrapsNoticeText(cycle.Model, traps));
  return traps.reserved.empty();
}

void ClosingDialogue(RunContext& run, const ModelCycle& cycle, bool buildable, bool namesAccepted) {
  const std::string& name = cycle.ModelName;
  CheckEndOfReplay(run);
  if (!run.Log.replaying()) {
    Tell(run, "Ahora Vd. tendría que repasar la lista de variables (L" + name + ")," + " la matriz de influencias (C" +
                  name + "), y" + " la lista de ecuaciones/tablas/reglas (G" + name + "), e" +
                  " introducir las modificaciones que considere oportunas.");
    Tell(run,
         "Ponga atención a la unidad de tiempo, que seguramente "
         " no será la misma en todas las ecuaciones y muchas veces"
         " estará implícita.");
  }
  if (!buildable) {
    // The create path stops at a loop: a log prepared now could not build
    // the programs, so none is offered until the loops are mended.
    Tell(run, "El modelo propuesto tiene bucles (vea CEROS.txt): sus programas no se pueden construir" + LF +
                  " hasta que los corrija, así que no le preparo un fichero Modelo*.");
    return;
  }
  if (!namesAccepted) {
    Tell(run, "El modelo propuesto tiene identificadores que son palabras de Visual Basic: sus programas no" + LF +
                  " compilarían hasta que los cambie, así que no le preparo un fichero Modelo*.");
    return;
  }
  if (!run.Log.replaying()) {
    Tell(run,
         "No obstante, si considera que el modelo que le he propuesto"
         " puede ser aceptable sin verlo siquiera, puedo proceder a"
         " construir los programas correspondientes de inmediato.");
    Tell(run, "Si decide hacerlo más adelante, tenga en cuenta que:" + std::string(" el fichero de ecuaciones G") +
                  name + " no esta ordenado, pero" + " el de especificaciones M" + name + " sí que esta ordenado, y" +
                  " Vd. deberá decirlo asi cuando sea preguntado. " + " La matriz de conexiones C" + name +
                  " ya existe." + " No obstante, si usa el fichero de especificaciones M" + name +
                  " como fichero Modelo* no tendrá que preocuparse por ello.");
  }
  std::string prepare = LowerCase(
      AskLoggedText(run, kLabelPrepareLog,
                    "¿Desea que le prepare un fichero Modelo* para" + std::string(" construir los programas?")));
  if (prepare != "s") return;
  long number = 0;
  for (;;) {
    number = AskUnloggedNumber(
        run, "¿En qué fichero Modelo* quiere copiar M" + name + "?" + LF + "  (* = número entero)", 0, 9);
    if (number != run.LogNumber) break;
    // The answers of this cycle are kept in that file: it is not overwritten.
    Tell(run,
         "El fichero Modelo" + PlainNum(number) + ".txt guarda las respuestas de esta búsqueda. Elija otro número.");
  }
  WriteGuardedLines(run, run.WorkDir + "Modelo" + PlainNum(number) + ".txt",
                    ReadGuardedLines(run, ModelFile(run, cycle, "M", ".txt")));
}

}  // namespace

void AnalogySearch(RunContext& run, ModelCycle& cycle, int maxGLines) {
  cycle.Model.MaxLevelWidth = 0;
  std::vector<std::string> keywords = AskKeywords(run);
  const std::string library =
      AskLoggedText(run, kLabelLibraryNames,
                    "¿Como se llama el fichero de nombres de los modelos" + LF + "  de la biblioteca a usar?");
  Tell(run, "Este fichero debe incluir los nombres de los ficheros que contienen" +
                std::string(" las listas de variables, es decir los ficheros LNombre.") + LF +
                " Los ficheros CNombre, GNombre y MNombre, deberán estar en la misma dirección." + LF +
                " Los nombres no incluirán el apellido .txt, pues este se presume.");
  LoopReport report;
  std::optional<ProposedModel> proposed =
      SearchLibrary(run, cycle, run.WorkDir + library + ".txt", keywords, maxGLines, report);
  bool buildable = false;
  bool namesAccepted = true;
  if (proposed && !proposed->List.empty()) {
    buildable = CompleteProposedModel(run, cycle, *proposed, report);
    namesAccepted = TellIdentifierTraps(run, cycle, *proposed);
  }
  if (!report.Lines.empty()) WriteGuardedLines(run, run.WorkDir + "CEROS.txt", report.Lines);
  if (!proposed) return;
  if (proposed->List.empty()) {
    // Nothing to propose: the model's files stay empty and no log is prepared.
    Tell(run, "Ninguna variable de la biblioteca contiene las palabras clave dadas:" + LF +
                  " no puedo proponerle ningún modelo.");
    return;
  }
  ClosingDialogue(run, cycle, buildable, namesAccepted);
}

}  // namespace korva

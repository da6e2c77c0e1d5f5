#include "model/connection_matrix.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "core/file_errors.h"
#include "core/log_labels.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "core/step_progress.h"
#include "files/print_line.h"
#include "model/matrix_derivation.h"
#include "core/guarded_files.h"
#include "text/vb_text.h"

namespace korva {
namespace {

void ReadMatrixFile(RunContext& run, ModelCycle& cycle) {
  ReadMatrixLines(cycle.Model, ReadGuardedLines(run, ModelFile(run, cycle, "C", ".txt")));
}

// The matrix derived from the equations file is written to the matrix file
// and taken as the model's matrix, as a matrix file written by the modeller.
void ReadEquationsFile(RunContext& run, ModelCycle& cycle) {
  const std::string gName = ModelFile(run, cycle, "G", ".txt");
  std::vector<std::string> lines = ReadGuardedLines(run, gName);
  StepProgress progress(run, "matriz desde las ecuaciones, elementos", cycle.Model.ElementCount, kLongStepElements);
  MatrixDerivation derived = DeriveMatrix(lines, cycle.Model, [&](const std::string& id) -> std::optional<std::string> {
    for (;;) {
      std::string answer = Ask(run, "El identificador: " + id + " no es correcto." + LF +
                                        "Introduzca el identificador correcto o, nada para terminar.");
      if (answer.empty()) return std::nullopt;
      if (cycle.Model.Ids.First(answer) != 0) return answer;
      RefuseAnswer(run, answer, "no es el identificador de ningún elemento de la lista; escriba uno que lo sea");
    }
  });
  if (derived.abandoned) {
    run.Log.Close();
    EndProgram(EndReason::kErrorReported);
  }
  if (derived.badLine != 0) {
    Tell(run, "Error: revise la linea" + NumText(derived.badLine) + " del fichero " + gName + LF +
                  "Recuerde que no puede incluir tabuladores ni estar en blanco.");
    EndProgram(EndReason::kErrorReported);
  }
  progress.Finish();
  WriteGuardedLines(run, ModelFile(run, cycle, "C", ".txt"), derived.rows);
  ReadMatrixLines(cycle.Model, derived.rows);
}

void TypeMatrix(RunContext& run, ModelCycle& cycle) {
  const int n = cycle.Model.ElementCount;
  long maxDeps = AskLoggedNumber(run, kLabelMaxDependencies,
                                 "¿De cuantos elementos dependería, como máximo, un elemento? (0 para terminar)", 0,
                                 std::max(n - 1, 0), NumberRecord::kAsText, /*terminatesAt=*/0)
                     .value;
  std::string how = AskLoggedChoice(run, kLabelMatrixContinueOrRestart,
                                    "¿Desea continuar grabándola (c), empezar de nuevo (e) o terminar (t)?",
                                    {"c", "e", "t"});
  const std::string cName = ModelFile(run, cycle, "C", ".txt");
  const std::string copy = ModelFile(run, cycle, "N", ".txt");
  std::vector<std::string> rows;
  std::optional<SetAsideCopy> setAside;
  if (how == "c") {
    setAside.emplace(run, cName, copy);
    Tell(run, "Esta es la parte de la matriz que tiene grabada. Prosiga con ella.");
    for (std::string& line : ReadGuardedLines(run, copy)) {
      if (line.empty()) continue;
      Tell(run, line);
      rows.push_back(std::move(line));
    }
  }
  // The rows copied and those typed go to the matrix file; the old matrix is
  // let go only once the new one stands whole.
  std::unique_ptr<OutputFile> out = OpenGuardedOutput(run, cName);
  for (const std::string& row : rows) out->WriteLine(row);
  Tell(run, "Establezca las relaciones causales directas entre los elementos." + LF +
                "Escriba los identificadores de los elementos que influyen sobre" + " los que le ire dando.");
  for (int i = static_cast<int>(rows.size()) + 1; i <= n; ++i) {
    Tell(run, "¿Quien influye sobre " + cycle.Model.ElementList[i] + "?");
    std::string line = cycle.Model.ElementIds[i] + "   ";
    for (long k = 1; k <= maxDeps; ++k) {
      std::string entry = AskSeriesEntry(run, [&] {
        for (;;) {
          std::string answer = Ask(run, "Elemento " + NumText(k));
          if (static_cast<int>(answer.size()) <= cycle.Model.IdLength) return answer;
          RefuseAnswer(run, answer,
                       "tiene más de " + PlainNum(cycle.Model.IdLength) +
                           " caracteres; escriba el identificador de un elemento, o nada para acabar la fila");
        }
      });
      line += (k > 1 ? "," : "") + entry;
    }
    out->WriteLine(line);
    rows.push_back(line);
  }
  CloseGuarded(run, out);
  if (how == "c") DeleteGuarded(run, copy);
  ReadMatrixLines(cycle.Model, rows);
}

void WriteMatrixListing(RunContext& run, ModelCycle& cycle) {
  // Line by line: a listing can be far larger than the model it lists.
  std::unique_ptr<OutputFile> out = OpenGuardedOutput(run, ModelFile(run, cycle, "cn", ".txt"));
  for (int i = 1; i <= cycle.Model.ElementCount && out->ok(); ++i) {
    WriteMatrixListingLine(cycle.Model, i, [&](std::string_view piece) { out->Write(piece); });
    out->Write("\r\n");
  }
  CloseGuarded(run, out);
}

void ShowMatrix(RunContext& run, ModelCycle& cycle) {
  const ModelTables& model = cycle.Model;
  for (int i = 1; i <= model.ElementCount; ++i) {
    std::string text = "Sobre el elemento " + model.ElementIds[i] + " influyen los elementos: ";
    const std::vector<std::string>& row = model.ConnectionMatrix[i];
    for (const std::string& entry : row) text += entry + ", ";
    // Every column is shown, the free places after the row's last influence too.
    for (size_t k = row.size(); k < static_cast<size_t>(model.MaxDeps); ++k) text += ", ";
    Tell(run, text);
    AskLoggedChoice(run, std::string(kLabelMatrixRowCorrect) + NumText(i), "¿Es toda correcta? (S/N/T)", {"s", "n", "t"});
  }
}

}  // namespace

void ReadMatrixLines(ModelTables& model, const std::vector<std::string>& lines) {
  int maxDeps = 0;
  for (const std::string& line : lines) {
    maxDeps = std::max(maxDeps, static_cast<int>(std::count(line.begin(), line.end(), ',')) + 1);
  }
  model.ConnectionMatrix.assign(static_cast<size_t>(model.ElementCount) + 1, {});
  std::vector<bool> seen(static_cast<size_t>(model.ElementCount) + 1, false);
  for (const std::string& line : lines) {
    size_t firstBlank = line.find(' ');
    if (firstBlank == std::string::npos) continue;  // no identifier and list to tell apart
    int i = model.Ids.First(std::string_view(line).substr(0, firstBlank));
    if (i == 0) continue;
    std::vector<std::string>& row = model.ConnectionMatrix[i];
    const std::string_view list = std::string_view(line).substr(line.find_last_of(' ') + 1);
    // A second line for the same element adds what the first did not hold.
    std::unordered_set<std::string_view> held;
    if (seen[i]) held.insert(row.begin(), row.end());
    std::vector<std::string> added;
    size_t start = 0;
    for (;;) {
      size_t comma = list.find(',', start);
      std::string_view entry = list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
      if (!seen[i]) {
        row.emplace_back(entry);
      } else if (!entry.empty() && held.insert(entry).second) {
        added.emplace_back(entry);
      }
      if (comma == std::string_view::npos) break;
      start = comma + 1;
    }
    for (std::string& entry : added) row.push_back(std::move(entry));
    // Free places after the last influence are not kept: a row holds what it
    // says, however many columns the widest row has.
    while (!row.empty() && row.back().empty()) row.pop_back();
    seen[i] = true;
  }
  for (int i = 1; i <= model.ElementCount; ++i) maxDeps = std::max(maxDeps, static_cast<int>(model.ConnectionMatrix[i].size()));
  model.MaxDeps = maxDeps;
}

// The widest column a listing tabs to: the range of the column numbers of the
// listing's Print statements.
constexpr long long kWidestListingColumn = 32767;

void WriteMatrixListingLine(const ModelTables& model, int i, const std::function<void(std::string_view)>& write) {
  const std::string head = NumText(i) + " " + model.ElementIds[i];
  write(head);
  // Columns in 64 bits: a long identifier times many influences passes the range of an int.
  const long long width = model.IdLength;
  long long column = static_cast<long long>(head.size()) + 1;
  static const std::string kBlanks(4096, ' ');
  const std::vector<std::string>& row = model.ConnectionMatrix[i];
  for (size_t k = 0; k < row.size(); ++k) {
    long long target = k == 0 ? width + 8 : (width + 1) * static_cast<long long>(k) + width + 9;
    if (target > kWidestListingColumn) {
      // Past the widest column a listing line can tab to, influences follow one blank apart.
      target = std::max(column + 1, kWidestListingColumn);
    } else if (column > target) {  // Tab to a column already passed starts a new line
      write("\r\n");
      column = 1;
    }
    for (long long blanks = target - column; blanks > 0;) {
      long long piece = std::min<long long>(blanks, static_cast<long long>(kBlanks.size()));
      write(std::string_view(kBlanks).substr(0, static_cast<size_t>(piece)));
      blanks -= piece;
    }
    column = target;
    write(row[k]);
    column += static_cast<long long>(row[k].size());
  }
}

std::string MatrixListingLine(const ModelTables& model, int i) {
  std::string line;
  WriteMatrixListingLine(model, i, [&](std::string_view piece) { line += piece; });
  return line;
}

void ReviewMatrix(RunContext& run, ModelCycle& cycle) {
  for (;;) {
    std::string view = AskLoggedChoice(
        run, kLabelMatrixView,
        "¿Desea comprobar su matriz causal por pantalla (p), por fichero (f), o no lo desea (n)? y (t) para terminar.",
        {"p", "f", "n", "t"});
    if (view == "f") WriteMatrixListing(run, cycle);
    if (view == "p") ShowMatrix(run, cycle);
    if (view != "f" && view != "p") return;
    if (AskLoggedChoice(run, kLabelMatrixViewAgain, "¿Desea comprobar de nuevo la matriz? (S/N/T)",
                        {"s", "n", "t"}) != "s") {
      return;
    }
  }
}

StepOutcome ConnectionMatrixDialogue(RunContext& run, ModelCycle& cycle, const StructurePath& path) {
  bool derived = false;
  cycle.MatrixFromEquations = false;
  if (path.OffersEquationsFile) {
    std::string fromEquations = AskLoggedChoice(run, kLabelMatrixFromEquations,
                                      "¿Tiene las funciones escritas y correctas en el fichero G" + cycle.ModelName +
                                          ".txt" + LF + "  y la matriz de dependencias sin grabar? (S/N/T)",
                                      {"s", "n", "t"});
    cycle.MatrixFromEquations = fromEquations == "s";
    if (cycle.MatrixFromEquations) {
      ReadEquationsFile(run, cycle);
      derived = true;
    }
  }
  if (!derived) {
    std::string saved = AskLoggedChoice(run, kLabelMatrixSaved, "¿Tiene grabada por completo la matriz de conexiones? (S/N/T)",
                                        {"s", "n", "t"});
    if (saved == "s") {
      ReadMatrixFile(run, cycle);
    } else {
      TypeMatrix(run, cycle);
    }
  }
  ReviewMatrix(run, cycle);
  if (AskUnloggedChoice(run, "¿Desea continuar?", {"s", "n", ""}) == "n") return StepOutcome::kEndCycle;
  return StepOutcome::kGoOn;
}

}  // namespace korva

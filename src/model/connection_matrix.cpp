#include "model/connection_matrix.h"

#include <algorithm>

#include "core/file_errors.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "files/print_line.h"
#include "model/matrix_derivation.h"
#include "core/guarded_files.h"
#include "text/vb_text.h"

namespace korva {
namespace {

const std::string LF = "\n";

void ReadMatrixFile(RunState& run) {
  ReadMatrixLines(run.Model, ReadGuardedLines(run, ModelFile(run, "C", ".txt")));
}

// The matrix derived from the equations file is written to the matrix file,
// which is then read as a matrix file written by the modeller.
void ReadEquationsFile(RunState& run) {
  const std::string gName = ModelFile(run, "G", ".txt");
  std::vector<std::string> lines = ReadGuardedLines(run, gName);
  MatrixDerivation derived = DeriveMatrix(lines, run.Model, [&](const std::string& id) -> std::optional<std::string> {
    for (;;) {
      std::string answer = Ask(run, "El identificador: " + id + " no es correcto." + LF +
                                        "Introduzca el identificador correcto o, nada para terminar.");
      if (answer.empty()) return std::nullopt;
      if (run.Model.Ids.First(answer) != 0) return answer;
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
  WriteGuardedLines(run, ModelFile(run, "C", ".txt"), derived.rows);
  ReadMatrixFile(run);
}

void TypeMatrix(RunState& run) {
  const int n = run.Model.ElementCount;
  long maxDeps = AskLoggedNumber(run, "Máximo de dependencias",
                                 "¿De cuantos elementos dependería, como máximo, un elemento? (0 para terminar)", 0,
                                 std::max(n - 1, 0), NumberRecord::kAsText, /*terminatesAt=*/0)
                     .value;
  std::string how = AskLoggedChoice(run, "Continuar o empezar",
                                    "¿Desea continuar grabándola (c), empezar de nuevo (e) o terminar (t)?",
                                    {"c", "e", "t"});
  const std::string cName = ModelFile(run, "C", ".txt");
  const std::string copy = ModelFile(run, "N", ".txt");
  std::vector<std::string> rows;
  if (how == "c") {
    FileError error;
    if (run.Files.Exists(copy)) run.Files.Delete(copy, error);  // left by a run that ended midway
    RenameGuarded(run, cName, copy);
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
    Tell(run, "¿Quien influye sobre " + run.Model.ElementList[i] + "?");
    std::string line = run.Model.ElementIds[i] + "   ";
    for (long k = 1; k <= maxDeps; ++k) {
      std::string entry = AskSeriesEntry(run, [&] {
        for (;;) {
          std::string answer = Ask(run, "Elemento " + NumText(k));
          if (static_cast<int>(answer.size()) <= run.Model.IdLength) return answer;
        }
      });
      line += (k > 1 ? "," : "") + entry;
    }
    out->WriteLine(line);
    rows.push_back(line);
  }
  CloseGuarded(run, out);
  if (how == "c") DeleteGuarded(run, copy);
  ReadMatrixLines(run.Model, rows);
}

void WriteMatrixListing(RunState& run) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(run.Model.ElementCount));
  for (int i = 1; i <= run.Model.ElementCount; ++i) lines.push_back(MatrixListingLine(run.Model, i));
  WriteGuardedLines(run, ModelFile(run, "cn", ".txt"), lines);
}

void ShowMatrix(RunState& run) {
  for (int i = 1; i <= run.Model.ElementCount; ++i) {
    std::string text = "Sobre el elemento " + run.Model.ElementIds[i] + " influyen los elementos: ";
    for (const std::string& entry : run.Model.ConnectionMatrix[i]) text += entry + ", ";
    Tell(run, text);
    AskLoggedChoice(run, "Toda correcta:" + NumText(i), "¿Es toda correcta? (S/N/T)", {"s", "n", "t"});
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
    std::string list = line.substr(line.find_last_of(' ') + 1);
    size_t start = 0;
    for (;;) {
      size_t comma = list.find(',', start);
      std::string entry = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      // A second line for the same element adds what the first did not hold.
      if (!seen[i] || (!entry.empty() && std::find(row.begin(), row.end(), entry) == row.end())) {
        row.push_back(std::move(entry));
      }
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    seen[i] = true;
  }
  for (int i = 1; i <= model.ElementCount; ++i) maxDeps = std::max(maxDeps, static_cast<int>(model.ConnectionMatrix[i].size()));
  for (int i = 1; i <= model.ElementCount; ++i) model.ConnectionMatrix[i].resize(static_cast<size_t>(maxDeps));
  model.MaxDeps = maxDeps;
}

std::string MatrixListingLine(const ModelTables& model, int i) {
  PrintLine line;
  line.Text(NumText(i)).Text(" ").Text(model.ElementIds[i]);
  const int width = model.IdLength;
  const std::vector<std::string>& row = model.ConnectionMatrix[i];
  for (size_t k = 0; k < row.size(); ++k) {
    int column = k == 0 ? width + 8 : (width + 1) * static_cast<int>(k) + width + 9;
    line.Tab(column).Text(row[k]);
  }
  return line.str();
}

void ReviewMatrix(RunState& run) {
  for (;;) {
    std::string view = AskLoggedChoice(
        run, "Ver la matriz por Pantalla, Fichero, o No ver",
        "¿Desea comprobar su matriz causal por pantalla (p), por fichero (f), o no lo desea (n)? y (t) para terminar.",
        {"p", "f", "n", "t"});
    if (view == "f") WriteMatrixListing(run);
    if (view == "p") ShowMatrix(run);
    if (view != "f" && view != "p") return;
    if (AskLoggedChoice(run, "Comprobar otra vez la matriz", "¿Desea comprobar de nuevo la matriz? (S/N/T)",
                        {"s", "n", "t"}) != "s") {
      return;
    }
  }
}

StepOutcome ConnectionMatrixDialogue(RunState& run) {
  bool derived = false;
  run.GFileChoice.clear();
  if (run.MainChoice != "e") {
    run.GFileChoice = AskLoggedChoice(run, "Fichero G si y fichero C no",
                                      "¿Tiene las funciones escritas y correctas en el fichero G" + run.ModelName +
                                          ".txt" + LF + "  y la matriz de dependencias sin grabar? (S/N/T)",
                                      {"s", "n", "t"});
    if (run.GFileChoice == "s") {
      ReadEquationsFile(run);
      derived = true;
    }
  }
  if (!derived) {
    std::string saved = AskLoggedChoice(run, "Matriz completa", "¿Tiene grabada por completo la matriz de conexiones? (S/N/T)",
                                        {"s", "n", "t"});
    if (saved == "s") {
      ReadMatrixFile(run);
    } else {
      TypeMatrix(run);
    }
  }
  ReviewMatrix(run);
  if (AskUnloggedChoice(run, "¿Desea continuar?", {"s", "n", ""}) == "n") return StepOutcome::kEndCycle;
  return StepOutcome::kGoOn;
}

}  // namespace korva

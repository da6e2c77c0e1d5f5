#include "variables/function_source.h"

#include "core/guarded_files.h"
#include "core/log_labels.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "text/cp1252.h"
#include "text/vb_text.h"
#include "variables/table_lookup.h"

namespace korva {
namespace {

bool BeginsWithBlank(const std::string& line) { return !line.empty() && line[0] == ' '; }

std::string LeftTrimmed(const std::string& line) {
  size_t start = line.find_first_not_of(' ');
  return start == std::string::npos ? "" : line.substr(start);
}

// The table's first function line: the lower-cased header, which the
// numbering makes a comment.
std::string TableHeaderLine(const ElementSpec& element) { return LowerCase(element.FunctionHeader); }

[[noreturn]] void CannotGoOn(RunContext& run, const std::string& message) {
  Tell(run, message);
  EndProgram(EndReason::kErrorReported);
}

void MarkLiteral(FunctionText& function) {
  for (size_t k = 1; k < function.TableData.size(); ++k) function.Literal |= IsLiteralPoint(function.TableData[k]);
}

FunctionText RecordedFunction(RunContext& run, const ModelCycle& cycle, const SpecificationState& state,
                              const ElementSpec& element, int maxLines) {
  const std::string path = ModelFile(run, cycle, "F", ".txt");
  if (state.NextBlock >= state.EquationBlocks.size()) {
    CannotGoOn(run, "El fichero " + path + " no tiene la función de " + element.FullName + LF +
                        "     Tiene menos funciones que variables calculadas el modelo.");
  }
  const std::vector<std::string>& block = state.EquationBlocks[state.NextBlock];
  FunctionText function;
  if (element.IsTable) {
    function.Lines.push_back(TableHeaderLine(element));
    for (const std::string& line : block) function.TableData.push_back(LeftTrimmed(line));
    const long points = static_cast<long>(function.TableData.size()) - 1;
    if (points < element.TablePoints) {
      CannotGoOn(run, "La tabla de " + element.FullName + " tiene" + NumText(points) + " puntos en el fichero " + path +
                          " y no" + NumText(element.TablePoints) + ".");
    }
    MarkLiteral(function);
    return function;
  }
  if (static_cast<long>(block.size()) > maxLines) {
    CannotGoOn(run, "La función de " + element.FullName + " en el fichero " + path + " tiene más de" +
                        NumText(maxLines) + " líneas.");
  }
  function.Lines = block;
  function.Lines[0] = " " + function.Lines[0];
  return function;
}

FunctionText TypedTable(RunContext& run, const ElementSpec& element) {
  FunctionText function;
  function.Lines.push_back(TableHeaderLine(element));
  function.TableData.push_back(
      AskLoggedLine(run, [&] { return AskLineText(run, "Introduzca la linea de cabecera de la tabla."); }));
  std::string variables;
  for (const std::string& argument : element.Arguments) variables += argument + ", ";
  variables += element.Id;
  for (int j = 1; j <= element.TablePoints; ++j) {
    for (;;) {
      std::string point = AskLoggedLine(run, [&] {
        return AskLineText(run, "Introduzca los valores de las variables " + variables + " del punto" + NumText(j) +
                            " separados por comas." + " Y si son literales ademas entre comillas.");
      });
      std::string answer = AskLoggedChoice(run, kLabelCorrect, point + " ¿Es correcto? (S/N/T)", {"s", "n", "t"});
      if (answer == "n") continue;
      function.TableData.push_back(point);
      break;
    }
  }
  MarkLiteral(function);
  return function;
}

FunctionText TypedFunction(RunContext& run, const ElementSpec& element, int maxLines) {
  const long count = AskLoggedNumber(run, kLabelFunctionLineCount,
                                     "¿Cuantas líneas tiene la función" + LF + element.FunctionHeader, 1, maxLines,
                                     NumberRecord::kAsNumber)
                         .value;
  FunctionText function;
  for (long k = 1; k <= count; ++k) {
    function.Lines.push_back(
        AskLoggedLine(run, [&] { return AskLineText(run, "Línea" + NumText(k) + " de" + LF + element.FunctionHeader); }));
  }
  if (AskLoggedChoice(run, kLabelCorrectEquation, "¿Desea corregir la ecuación? (S/N/T)", {"s", "n", "t"}) ==
      "s") {
    for (long k = 1; k <= count; ++k) {
      function.Lines[static_cast<size_t>(k - 1)] =
          AskLoggedLine(run, [&] { return AskLineText(run, "Escriba la ecuación correcta. Línea " + NumText(k)); });
    }
  }
  return function;
}

}  // namespace

std::vector<std::vector<std::string>> SplitEquationBlocks(const std::vector<std::string>& lines) {
  std::vector<std::vector<std::string>> blocks;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    if (blocks.empty() || !BeginsWithBlank(line)) blocks.emplace_back();
    blocks.back().push_back(line);
  }
  return blocks;
}

FunctionText ObtainFunction(RunContext& run, const ModelCycle& cycle, const SpecificationState& state,
                            const ElementSpec& element, int maxLines) {
  if (element.HasUncertainty && !run.Log.replaying()) {
    Tell(run, "Si la función lleva incertidumbre escriba dos sentencias, una que sea" + LF +
                  " h=a+b1*f1(x1)+b2*f2(x2)+...; donde h es h, y lo demas el formato" + LF +
                  "   de la funcion. La otra sentencia debera ser:" + LF +
                  " s=S*sqr(1+1/n+c11*(f1(x1)-f1(x1)m)^2+c22*(f2(x2)-f2(x2)m)^2+2c12...)" + LF +
                  "   donde s es s, y lo demas el formato del error standard de estimacion." + LF +
                  " Si la variable es dimensional utilice variables intermedias." + LF +
                  "   En este caso, declare como con incertidumbre solo las intermedias." + LF +
                  " Si trabaja con funciones sin constante tenga en cuenta que desaparecen:" + LF +
                  "   la a de h; el termino 1/n de s; y los terminos f1(x1)m, f2(x2)m, etc.");
  }
  FunctionText function;
  if (state.FunctionsRecorded) {
    function = RecordedFunction(run, cycle, state, element, maxLines);
  } else if (element.IsTable) {
    function = TypedTable(run, element);
  } else {
    function = TypedFunction(run, element, maxLines);
  }
  if (element.IsTable) WriteGuardedLines(run, run.WorkDir + element.Id, function.TableData);
  return function;
}

std::vector<std::string> EquationBlockOf(const ElementSpec& element, const FunctionText& function) {
  const std::vector<std::string>& lines = element.IsTable ? function.TableData : function.Lines;
  std::vector<std::string> block;
  block.reserve(lines.size());
  for (const std::string& line : lines) {
    if (block.empty()) {
      // A first line that would not open a block is given one that does.
      std::string first = LeftTrimmed(line);
      if (first.empty()) first = element.IsTable ? TableHeaderLine(element) : "'";
      block.push_back(first);
    } else {
      block.push_back(BeginsWithBlank(line) ? line : " " + line);
    }
  }
  return block;
}

}  // namespace korva

#include "variables/specification_dialogue.h"

#include <optional>

#include "core/log_labels.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "simgen/bracket_codes.h"
#include "simgen/coded_questions.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

constexpr long kMaxDimensions = 32000;
constexpr long kMaxTablePoints = 32767;

// The log does not follow the dialogue: the run cannot go on.
[[noreturn]] void OutOfStep(RunContext& run, const std::string& message) {
  Tell(run, message);
  EndProgram(EndReason::kErrorReported);
}

std::string DecouplingMessage(const RunContext& run) {
  return "¡Posible error de desacople en el fichero MODELO" + PlainNum(run.LogNumber) + "!";
}

// The codes of one element's name.
struct ElementCodes {
  std::string_view name;
  int idLength = 0;
  bool any = false;  // the name has a "[" after its identifier

  std::optional<std::string> Fixed(std::string_view code, size_t width) const {
    return any ? FixedCode(name, idLength, code, width) : std::nullopt;
  }
  DelimitedCode ToSemicolon(std::string_view code) const {
    return any ? CodeToSemicolon(name, idLength, code) : DelimitedCode{};
  }
};

// The uncertainty question and its two records: the element's name alone, then
// the function record: its label, the header, the uncertainty label and the answer.
bool AskUncertainty(RunContext& run, const SimulationState& sim, const ElementSpec& element,
                    const ElementCodes& codes) {
  CheckEndOfReplay(run);
  // A run stopped between the group's two records left the name alone at the
  // end of the log: the group goes on from there, without a second name.
  bool nameRecorded = false;
  if (run.Log.replaying()) {
    std::vector<std::string> fields;
    size_t read = 0;
    const bool whole = ReplayFields(run, 5, fields, &read);
    nameRecorded = read >= 1;
    if (whole) {
      if (!SameLabel(fields[1], kLabelFunction) || !SameLabel(fields[3], kLabelFunctionUncertain)) {
        StopOutOfStep(run);
      }
      const bool uncertain = fields[4] == "s";
      if (uncertain && !sim.WithUncertainty()) {
        OutOfStep(run, "Este modelo no considera incertidumbre: ninguna función puede llevarla." + LF +
                           DecouplingMessage(run));
      }
      return uncertain;
    }
  }
  std::optional<std::string> code = codes.Fixed("ince=", 1);
  std::string answer;
  for (;;) {
    answer = code ? *code : LowerCase(Ask(run, "¿La función " + element.FunctionHeader + " lleva incertidumbre?"));
    // A simulator without repetitions cannot draw the value of a function.
    if (answer != "s" || sim.WithUncertainty()) break;
    Tell(run, "Este modelo no considera incertidumbre: ninguna función puede llevarla." + LF +
                  "Si la necesita, conteste a o t a la pregunta de incertidumbre en las variables de entrada.");
    code.reset();
  }
  if (!nameRecorded) RecordAnswer(run, {RecordField::Text(element.FullName)});
  RecordAnswer(run, {RecordField::Text(std::string(kLabelFunction)), RecordField::Text(element.FunctionHeader),
                     RecordField::Text(std::string(kLabelFunctionUncertain)), RecordField::Text(answer)});
  return answer == "s";
}

}  // namespace

bool AskFunctionsRecorded(RunContext& run) {
  return AskLoggedChoice(run, kLabelFunctionsRecorded, "¿Tiene todas las funciones grabadas y correctas? (S/N/T)",
                         {"s", "n", "t"}) == "s";
}

ElementSpec SpecifyElement(RunContext& run, const ModelCycle& cycle, const SimulationState& sim, bool codesTrusted,
                           int index) {
  const ModelTables& model = cycle.Model;
  ElementSpec element;
  element.Element = index;
  element.Id = model.ElementIds[index];
  element.FullName = model.ElementList[index];
  for (const std::string& argument : model.ConnectionMatrix[index]) {
    if (!argument.empty()) element.Arguments.push_back(argument);
  }
  element.FunctionHeader = FunctionHeaderOf(element.Id, element.Arguments);
  const ElementCodes codes{element.FullName, model.IdLength, !CodeSection(element.FullName, model.IdLength).empty()};

  element.HasUncertainty = AskUncertainty(run, sim, element, codes);

  if (sim.DynamicChoice != "n") {
    bool replayed = false;
    std::string state =
        AskCodedYesNo(run, kLabelState, "¿La variable " + element.FullName + " es de estado?" + "(S/N/T)",
                      codes.Fixed("esta=", 1), &replayed);
    if (replayed && state != "s" && state != "n") OutOfStep(run, DecouplingMessage(run));
    element.IsState = state == "s";
  }
  if (element.IsState) {
    const size_t width = static_cast<size_t>(model.IdLength);
    element.InitialValueName =
        AskCodedText(run, kLabelInitialValue, "¿Como se llama su valor inicial?", codes.Fixed("inic=", width),
                     [width](const std::string& answer) { return answer.size() == width; },
                     "su valor inicial es un elemento de la lista, con un identificador de " + PlainNum(model.IdLength) +
                         " caracteres como todos");
  }

  // "ndim=": one digit, both whether the element is an array and how many subscripts it has.
  std::optional<std::string> dimensionCode = codes.Fixed("ndim=", 1);
  std::optional<std::string> dimensionCount;
  std::optional<std::string> dimensionalCode;
  if (dimensionCode) {
    long digit = static_cast<long>(Val(*dimensionCode));
    dimensionalCode = digit != 0 ? "s" : "n";
    if (digit != 0) dimensionCount = PlainNum(digit);
  }
  element.IsDimensional =
      AskCodedYesNo(run, kLabelDimensional, "¿La variable " + element.Id + " es dimensional?" + "(S/N/T)",
                    dimensionalCode) == "s";
  if (element.IsDimensional) {
    CountQuestion dimensions(kLabelDimensionCount, "¿Cuantas dimensiones tiene?", 1, kMaxDimensions);
    dimensions.code = dimensionCount;
    dimensions.record = NumberRecord::kAsNumber;
    const long count = AskCount(run, dimensions).value;
    for (long k = 1; k <= count; ++k) {
      DelimitedCode size = codes.ToSemicolon("d" + PlainNum(k) + "=");
      auto acceptable = [](const std::string& text) { return !text.empty() && text.size() <= 6; };
      std::optional<std::string> code = size.closed ? std::optional(size.value) : std::nullopt;
      element.DimensionSizes.push_back(
          AskCodedText(run, kLabelDimensionSize, "Vaya introduciendolas." + std::string(" d") + PlainNum(k) + "=", code, acceptable,
                       "el tamaño es un número o un nombre de 1 a 6 caracteres"));
    }
    if (!run.Log.replaying() && !codesTrusted) {
      Tell(run, "Llame a los subíndices de " + element.Id + " i1,i2,..., correlativamente.");
    }
    if (element.HasUncertainty) {
      Tell(run, "¡OJO! LAS VARIABLES DIMENSIONALES NO SUELEN LLEVAR INCERTIDUMBRE." + LF +
                    "      Si insiste en ello deberá revisar el cálculo de " + element.Id + " en el fichero " +
                    ModelFile(run, cycle, "S", ".bas") + ".");
    }
  }

  if (!element.HasUncertainty) {
    element.IsTable =
        AskCodedYesNo(run, kLabelTable, "¿La función " + element.FunctionHeader + " es una tabla? (S/N/T)",
                      codes.Fixed("tabl=", 1)) == "s";
  }
  if (element.IsTable) {
    std::optional<std::string> pointsCode = codes.Fixed("npun=", 1);
    std::optional<std::string> points;
    if (pointsCode) points = PlainNum(static_cast<long>(Val(*pointsCode)));
    CountQuestion question(kLabelTablePoints,
                           codes.any ? "¿Cuantos puntos tiene la tabla?" : "¿Cuantos puntos tiene la tabla", 1,
                           kMaxTablePoints);
    question.code = points;
    question.record = NumberRecord::kAsNumber;
    question.terminatesAt = 0;
    const NumberAnswer count = AskCount(run, question);
    // A typed 0 ends the program as the modeller asked; a count the log holds
    // that is no count of points cannot build the table: the run stops and says why.
    if (count.replayed && (count.value < 1 || count.value > kMaxTablePoints || !ParseWholeNumber(count.text))) {
      OutOfStep(run, "El fichero MODELO" + PlainNum(run.LogNumber) + " da a la tabla de " + element.Id + " " +
                         count.text + " puntos; han de ser entre 1 y" + NumText(kMaxTablePoints) + ".");
    }
    element.TablePoints = static_cast<int>(count.value);
  }
  return element;
}

}  // namespace korva

#include "core/main_menu.h"

#include "core/file_errors.h"
#include "core/log_labels.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {

void StartUp(RunContext& run) {
  Tell(run, "    Generador de Sistemas Expertos KORVA     " + LF +
                "       Versión 01-10-2021 (Experimental)       " + LF);
  Tell(run, LF + "Saludos. Mi nombre es KORVA," + LF + " y le puedo ayudar a construir un sistema experto.");
  // The host separator is always appended, even to an empty answer or one that
  // already ends in a separator.
  run.WorkDir = (run.GivenWorkDir ? *run.GivenWorkDir : Ask(run, "¿En que directorio desea trabajar?")) + "/";
  // Everything the run writes stays in the working directory; what an earlier
  // run left half-written there when it was killed goes.
  run.Files.ConfineWritesTo(run.WorkDir);
  run.Files.ClearStaleTemporaries(run.WorkDir);
}

void OpenAnswerLog(RunContext& run) {
  if (run.GivenLogNumber) {
    run.LogNumber = *run.GivenLogNumber;
    run.GivenLogNumber.reset();  // a later cycle asks again
  } else {
    run.LogNumber = static_cast<int>(AskUnloggedNumber(
      run,
      LF + "Por favor, conteste siempre S o N a las preguntas" + LF +
          "¿En qué fichero Modelo* tiene grabadas, o quiere grabar," +
          " las respuestas a mis preguntas? (* = número entero < 10)",
      0, 9));
  }
  run.CurrentFileName = AnswerLog::FileName(run.WorkDir, run.LogNumber, false);
  FileError error = run.Log.Open(run.Files, run.WorkDir, run.LogNumber);
  if (error.failed()) FailOnFileError(run, error);
}

std::optional<Activity> AskMainChoice(RunContext& run) {
  std::string letter = AskLoggedChoice(run, kLabelActivity,
                                       "¿Desea" + LF + "   (c) crear un modelo nuevo," + LF +
                                           "   (e) ensamblar modelos ya existentes," + LF +
                                           "   (b) formar bloques jerarquizados que daran lugar a modelos "
                                           "ensamblables o," +
                                           LF +
                                           "   (a) que le proponga un modelo para un problema nuevo por busqueda "
                                           "analógica ?" +
                                           LF + "   (t) terminar ?",
                                       {"c", "e", "b", "a", "t"});
  if (letter == "c") return Activity::kCreate;
  if (letter == "e") return Activity::kAssemble;
  if (letter == "b") return Activity::kBlocks;
  if (letter == "a") return Activity::kAnalogy;
  return std::nullopt;
}

void ShowModellingAdvice(RunContext& run) {
  Tell(run, "Tenga en cuenta que:" + LF +
                "Le conviene empezar identificando los elementos del sistema a modelizar"
                " y las conexiones entre los mismos, expresandolo todo en un gráfico."
                " Las relaciones por las que un elemento puede obtenerse a partir de"
                " otros tendrá que representarlas como ecuaciones y/o reglas"
                " que deberán ser escritas en VISUAL BASIC 6, o bien como tablas de valores"
                " que le iré pidiendo a la hora de crear el modelo." +
                LF + "Cuando tenga claro lo anterior podremos empezar a trabajar Vd. y yo.");
  Tell(run, "Otros detalles que debera cuidar son:" + LF +
                " Cuando una ecuación incluye variables dimensionadas (matrices, etc.)"
                "  debe escribirse sin los bucles (lo hago yo), y utilizando los indices"
                "  i1, i2, etc." +
                LF +
                " Si un elemento del sistema influye en dos o mas momentos diferentes"
                "  debe ser considerado como dos o mas elementos distintos."
                "  Es decir, es necesario romper los bucles. Y ademas:");
  Tell(run, " Los nombres de los elementos deben tener los primeros"
            "  caracteres diferentes, pues por ellos se les identificará."
            "  Además conviene que estos identificadores estén en mayúsculas,"
            "  separados por un espacio en blanco del resto del nombre,"
            "  y todos con el mismo número de caracteres." +
                LF + " Los nombres que empiecen por i-n seran variables enteras." + LF +
                " Los nombres que empiecen por u-w seran variables literales." + LF +
                " No utilice comas (generan errores). Y ahora, dígame:");
}

bool IsModelName(std::string_view name) {
  return name.find_first_of("/\\") == std::string_view::npos && name.find("..") == std::string_view::npos;
}

std::string AskModelName(RunContext& run) {
  static const std::string kOneWord =
      "El nombre del modelo debe ser una sola palabra, sin \"/\", \"\\\" ni \"..\": nombra ficheros del directorio de trabajo.";
  bool replayed = false;
  std::string name = AskLogged(
      run, kLabelModelName,
      [&] {
        for (;;) {
          std::string answer = Ask(run, "¿Como quiere llamar a su modelo? (una sola palabra)");
          if (IsModelName(answer)) return answer;
          Tell(run, kOneWord);
        }
      },
      NumberRecord::kAsText, &replayed);
  if (!replayed) return UpperCase(name);
  if (!IsModelName(name)) {
    // A log edited by hand: its files would be read and written outside the working directory.
    Tell(run, kOneWord);
    EndProgram(EndReason::kErrorReported);
  }
  return name;
}

std::string AskModelPurpose(RunContext& run) {
  return AskLoggedText(run, kLabelModelPurpose, "¿Su modelo servirá para ...?");
}

int AskMaxGLines(RunContext& run) {
  return static_cast<int>(AskLoggedNumber(run, kLabelMaxEquationLines,
                                          "¿Cuantas líneas tendría como máximo un fichero de ecuaciones GNombre", 1,
                                          30000)
                              .value);
}

void ShowFileAdvice(RunContext& run, const std::string& modelName, int idLength) {
  Tell(run, "Si su sistema tiene muchos elementos, probablemente le convendra"
            " crear un fichero con la lista de nombres. Llámele L" +
                modelName + ".txt" + LF +
                "También puede crear un fichero con la matriz de conexiones. Llámele C" + modelName + ".txt" +
                ". Hágalo en el directorio implícito." + LF +
                "La matriz de conexiones debe tener en cada fila los identificadores de los"
                " elementos que influyen sobre el que se esta considerando, separados con comas.");
  Tell(run, "También puede grabar las relaciones funcionales entre los elementos en "
            "el fichero G" +
                modelName + ".txt" + ", que deberá contener las ecuaciones " +
                "precedidas por su identificador o por blancos " + "(" + NumText(idLength) +
                " dígitos + 1 blanco para la primera línea y " + "al menos 1 blanco más para las demás)." + LF +
                "El identificador debe empezar pegado a la izquierda." + LF + "El fichero F" + modelName + ".txt" +
                ", creado por KORVA," + " contendrá las ecuaciones en orden de cálculo y sin identificador." + LF +
                "Las líneas que son continuación iran precedidas" + ", al menos, por un espacio en blanco.");
}

bool AskToGoOn(RunContext& run) {
  std::string goOn = LowerCase(
      Ask(run, LF + "Si no esta seguro de saber hacerlo o ya lo tiene hecho, siga adelante." + LF + "¿Seguimos?"));
  return goOn != "n";
}

}  // namespace korva

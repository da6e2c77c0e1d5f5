#include "core/main_dialogue.h"

#include <cstdio>

#include "analogy/analogy_search.h"
#include "assembler/model_assembler.h"
#include "blocks/form_blocks.h"
#include "core/file_errors.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "model/model_structure.h"
#include "simgen/simulation_setup.h"
#include "text/cp1252.h"
#include "text/vb_text.h"
#include "variables/variable_specification.h"

namespace korva {
namespace {

const std::string LF = "\n";

void StartUp(RunState& run) {
  Tell(run, "    Generador de Sistemas Expertos KORVA     " + LF +
                "       Versión 01-10-2021 (Experimental)       " + LF);
  Tell(run, LF + "Saludos. Mi nombre es KORVA," + LF + " y le puedo ayudar a construir un sistema experto.");
  // The host separator is always appended, even to an empty answer or one that
  // already ends in a separator.
  run.WorkDir = Ask(run, "¿En que directorio desea trabajar?") + "/";
}

void OpenAnswerLog(RunState& run) {
  run.LogNumber = static_cast<int>(AskUnloggedNumber(
      run,
      LF + "Por favor, conteste siempre S o N a las preguntas" + LF +
          "¿En qué fichero Modelo* tiene grabadas, o quiere grabar," +
          " las respuestas a mis preguntas? (* = número entero < 10)",
      0, 9));
  run.CurrentFileName = AnswerLog::FileName(run.WorkDir, run.LogNumber, false);
  FileError error = run.Log.Open(run.Files, run.WorkDir, run.LogNumber);
  if (error.failed()) FailOnFileError(run, error);
}

void ShowModellingAdvice(RunState& run) {
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

void ShowFileAdvice(RunState& run) {
  Tell(run, "Si su sistema tiene muchos elementos, probablemente le convendra"
            " crear un fichero con la lista de nombres. Llámele L" +
                run.ModelName + ".txt" + LF +
                "También puede crear un fichero con la matriz de conexiones. Llámele C" + run.ModelName +
                ".txt" + ". Hágalo en el directorio implícito." + LF +
                "La matriz de conexiones debe tener en cada fila los identificadores de los"
                " elementos que influyen sobre el que se esta considerando, separados con comas.");
  Tell(run, "También puede grabar las relaciones funcionales entre los elementos en "
            "el fichero G" +
                run.ModelName + ".txt" + ", que deberá contener las ecuaciones " +
                "precedidas por su identificador o por blancos " + "(" + NumText(run.Model.IdLength) +
                " dígitos + 1 blanco para la primera línea y " + "al menos 1 blanco más para las demás)." + LF +
                "El identificador debe empezar pegado a la izquierda." + LF + "El fichero F" + run.ModelName +
                ".txt" + ", creado por KORVA," + " contendrá las ecuaciones en orden de cálculo y sin identificador." +
                LF + "Las líneas que son continuación iran precedidas" + ", al menos, por un espacio en blanco.");
}

// The dispatch to the chosen generator once the model structure stands.
void Dispatch(RunState& run) {
  CheckEndOfReplay(run);
  const ModelTables& model = run.Model;
  run.LevelOneCount = 0;
  for (int i = 1; i <= model.ElementCount && i < static_cast<int>(model.CalcLevel.size()); ++i) {
    if (model.CalcLevel[i] == 1) ++run.LevelOneCount;
  }
  run.OtherCount = model.ElementCount - run.LevelOneCount;
  run.EmitSlotCount = 10 + 8 * run.LevelOneCount;
  run.EmitSlots.assign(static_cast<size_t>(run.EmitSlotCount + run.GLineReserve) + 1, "");
  // The set-up's start-index statements and its count of uncertain
  // quantities begin afresh with every dispatch.
  run.Sim.ValueChangeInits.clear();
  run.Sim.UncertainCount = 0;
  if (run.MainChoice == "b") {
    FormBlocks(run);
  } else if (run.MainChoice == "c") {
    SimulationSetup(run);
    VariableSpecification(run);
  } else if (run.MainChoice == "e") {
    AssembleModels(run);
  }
}

// One cycle: from the answers log to the end of the chosen path.
void Cycle(RunState& run) {
  OpenAnswerLog(run);
  run.MainChoice = AskLoggedChoice(run, "Crear, Ensamblar, formar Bloques, Analogia",
                                   "¿Desea" + LF + "   (c) crear un modelo nuevo," + LF +
                                       "   (e) ensamblar modelos ya existentes," + LF +
                                       "   (b) formar bloques jerarquizados que daran lugar a modelos ensamblables o," +
                                       LF +
                                       "   (a) que le proponga un modelo para un problema nuevo por busqueda analógica ?" +
                                       LF + "   (t) terminar ?",
                                   {"c", "e", "b", "a", "t"});
  ShowModellingAdvice(run);

  // A typed name is used in upper case (the log keeps it as typed); a replayed one unchanged.
  bool replayed = false;
  std::string name =
      AskLoggedText(run, "Nombre del simulador", "¿Como quiere llamar a su modelo? (una sola palabra)", &replayed);
  run.ModelName = replayed ? name : UpperCase(name);
  run.ModelPurpose = AskLoggedText(run, "Servirá para", "¿Su modelo servirá para ...?");

  if (run.MainChoice == "a") {
    run.MaxGLines = static_cast<int>(AskLoggedNumber(run, "Máximo de líneas de un GNombre",
                                                     "¿Cuantas líneas tendría como máximo un fichero de ecuaciones GNombre",
                                                     1, 30000)
                                         .value);
    AnalogySearch(run);
    return;
  }

  ShowFileAdvice(run);
  std::string goOn = LowerCase(
      Ask(run, LF + "Si no esta seguro de saber hacerlo o ya lo tiene hecho, siga adelante." + LF + "¿Seguimos?"));
  if (goOn == "n") return;

  if (ModelStructureDialogue(run) == StepOutcome::kEndCycle) return;

  if (AskUnloggedChoice(run, "¿Desea continuar?", {"s", "n", ""}) == "n") return;
  Dispatch(run);
}

}  // namespace

int MainDialogue(RunState& run) {
  EndReason reason = EndReason::kFinished;
  try {
    StartUp(run);
    for (;;) {
      Cycle(run);
      run.Log.Close();
      if (AskUnloggedChoice(run, "¿Desea algo más?", {"n", "s", ""}) != "s") break;
    }
    Tell(run, "¡Hasta la próxima!");
  } catch (const ProgramEnd& end) {
    reason = end.reason;
  }
  run.Log.Close();
  if (reason == EndReason::kEndOfInput) {
    std::fputs("korva: la entrada ha terminado sin respuesta; fin del programa.\n", stderr);
  }
  return ExitStatus(reason);
}

}  // namespace korva

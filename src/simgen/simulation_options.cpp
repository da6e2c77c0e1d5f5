#include "simgen/simulation_options.h"

#include "core/log_labels.h"
#include "core/questions.h"
#include "text/vb_text.h"

namespace korva {
namespace {

void GeneticAlgorithmNotices(RunContext& run, const SimulationState& sim, int which) {
  if (which == 1) {
    Tell(run,
         "Tenga en cuenta que los genes son variables numéricas escalares y que:" + LF +
             "   1. La variable que actue como cromosoma debe ser un vector cuya dimensión es igual al número de "
             "genes mas uno." +
             LF +
             "   2. A la vez debe ser una variable de estado cuyo valor inicial contendrá los valores iniciales de "
             "los genes y un cero en último lugar." +
             LF +
             "   3. También deberá incluir en el modelo una variable de dos dimensiones con tantas filas como "
             "genes y:" +
             LF + "      4. Si los genes son de naturaleza contínua:" + LF +
             "         5. La primera columna contendrá los valores mínimos de los genes." + LF +
             "         6. La segunda columna contendrá los valores máximos de los genes." + LF +
             "         7. La tercera columna contendrá el ancho de la ventana de búsqueda en % sobre el valor "
             "inicial del gen." +
             LF +
             "      8. Si los genes son de naturaleza discreta el número de columnas será igual al número de "
             "alelos de un gen." +
             LF +
             "   9. Anote estas indicaciones para evitar posibles errores que podrían ser dificiles de "
             "identificar si se producen." +
             LF);
  } else {
    Tell(run, "Cuando tenga que escribir la ecuación que calcula la variable cromosoma deberá escribir:" + LF +
                  sim.ChromosomeVar + "(i1) = YYY (1 , i1):    REM  f(" + sim.InitialChromosomeVar + ")" + LF +
                  " Esta ecuación deberá ser la primera que escriba (la primera en el fichero Lnombre en caso de que "
                  "lo utilice)." +
                  LF +
                  " No utilice la variable YYY para otros fines. Tampoco utilice las variables YYR y XXX ya que están "
                  "definidas como internas del simulador." +
                  LF + " En las ecuaciones donde tenga que referirse al cromosoma utilice " + sim.ChromosomeVar +
                  " y no " + sim.InitialChromosomeVar + LF);
  }
}

}  // namespace

void SimulationOptionsDialogue(RunContext& run, SimulationState& sim) {
  sim.GeneticAlgorithm = AskLoggedChoice(run, kLabelGeneticAlgorithm,
                                         "¿Desea optimizar con algoritmo genético? (S/N/T)", {"s", "n", "t"}) == "s";
  if (sim.GeneticAlgorithm) {
    GeneticAlgorithmNotices(run, sim, 1);
    sim.ChromosomeVar = AskLoggedText(run, kLabelChromosomeVar, "¿Identificador de la variable cromosoma?");
    sim.InitialChromosomeVar =
        AskLoggedText(run, kLabelInitialChromosomeVar,
                      "¿Identificador de la variable cromosoma conteniendo los valores iniciales?");
    GeneticAlgorithmNotices(run, sim, 2);
    sim.ChromosomeParamsVar = AskLoggedText(run, kLabelChromosomeParamsVar,
                                            "¿Identificador de la variable que contiene los parámetros del cromosoma "
                                            "(máximos/mínimos/anchuras-de-la-ventana o valores de los alelos)?");
    // A number of alleles that is not a whole number is asked again.
    sim.MaxAlleles = static_cast<int>(AskLoggedNumber(run, kLabelMaxAlleles,
                                                      "¿Número máximo de alelos de un gen? (cero si son de naturaleza "
                                                      "contínua)",
                                                      0, 32767, NumberRecord::kAsNumber)
                                          .value);
    sim.ObjectiveVar = AskLoggedText(run, kLabelObjectiveVar,
                                     "¿Identificador de la variable objetivo que desea minimizar (obviamente un "
                                     "escalar)? ");
  }
  sim.DynamicChoice =
      AskLoggedChoice(run, kLabelDynamic, "¿Se trata de un sistema dinámico? (S/N/T)", {"s", "n", "t"});
  if (!sim.IsDynamic()) return;
  bool replayed = false;
  sim.TimeUnit =
      AskLoggedText(run, kLabelTimeUnit, "¿Como se llama la unidad de tiempo, espacio, etc.?", &replayed);
  if (!replayed) {
    Tell(run, "Tenga en cuenta que la variable tiempo (o espacio, etc.) del sistema se llamará t" + LF +
                  "   y que su valor inicial y de incremento es dt." + LF +
                  "Puede usar estos dos símbolos en sus ecuaciones pero no cambiar su valor (a riesgo de error)." + LF +
                  "      " + LF);
  }
  const std::string prompt = "¿Desea poder considerar incertidumbre en:" + LF + "  (a) algunas variables de entrada," +
                             LF + "  (t) en todas o," + LF + "  (n) en ninguna?" + LF + "  () para terminar?" + LF +
                             " Tenga en cuenta que en los modelos con incertidumbre" +
                             " los valores iniciales de las variables de estado" +
                             " deben ser declarados como variables con incertidumbre aunque no la tengan.";
  std::string uncertainty = AskLogged(
      run, kLabelInputsUncertainty,
      [&] {
        for (;;) {
          std::string answer = AskUnloggedChoice(run, prompt, {"a", "t", "n", ""});
          if (answer.empty()) Terminate(run);
          if (answer == "t" && sim.GeneticAlgorithm) {
            Tell(run, "La opción t no tiene sentido con el algoritmo genético");
            continue;
          }
          return answer;
        }
      },
      NumberRecord::kAsText);
  sim.UncertaintyChoice = uncertainty == "a"   ? Uncertainty::kSomeInputs
                          : uncertainty == "t" ? Uncertainty::kAllInputs
                          : uncertainty == "n" ? Uncertainty::kNoInputs
                                               : Uncertainty::kUnasked;
}

}  // namespace korva

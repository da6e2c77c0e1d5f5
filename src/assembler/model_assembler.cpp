#include "assembler/model_assembler.h"

#include "core/guarded_files.h"
#include "core/log_labels.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "emit/module_writer.h"
#include "data_entry/data_entry_module.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

const char* const kNotice[] = {
    " ",
    " era necesario y funcionó. Hoy dia, con la mayor disponibilidad ",
    " de memoria lo hace prácticamente innecesario. Ahora, para ensamblar ",
    " subsistemas basta con juntar los ficheros Lnombre de los subsistemas ",
    " en un único fichero, eliminando manualmente las duplicidades, hacer lo ",
    " propio con los ficheros Gnombre y, crear un nuevo modelo.",
};

AssemblyParameters AskAssemblyParameters(RunContext& run, ModelCycle& cycle) {
  AssemblyParameters p;
  p.MaxConnections = NumberValue(
      AskLoggedText(run, kLabelMaxConnections,
                    "¿Cual es el número máximo de conexiones" + LF + " en una relación entre subsistemas?"));
  p.ReadDir = AskLoggedText(run, kLabelReadDirectory, "¿En que directorio están los programas a ensamblar?") + "\\";
  p.WriteDir =
      AskLoggedText(run, kLabelWriteDirectory,
                    "Tenga en cuenta que los datos irán siempre" + LF + " en la unidad y directorio impl¡citos." + LF +
                        " ¿En qué directorio desea grabar para despues" + LF + " utilizar los programas ensamblados?") +
      "\\";
  // The identifier width of the models to assemble replaces that of the list read.
  cycle.Model.IdLength = static_cast<int>(NumberValue(AskLoggedText(
      run, kLabelIdentifierLength,
      "¿Cuantos caracteres tienen los identificadores" + LF + " de elementos en los modelos a ensamblar")));
  p.Uncertainty =
      LowerCase(AskLoggedText(run, kLabelAssemblyUncertainty,
                              "¿En los modelos a ensamblar existe incertidumbre en:" + LF +
                                  "  (a) algunas variables de entrada," + LF + "  (t) en todas o," + LF +
                                  "  (n) en ninguna?" + LF + " Tenga en cuenta que en los modelos con incertidumbre" +
                                  LF + " los valores iniciales de las variables de estado deben ser" +
                                  " declarados como variables con incertidumbre aunque no la tengan."));
  p.Dynamic = LowerCase(AskLoggedText(run, kLabelAssemblyDynamic, "¿Alguno de los modelos a ensamblar es dinámico?"));
  return p;
}

}  // namespace

std::string AssembledDataProgramName(const RunContext& run, const ModelCycle& cycle, const AssemblyParameters& p) {
  return run.WorkDir + p.WriteDir + "d" + cycle.ModelName + ".bas";
}

void AssembleModels(RunContext& run, ModelCycle& cycle) {
  std::string notice;
  for (const char* piece : kNotice) notice += piece;
  Tell(run, notice);
  std::string goOn = Ask(run, "El estado actual del módulo ensamblador deja mucho que desear y " +
                                  std::string(" le obligará a efectuar muchas correcciones manuales en el modelo ") +
                                  " ensamblado." + LF + " ¿Desea continuar?");
  if (LowerCase(goOn) != "s") return;

  AssemblyParameters p = AskAssemblyParameters(run, cycle);

  // The assembly file of the model is opened and let go: nothing is read from
  // it, and a missing one is no hindrance.
  FileError ignored;
  run.Files.OpenInput(ModelFile(run, cycle, "e", ".txt"), ignored);

  // A write directory that does not exist or cannot be written is reported
  // with its file-error message, and the program ends.
  std::unique_ptr<OutputFile> file = OpenGuardedOutput(run, AssembledDataProgramName(run, cycle, p));
  ModuleWriter out(*file);
  WriteDataProgramHeader(out, cycle.ModelName, p.Uncertainty == "a" || p.Uncertainty == "t");
  CloseGuarded(run, file);
  EndProgram(EndReason::kFinished);
}

}  // namespace korva

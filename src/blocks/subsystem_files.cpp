#include "blocks/subsystem_files.h"

#include <algorithm>

#include "blocks/division.h"
#include "core/guarded_files.h"
#include "core/questions.h"
#include "model/calculation_order.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

std::string Proposal(const std::string& name) {
  return " Si desea dividir el sistema le preparare:" + LF +
         "   - la lista de nombres de los subsistemas en un fichero" + LF + " llamado ls" + name + ".txt ;" + LF +
         "   - la matriz de conexiones entre subsistemas en un fichero" + LF + " llamado cs" + name + ".txt ;" + LF +
         "   - el detalle de las conexiones (número de variables comunes" + LF + " y sus nombres)" + LF +
         "      en otro fichero llamado es" + name + ".txt ;" + LF +
         "   - ficheros llamados LSUBnúmero.txt correspondientes a" + LF + " los subsistemas;" + LF +
         "   - ficheros llamados CSUBnúmero.txt correspondientes a" + LF + " los subsistemas;" + LF +
         "   - ficheros llamados GSUBnúmero.txt correspondientes a" + LF + " los subsistemas, si esta presente G" +
         name + ".txt" + LF + " Estos ficheros deberan estar en el directorio implicito " + LF +
         "   cuando se opere con ellos.";
}

std::string SubsystemFile(const RunContext& run, const std::string& prefix, int k) {
  return run.WorkDir + prefix + PlainNum(k) + ".txt";
}

}  // namespace

void DivideIntoSubsystems(RunContext& run, ModelCycle& cycle, const Subsystems& subs) {
  Tell(run, Proposal(cycle.ModelName));
  if (LowerCase(Ask(run, "¿Acepta estos subsistemas como adecuados para dividir el sistema?")) != "s") return;
  const ModelTables& model = cycle.Model;
  for (int k = 1; k <= subs.SubCount; ++k) {
    WriteGuardedLines(run, SubsystemFile(run, "LSUB", k), SubsystemListLines(model, subs, k));
    WriteGuardedLines(run, SubsystemFile(run, "CSUB", k), SubsystemMatrixLines(model, subs, k));
  }
  const std::string gName = ModelFile(run, cycle, "G", ".txt");
  if (run.Files.Exists(gName)) {
    EquationBlocks equations(ReadGuardedLines(run, gName), model.IdLength);
    for (int k = 1; k <= subs.SubCount; ++k) {
      WriteGuardedLines(run, SubsystemFile(run, "GSUB", k), SubsystemEquationLines(model, subs, k, equations));
    }
  }

  ModelTables level = SubsystemModel(subs, SubsystemSuppliers(subs, model.ElementCount));
  std::vector<std::string> names;
  for (int k = 1; k <= subs.SubCount; ++k) names.push_back(level.ElementList[k]);
  WriteGuardedLines(run, ModelFile(run, cycle, "ls", ".txt"), names);
  WriteGuardedLines(run, ModelFile(run, cycle, "cs", ".txt"), SubsystemConnectionLines(level));

  // The es file is opened before the subsystems are put in calculation order:
  // with loops between them it is left empty.
  std::unique_ptr<OutputFile> es = OpenGuardedOutput(run, ModelFile(run, cycle, "es", ".txt"));
  Levelling levelling = LevelElements(level);
  level.CalcLevel = std::move(levelling.levels);
  level.LevelCount = levelling.levelCount;
  cycle.Model.MaxLevelWidth = std::max(cycle.Model.MaxLevelWidth, levelling.widest);
  if (!levelling.complete) {
    CloseGuarded(run, es);
    for (const std::string& box : LoopReportBoxes(level)) Tell(run, box);
    return;
  }
  for (const std::vector<RecordField>& record : ConnectionDetailRecords(model, subs, level)) es->WriteRecord(record);
  CloseGuarded(run, es);
}

}  // namespace korva

#include "blocks/subsystem_files.h"

#include <algorithm>

#include "core/guarded_files.h"
#include "core/questions.h"
#include "files/record_fields.h"
#include "model/calculation_order.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

const std::string LF = "\n";

// The members of subsystem k in slot order, with whether each is computed there.
struct Member {
  int element;
  bool computed;
};

std::vector<Member> MembersOf(const BlockForming& forming, int k) {
  std::vector<Member> members;
  for (size_t slot = 1; slot < forming.SubMembers[k].size(); ++slot) {
    if (forming.SubMembers[k][slot] != 0) members.push_back({forming.SubMembers[k][slot], forming.SubExpanded[k][slot] == 1});
  }
  return members;
}

// A matrix line as the subsystem files hold it: identifier, four blanks, the
// identifiers each followed by ",", and the last character taken off.
std::string MatrixLine(const std::string& id, const std::vector<std::string>& influences) {
  std::string line = id + "    ";
  for (const std::string& influence : influences) line += influence + ",";
  return line.substr(0, line.size() - 1);
}

void ShowProposal(RunState& run) {
  const std::string& m = run.ModelName;
  Tell(run, " Si desea dividir el sistema le preparare:" + LF + "   - la lista de nombres de los subsistemas en un fichero" +
                LF + " llamado ls" + m + ".txt ;" + LF + "   - la matriz de conexiones entre subsistemas en un fichero" +
                LF + " llamado cs" + m + ".txt ;" + LF + "   - el detalle de las conexiones (número de variables comunes" +
                LF + " y sus nombres)" + LF + "      en otro fichero llamado es" + m + ".txt ;" + LF +
                "   - ficheros llamados LSUBnúmero.txt correspondientes a" + LF + " los subsistemas;" + LF +
                "   - ficheros llamados CSUBnúmero.txt correspondientes a" + LF + " los subsistemas;" + LF +
                "   - ficheros llamados GSUBnúmero.txt correspondientes a" + LF + " los subsistemas, si esta presente G" +
                m + ".txt" + LF + " Estos ficheros deberan estar en el directorio implicito " + LF +
                "   cuando se opere con ellos.");
}

void WriteEquationFiles(RunState& run, const BlockForming& forming) {
  const std::string gName = ModelFile(run, "G", ".txt");
  if (!run.Files.Exists(gName)) return;  // no equations: no GSUB files
  std::vector<std::string> lines = ReadGuardedLines(run, gName);
  const ModelTables& model = run.Model;
  const size_t width = static_cast<size_t>(model.IdLength);
  const std::string continuation(width + 1, ' ');
  for (int k = 1; k <= forming.SubCount; ++k) {
    std::vector<std::string> computed;
    for (const Member& member : MembersOf(forming, k)) {
      if (member.computed) computed.push_back(model.ElementIds[member.element]);
    }
    std::sort(computed.begin(), computed.end());
    std::vector<std::string> out;
    for (size_t m = 0; m < lines.size(); ++m) {
      if (lines[m].size() < width) continue;
      if (!std::binary_search(computed.begin(), computed.end(), lines[m].substr(0, width))) continue;
      if (lines[m].compare(0, continuation.size(), continuation) == 0) continue;
      out.push_back(lines[m]);
      for (size_t c = m + 1; c < lines.size() && lines[c].compare(0, continuation.size(), continuation) == 0; ++c) {
        out.push_back(lines[c]);
      }
    }
    WriteGuardedLines(run, run.WorkDir + "GSUB" + PlainNum(k) + ".txt", out);
  }
}

}  // namespace

std::string SubsystemId(int k, int subCount) {
  std::string id = "SUB" + PlainNum(k);
  size_t width = 3 + PlainNum(subCount).size();
  if (id.size() < width) id.append(width - id.size(), ' ');
  return id;
}

std::vector<std::vector<int>> SubsystemSuppliers(const BlockForming& forming, int elementCount) {
  std::vector<std::vector<int>> computedIn(static_cast<size_t>(elementCount) + 1);
  for (int m = 1; m <= forming.SubCount; ++m) {
    for (const Member& member : MembersOf(forming, m)) {
      if (member.computed) computedIn[member.element].push_back(m);
    }
  }
  std::vector<std::vector<int>> suppliers(static_cast<size_t>(forming.SubCount) + 1);
  for (int k = 1; k <= forming.SubCount; ++k) {
    std::vector<bool> mark(static_cast<size_t>(forming.SubCount) + 1, false);
    for (const Member& member : MembersOf(forming, k)) {
      if (member.computed) continue;
      for (int m : computedIn[member.element]) {
        if (m != k) mark[m] = true;
      }
    }
    for (int m = 1; m <= forming.SubCount; ++m) {
      if (mark[m]) suppliers[k].push_back(m);
    }
  }
  return suppliers;
}

void DivideIntoSubsystems(RunState& run, const BlockForming& forming) {
  ShowProposal(run);
  if (LowerCase(Ask(run, "¿Acepta estos subsistemas como adecuados para dividir el sistema?")) != "s") return;
  const ModelTables& model = run.Model;
  const int subs = forming.SubCount;
  for (int k = 1; k <= subs; ++k) {
    std::vector<Member> members = MembersOf(forming, k);
    std::vector<bool> inSub(static_cast<size_t>(model.ElementCount) + 1, false);
    for (const Member& member : members) inSub[member.element] = true;
    std::vector<std::string> list, matrix;
    for (const Member& member : members) {
      list.push_back(model.ElementList[member.element]);
      std::vector<std::string> influences;
      if (member.computed) {
        for (int d : forming.Dependencies()[member.element]) {
          if (inSub[d]) influences.push_back(model.ElementIds[d]);
        }
      }
      matrix.push_back(MatrixLine(model.ElementIds[member.element], influences));
    }
    WriteGuardedLines(run, run.WorkDir + "LSUB" + PlainNum(k) + ".txt", list);
    WriteGuardedLines(run, run.WorkDir + "CSUB" + PlainNum(k) + ".txt", matrix);
  }
  WriteEquationFiles(run, forming);

  std::vector<std::vector<int>> suppliers = SubsystemSuppliers(forming, model.ElementCount);
  std::vector<std::string> ls, cs;
  ModelTables upper;  // the subsystem-level model
  SizeElementTables(upper, subs);
  upper.ConnectionMatrix.assign(static_cast<size_t>(subs) + 1, {});
  for (int k = 1; k <= subs; ++k) {
    std::string id = SubsystemId(k, subs);
    upper.ElementIds[k] = id;
    ls.push_back(id + " Subsistema número" + NumText(k));
    std::vector<std::string> ids;
    for (int m : suppliers[k]) ids.push_back(SubsystemId(m, subs));
    upper.ConnectionMatrix[k] = ids;
    cs.push_back(MatrixLine(id, ids));
  }
  upper.Ids.Rebuild(upper.ElementIds, subs);  // FindSubsystem: the last subsystem of an identifier
  WriteGuardedLines(run, ModelFile(run, "ls", ".txt"), ls);
  WriteGuardedLines(run, ModelFile(run, "cs", ".txt"), cs);

  Levelling levelling = LevelElements(upper);
  run.Model.MaxLevelWidth = std::max(run.Model.MaxLevelWidth, levelling.widest);
  upper.CalcLevel = levelling.levels;
  upper.LevelCount = levelling.levelCount;
  if (!levelling.complete) {
    WriteGuardedLines(run, ModelFile(run, "es", ".txt"), {});
    for (const std::string& box : LoopReportBoxes(upper)) Tell(run, box);
    return;
  }
  std::vector<std::string> es;
  for (int k : CalcOrder(upper, 2)) {
    std::vector<int> common;
    std::vector<bool> seen(static_cast<size_t>(model.ElementCount) + 1, false);
    std::vector<Member> mine = MembersOf(forming, k);
    for (int m : suppliers[k]) {
      std::vector<bool> inSupplier(static_cast<size_t>(model.ElementCount) + 1, false);
      for (const Member& member : MembersOf(forming, m)) inSupplier[member.element] = true;
      for (const Member& member : mine) {
        if (inSupplier[member.element] && !seen[member.element]) {
          seen[member.element] = true;
          common.push_back(member.element);
        }
      }
    }
    es.push_back(FormatRecord({RecordField::Number(static_cast<long long>(common.size()))}));
    for (int e : common) es.push_back(FormatRecord({RecordField::Text(model.ElementIds[e])}));
  }
  WriteGuardedLines(run, ModelFile(run, "es", ".txt"), es);
}

}  // namespace korva

#include "results_program/results_program.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/guarded_files.h"
#include "emit/emitted_text.h"
#include "emit/module_writer.h"
#include "emit/quoted.h"
#include "files/line_sink.h"
#include "results_program/results_representer.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// A line of the table is ended once longer than this.
constexpr size_t kBodyLineLength = 76;
// The label of the table's first numbered line, and the step between lines.
constexpr long kFirstBodyNumber = 60;
constexpr long kBodyNumberStep = 10;

}  // namespace

void ResultsProgram::Start(const std::string& model, const SimulationState& sim, int computed) {
  lines_.clear();
  auto head = [this](std::string line) { lines_.push_back(std::move(line)); };
  head(" defsng a-h, o-t, x-z:deflng i-n:defstr u-w");
  head(" dim UNFS,PP,RG,NV,UV(4),IV(4),UF,US,IA,IB,TS,INIC,VPER,NVI");
  head(" dim NS1,NS2,NSI,UNS,NX,NN,NS,NVS,UID(),NO,IZOR(),LON()");
  head(" dim KK,IX,IP,LS,UJA,JA(),UDI,UA,JB,UAIC,JC,JD,AIC(),IR");
  head(" dim NR,NM,NU,ny,IC,WZ(),VL,Z(),S(),X(),k,UEL(),NPG,AA(),AP,a,B,C,UC");
  // The error routine's message outlives the routine: an error it does not
  // know shows the message of the one before.
  head(" dim UB");
  head(" Sub Main()");
  head("  R" + model);
  head(" End Sub ");
  head(" Public Sub R" + model + "()");
  head(std::to_string(emitted::kResultsProgramStartLabel) + " if nn=5 then end");
  head(
      "20 Rem cls:print:print " +
      Quoted("Saludos. Soy R" + model + " y le puedo ayudar a representar los resultados del modelo " + model));
  head("   uorg=" + Quoted("") + ":udep=" + Quoted("") + ": uarea=" + Quoted("") + ":uproy=" + Quoted(""));
  if (sim.IsDynamic()) {
    head("23 Rem print:print " + Quoted(std::string(37, ' ') + "Digame:"));
    head(" :larga");
  } else {
    head("40 pp=1:rg=1");
  }
  headThirdRow_ = sim.UncertainInputCount != 0;
  head("50 nvs=" + NumText(computed) + ":l=" + NumText(headThirdRow_ ? 3 : 2) +
                  ":npg=pp/rg:redim uel(nvs),uid(nvs),aa(4,l,npg),lon(nvs)," +
                  "izor(nvs),z(nvs),wz(nvs),s(nvs),x(nvs):vper=" + Quoted(sim.TimeUnit));
  table_.clear();
  line_ = " :";
  nextNumber_ = kFirstBodyNumber;
}

void ResultsProgram::EndLine() {
  table_.push_back(std::move(line_));
  // The numbers of the representer's menu stay free for it: it follows this
  // table in the same procedure.
  while (RepresenterMenuLabels().count(nextNumber_) != 0) nextNumber_ += kBodyNumberStep;
  line_ = std::to_string(nextNumber_) + " ";
  nextNumber_ += kBodyNumberStep;
}

void ResultsProgram::Add(const ResultVariable& variable, int k) {
  if (line_.size() > kBodyLineLength) EndLine();
  const std::string n = NumText(k);
  std::string izor = "ica";
  if (!variable.Offset.empty()) izor += "+" + variable.Offset;
  line_ += "uid(" + n + ")=" + Quoted(variable.Uid) + ":uel(" + n +
           ")=" + Quoted(variable.FullName.substr(0, 40) + "...") + ":izor(" + n + ")=" + izor + ":";
}

void ResultsProgram::Finish(const ModelTables& model, int uncertainCount,
                            const std::vector<std::string>& sizeVariables) {
  // The program finds a typed identifier among the first `no` characters of
  // each result's name: `no` is the longest identifier, so that a model whose
  // identifiers differ in length (as a model proposed by analogy) is answered
  // under every one of its names. It is IdLength when all have one length.
  int longest = model.IdLength;
  for (int i = 1; i <= model.ElementCount; ++i) {
    longest = std::max(longest, static_cast<int>(model.ElementIds[i].size()));
  }
  line_ += "no=" + NumText(longest) + ":nvi=" + NumText(uncertainCount);
  table_.push_back(line_);

  MemorySink sink;
  ModuleWriter out(sink);
  const std::string sizeList = emitted::CommaJoined(sizeVariables);
  const std::string sizeCount = NumText(static_cast<long long>(sizeVariables.size()));
  const std::string control = emitted::ControlFileOpen("input").substr(1);
  const std::string fields = "     input #1," + std::string(emitted::kControlFieldsRead);
  out.Line("54 redim aic(" + sizeCount + "):uaic=" + Quoted(sizeList) + ":nl=15");
  // Uncertain functions are counted after the head was written: the charts
  // keep a third row (the deviations or upper ends) for them too.
  if (uncertainCount != 0 && !headThirdRow_) out.Line("     l=3:redim aa(4,l,npg)");
  const std::string newSimulation = std::to_string(emitted::kResultsNewSimulationLabel);
  out.Line(newSimulation + " ' Nueva simulación");
  // A number asked for: any other answer is refused and asked again.
  out.Line("     unsim=inputbox(" + Quoted("¿Número de la simulación que desea visualizar?") +
           "):if isnumeric(unsim) then nsim=unsim else msgbox " +
           Quoted("La respuesta no es un número. Escriba un número.") + ":goto " + newSimulation);
  out.Line("     uns=mid$(str$(nsim),2)");
  out.Line("56 " + control);
  out.Line(fields + ":close #1");
  if (!sizeVariables.empty()) {
    out.Line("57 " + control);
    out.Line(fields + ":for i=1 to " + sizeCount + ":input #1,aic(i):next:close #1");
    // The positions of the arrays they size are written with their names.
    std::string values;
    for (size_t i = 0; i < sizeVariables.size(); ++i) {
      values += (i > 0 ? ":" : "") + sizeVariables[i] + "=aic(" + PlainNum(static_cast<long long>(i + 1)) + ")";
    }
    out.Line("     " + values);
  }
  for (const std::string& line : table_) out.Line(line);
  table_.clear();
  out.Line("");
  EmitResultsRepresenter(out);
  lines_.insert(lines_.end(), std::make_move_iterator(sink.lines.begin()), std::make_move_iterator(sink.lines.end()));
}

void ResultsProgram::Save(RunContext& run, const std::string& path) const { WriteGuardedLines(run, path, lines_); }

std::string GenerationEndMessage(const std::string& model) {
  return " Ahora tiene Vd. que compilarlos como .exe de modo independiente." + LF + " D" + model +
         " es el gestor de datos. S" + model + " es el simulador." + LF + " R" + model +
         " es el gestor de resultados." + LF + "Los datos se escriben en ficheros llamados DATOS??? y los resultados" +
         LF + " generales en ficheros de nombre RESUL???, ambos en la unidad implícita." + LF +
         "Todos los ficheros deben estar en la unidad implícita.";
}

}  // namespace korva

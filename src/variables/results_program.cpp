#include "variables/results_program.h"

#include <algorithm>

#include "core/guarded_files.h"
#include "emit/quoted.h"
#include "results/results_representer.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// A line of the table is ended once longer than this.
constexpr size_t kBodyLineLength = 76;
// The label of the table's first numbered line, and the step between lines.
constexpr long kFirstBodyNumber = 60;
constexpr long kBodyNumberStep = 10;

std::string BodyFile(RunContext& run, const ModelCycle& cycle) { return StagedModelFile(run, cycle, "R", ".tem"); }

}  // namespace

void ResultsProgram::Start(RunContext& run, const ModelCycle& cycle, const SimulationState& sim, int computed) {
  const std::string& model = cycle.ModelName;
  std::unique_ptr<OutputFile> head = OpenGuardedOutput(run, StagedModelFile(run, cycle, "R", ".bas"));
  head->WriteLine(" defsng a-h, o-t, x-z:deflng i-n:defstr u-w");
  head->WriteLine(" dim UNFS,PP,RG,NV,UV(4),IV(4),UF,US,IA,IB,TS,INIC,VPER,NVI");
  head->WriteLine(" dim NS1,NS2,NSI,UNS,NX,NN,NS,NVS,UID(),NO,IZOR(),LON()");
  head->WriteLine(" dim KK,IX,IP,LS,UJA,JA(),UDI,UA,JB,UAIC,JC,JD,AIC(),IR");
  head->WriteLine(" dim NR,NM,NU,ny,IC,WZ(),VL,Z(),S(),X(),k,UEL(),NPG,AA(),AP,a,B,C,UC");
  // The error routine's message outlives the routine: an error it does not
  // know shows the message of the one before.
  head->WriteLine(" dim UB");
  head->WriteLine(" Sub Main()");
  head->WriteLine("  R" + model);
  head->WriteLine(" End Sub ");
  head->WriteLine(" Public Sub R" + model + "()");
  head->WriteLine("10 if nn=5 then end");
  head->WriteLine(
      "20 Rem cls:print:print " +
      Quoted("Saludos. Soy R" + model + " y le puedo ayudar a representar los resultados del modelo " + model));
  head->WriteLine("   uorg=" + Quoted("") + ":udep=" + Quoted("") + ": uarea=" + Quoted("") + ":uproy=" + Quoted(""));
  if (sim.IsDynamic()) {
    head->WriteLine("23 Rem print:print " + Quoted(std::string(37, ' ') + "Digame:"));
    head->WriteLine(" :larga");
  } else {
    head->WriteLine("40 pp=1:rg=1");
  }
  headThirdRow_ = sim.UncertainCount != 0;
  head->WriteLine("50 nvs=" + NumText(computed) + ":l=" + NumText(headThirdRow_ ? 3 : 2) +
                  ":npg=pp/rg:redim uel(nvs),uid(nvs),aa(4,l,npg),lon(nvs)," +
                  "izor(nvs),z(nvs),wz(nvs),s(nvs),x(nvs):vper=" + Quoted(sim.TimeUnit));
  CloseGuarded(run, head);
  body_ = OpenGuardedOutput(run, BodyFile(run, cycle));
  line_ = " :";
  nextNumber_ = kFirstBodyNumber;
}

void ResultsProgram::EndLine() {
  body_->WriteLine(line_);
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

void ResultsProgram::Finish(RunContext& run, const ModelCycle& cycle, const SimulationState& sim,
                            const SpecificationState& state) {
  // The program finds a typed identifier among the first `no` characters of
  // each result's name: `no` is the longest identifier, so that a model whose
  // identifiers differ in length (as a model proposed by analogy) is answered
  // under every one of its names. It is IdLength when all have one length.
  int longest = cycle.Model.IdLength;
  for (int i = 1; i <= cycle.Model.ElementCount; ++i) {
    longest = std::max(longest, static_cast<int>(cycle.Model.ElementIds[i].size()));
  }
  line_ += "no=" + NumText(longest) + ":nvi=" + NumText(sim.UncertainCount);
  body_->WriteLine(line_);
  CloseGuarded(run, body_);

  std::unique_ptr<OutputFile> program = OpenGuardedAppend(run, StagedModelFile(run, cycle, "R", ".bas"));
  ModuleWriter out(*program);
  std::string sizeList;
  for (size_t i = 0; i < state.SizeVariables.size(); ++i) sizeList += (i > 0 ? "," : "") + state.SizeVariables[i];
  const std::string sizeCount = NumText(static_cast<long long>(state.SizeVariables.size()));
  const std::string control = "open " + Quoted("R") + "+uns+" + Quoted("ic") + " for input as #1";
  out.Line("54 redim aic(" + sizeCount + "):uaic=" + Quoted(sizeList) + ":nl=15");
  // Uncertain functions are counted after the head was written: the charts
  // keep a third row (the deviations or upper ends) for them too.
  if (sim.UncertainCount != 0 && !headThirdRow_) out.Line("     l=3:redim aa(4,l,npg)");
  out.Line("55 ' Nueva simulación");
  // A number asked for: any other answer is refused and asked again.
  out.Line("     unsim=inputbox(" + Quoted("¿Número de la simulación que desea visualizar?") +
           "):if isnumeric(unsim) then nsim=unsim else msgbox " +
           Quoted("La respuesta no es un número. Escriba un número.") + ":goto 55");
  out.Line("     uns=mid$(str$(nsim),2)");
  out.Line("56 " + control);
  out.Line("     input #1,ic,udi,pp,rg,inic,nr:close #1");
  if (!state.SizeVariables.empty()) {
    out.Line("57 " + control);
    out.Line("     input #1,ic,udi,pp,rg,inic,nr:for i=1 to " + sizeCount + ":input #1,aic(i):next:close #1");
    // The positions of the arrays they size are written with their names.
    std::string values;
    for (size_t i = 0; i < state.SizeVariables.size(); ++i) {
      values += (i > 0 ? ":" : "") + state.SizeVariables[i] + "=aic(" + PlainNum(static_cast<long long>(i + 1)) + ")";
    }
    out.Line("     " + values);
  }
  const std::string bodyFile = BodyFile(run, cycle);
  for (const std::string& line : ReadGuardedLines(run, bodyFile)) out.Line(line);
  DeleteGuarded(run, bodyFile);
  out.Line("");
  EmitResultsRepresenter(out);
  out.Detach();
  CloseGuarded(run, program);
}

std::string GenerationEndMessage(const std::string& model) {
  return " Ahora tiene Vd. que compilarlos como .exe de modo independiente." + LF + " D" + model +
         " es el gestor de datos. S" + model + " es el simulador." + LF + " R" + model +
         " es el gestor de resultados." + LF + "Los datos se escriben en ficheros llamados DATOS??? y los resultados" +
         LF + " generales en ficheros de nombre RESUL???, ambos en la unidad implícita." + LF +
         "Todos los ficheros deben estar en la unidad implícita.";
}

}  // namespace korva

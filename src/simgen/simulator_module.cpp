#include "simgen/simulator_module.h"

#include "emit/line_emitter.h"
#include "text/vb_text.h"

namespace korva {
namespace {

bool WithUncertainty(const SimulationState& sim) {
  return sim.UncertaintyChoice == "a" || sim.UncertaintyChoice == "t";
}

// A numbered line of the fixed parts: the counter is raised and its value × 10
// written without leading blank.
void NextNumbered(SimulationState& sim, const std::string& text) {
  sim.SimFile->WriteLine(PlainNumberedLine(++sim.SimLineCounter * 10LL, text));
}

// An unnumbered line that still takes a number of the counter.
void NextUnnumbered(SimulationState& sim, const std::string& text) {
  ++sim.SimLineCounter;
  sim.SimFile->WriteLine(text);
}

void Parameter(SimulationState& sim, const std::string& variable, const std::string& prompt,
               const std::string& after = "") {
  NextUnnumbered(sim, " " + variable + "=" + " " + "inputbox(" + Quoted(prompt) + ")" + after);
}

}  // namespace

void WriteNormalTable(OutputFile& out) { EmitTemplate(out, "simulator/normal_table.bas"); }

void WriteSimulatorHeader(RunState& run) {
  SimulationState& sim = run.Sim;
  OutputFile& out = *sim.SimFile;
  if (sim.GaChoice == "s") {
    out.WriteLine(" Dim ngc, pob, rep, nre, inm, mut, gen, ite, npo As Integer");
    if (sim.MaxAlleles != 0) out.WriteLine(" Dim nal As Integer");
  }
  if (WithUncertainty(sim)) {
    out.WriteLine(" Dim tnor(), a, b, b1, c, y1, ta(), h, s As Single");
    out.WriteLine(" Dim nsw, n As Integer");
    out.WriteLine(" Dim ua As String");
  }
  out.WriteLine(" Sub Main()");
  out.WriteLine("  S" + run.ModelName);
  out.WriteLine(" End Sub ");
  out.WriteLine(" Public Sub S" + run.ModelName + "()");
  if (WithUncertainty(sim)) {
    WriteNormalTable(out);
    sim.SimLineCounter = 22;
  }
  NextNumbered(sim, " Rem Programa para simular con el modelo " + run.ModelName);
  NextNumbered(sim, " uorg=" + Quoted("") + ":udep=" + Quoted("") + ": uarea=" + Quoted("") + ":uproy=" + Quoted(""));
}

void WriteRunParameters(RunState& run) {
  SimulationState& sim = run.Sim;
  NextUnnumbered(sim, "udi=" + Quoted(sim.DynamicChoice));
  const std::string& unit = sim.TimeUnit;
  if (sim.DynamicChoice == "s") {
    Parameter(sim, "pp", "¿Cuantos " + unit + "s desea simular?");
    Parameter(sim, "dt", "¿Con que paso desea integrar?");
    Parameter(sim, "rg", " ¿Cada cuantos " + unit + "s desea ver los resultados?");
    if (WithUncertainty(sim)) Parameter(sim, "nr", "¿Cuantas repeticiones desea?");
    Parameter(sim, "rini", "¿Cual es el " + unit + " inicial?");
  }
  if (sim.GaChoice == "s") {
    Parameter(sim, "pob", "¿Número de individuos de la población?");
    Parameter(sim, "rep", " ¿Porcentaje de reproductores?", ":nre=rep*pob/100");
    Parameter(sim, "inm", " ¿Número de inmigrantes por generación?");
    Parameter(sim, "mut", " ¿Tanto por mil de genes mutantes por generación?");
    Parameter(sim, "gen", " ¿Número de generaciones por periodo?");
    Parameter(sim, "ite", " ¿Número de iteraciones del algoritmo genético por periodo?");
    sim.SimFile->WriteLine(" ixx=ngc+1: Redim YYY(pob,ixx), YYR(ngc,2), XXX(ixx)");
  }
  Parameter(sim, "ns1", "¿Número de la primera simulación que desea efectuar?");
  Parameter(sim, "ns2", "¿Número de la última simulación que desea efectuar?");
  Parameter(sim, "uu", "¿Desea que le diga en cada momento lo que estoy haciendo?");
}

void WriteSimulationLoopHead(RunState& run) {
  SimulationState& sim = run.Sim;
  NextNumbered(sim, " for nsi=ns1 to ns2:uns=mid$(str$(nsi),2)");
  NextNumbered(sim, " open " + Quoted("datos") + "+uns+" + Quoted(".txt") + " for input" + " as #1");
  if (!WithUncertainty(sim)) {
    NextUnnumbered(sim, " open " + Quoted("resul") + "+uns" + " for output" + " as #2");
  } else {
    NextUnnumbered(sim, " open " + Quoted("resul") + "+uns+" + Quoted(".ale") + " for random as #2 len=4");
    NextUnnumbered(sim, " :nvi=" + NumText(sim.UncertainCount));
  }
}

}  // namespace korva

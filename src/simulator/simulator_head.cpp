#include "simulator/simulator_head.h"

#include "emit/emitted_text.h"
#include "emit/quoted.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// A run parameter: an unnumbered line that still takes a number of the counter.
void Parameter(ModuleWriter& out, const std::string& variable, const std::string& prompt,
               const std::string& after = "") {
  out.CountedLine(" " + variable + "=" + " " + "inputbox(" + Quoted(prompt) + ")" + after);
}

}  // namespace

void WriteNormalTable(ModuleWriter& out) {
  out.Template(TemplateId::kSimulatorNormalTable,
               {{"TITLE", PlainLineNumberText(emitted::kSimulatorCounterAfterNormalTable + 1)}});
}

void WriteMainProcedureHeader(ModuleWriter& out, const std::string& modelName, const SimulationState& sim) {
  if (sim.GeneticAlgorithm) {
    out.Line(" Dim ngc, pob, rep, nre, inm, mut, gen, ite, npo As Integer");
    if (sim.MaxAlleles != 0) out.Line(" Dim nal As Integer");
  }
  if (sim.WithUncertainty()) {
    out.Line(" Dim tnor(), a, b, b1, c, y1, ta(), h, s As Single");
    out.Line(" Dim nsw, n As Integer");
    out.Line(" Dim ua As String");
    out.Line(" Dim uyy As String");  // the input being drawn, named when its text is wrong
  }
  out.Line(" Sub Main()");
  out.Line("  S" + modelName);
  out.Line(" End Sub ");
  out.Line(" Public Sub S" + modelName + "()");
}

long WriteProgramTitle(ModuleWriter& out, const std::string& modelName, const SimulationState& sim) {
  if (sim.WithUncertainty()) {
    WriteNormalTable(out);
    out.SetCounter(emitted::kSimulatorCounterAfterNormalTable);
  }
  out.PlainNumbered(" Rem Programa para simular con el modelo " + modelName);
  out.PlainNumbered(" uorg=" + Quoted("") + ":udep=" + Quoted("") + ": uarea=" + Quoted("") + ":uproy=" + Quoted(""));
  return 10L * out.Counter();
}

void WriteRunParameters(ModuleWriter& out, const SimulationState& sim) {
  out.CountedLine("udi=" + Quoted(sim.DynamicChoice));
  const std::string& unit = sim.TimeUnit;
  if (sim.IsDynamic()) {
    Parameter(out, "pp", "¿Cuantos " + unit + "s desea simular?");
    Parameter(out, "dt", "¿Con que paso desea integrar?");
    Parameter(out, "rg", " ¿Cada cuantos " + unit + "s desea ver los resultados?");
    if (sim.WithUncertainty()) Parameter(out, "nr", "¿Cuantas repeticiones desea?");
    Parameter(out, "rini", "¿Cual es el " + unit + " inicial?");
  }
  if (sim.GeneticAlgorithm) {
    Parameter(out, "pob", "¿Número de individuos de la población?");
    Parameter(out, "rep", " ¿Porcentaje de reproductores?", ":nre=rep*pob/100");
    Parameter(out, "inm", " ¿Número de inmigrantes por generación?");
    Parameter(out, "mut", " ¿Tanto por mil de genes mutantes por generación?");
    Parameter(out, "gen", " ¿Número de generaciones por periodo?");
    Parameter(out, "ite", " ¿Número de iteraciones del algoritmo genético por periodo?");
    out.Line(" ixx=ngc+1: Redim YYY(pob,ixx), YYR(ngc,2), XXX(ixx)");
  }
  Parameter(out, "ns1", "¿Número de la primera simulación que desea efectuar?");
  Parameter(out, "ns2", "¿Número de la última simulación que desea efectuar?");
  Parameter(out, "uu", "¿Desea que le diga en cada momento lo que estoy haciendo?");
}

void WriteSimulationLoopHead(ModuleWriter& out, const SimulationState& sim) {
  out.PlainNumbered(" for nsi=ns1 to ns2:uns=mid$(str$(nsi),2)");
  out.PlainNumbered(" open " + Quoted("datos") + "+uns+" + Quoted(".txt") + " for input" + " as #1");
  if (!sim.WithUncertainty()) {
    out.CountedLine(" open " + Quoted("resul") + "+uns" + " for output" + " as #2");
  } else {
    // A run starts its record file empty: a shorter run after a longer one
    // would otherwise leave the older records for the statistics to read.
    const std::string records = " open " + Quoted("resul") + "+uns+" + Quoted(".ale");
    out.CountedLine(records + " for output as #2:close #2:" + records.substr(1) + " for random as #2 len=4");
    out.CountedLine(std::string(emitted::kUncertainCountStatement) + NumText(sim.UncertainInputCount));
  }
}

}  // namespace korva

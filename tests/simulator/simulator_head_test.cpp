// The simulator's fixed parts written to memory: options in, exact lines out.
#include "simulator/simulator_module.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korva {
namespace {

TEST(SimulatorModule, GeneticDynamicUncertainModelHeadAndRunParameters) {
  SimulationState sim;
  sim.GeneticAlgorithm = true;
  sim.MaxAlleles = 4;
  sim.DynamicChoice = "s";
  sim.TimeUnit = "día";
  sim.UncertaintyChoice = Uncertainty::kSomeInputs;
  sim.UncertainInputCount = 2;
  SimulatorModule module;
  module.Start("OPT", sim, SimulatorModule::Room{});
  module.AddReadingStatement(" line input #1,uc");
  MemorySink sink;
  sink.lines = module.Text();

  std::vector<std::string> head(sink.lines.begin(), sink.lines.begin() + 11);
  EXPECT_EQ(head, (std::vector<std::string>{" Dim ngc, pob, rep, nre, inm, mut, gen, ite, npo As Integer",
                                             " Dim nal As Integer",
                                             " Dim tnor(), a, b, b1, c, y1, ta(), h, s As Single",
                                             " Dim nsw, n As Integer", " Dim ua As String", " Dim uyy As String",
                                             " Sub Main()", "  SOPT",
                                             " End Sub ", " Public Sub SOPT()", "10 Redim tnor(74, 2), ta(20, 2)"}));
  auto title = std::find(sink.lines.begin(), sink.lines.end(), "230 Rem Programa para simular con el modelo OPT");
  ASSERT_NE(title, sink.lines.end()) << "the normal table's jump lands on the title";
  EXPECT_EQ(*(title - 1), "110 GoTo 230");
  const std::vector<std::string> rest(title + 1, sink.lines.end());
  EXPECT_EQ(rest, (std::vector<std::string>{
                      "240 uorg=\"\":udep=\"\": uarea=\"\":uproy=\"\"",
                      "udi=\"s\"",
                      " pp= inputbox(\"¿Cuantos días desea simular?\")",
                      " dt= inputbox(\"¿Con que paso desea integrar?\")",
                      " rg= inputbox(\" ¿Cada cuantos días desea ver los resultados?\")",
                      " nr= inputbox(\"¿Cuantas repeticiones desea?\")",
                      " rini= inputbox(\"¿Cual es el día inicial?\")",
                      " pob= inputbox(\"¿Número de individuos de la población?\")",
                      " rep= inputbox(\" ¿Porcentaje de reproductores?\"):nre=rep*pob/100",
                      " inm= inputbox(\" ¿Número de inmigrantes por generación?\")",
                      " mut= inputbox(\" ¿Tanto por mil de genes mutantes por generación?\")",
                      " gen= inputbox(\" ¿Número de generaciones por periodo?\")",
                      " ite= inputbox(\" ¿Número de iteraciones del algoritmo genético por periodo?\")",
                      " ixx=ngc+1: Redim YYY(pob,ixx), YYR(ngc,2), XXX(ixx)",
                      " ns1= inputbox(\"¿Número de la primera simulación que desea efectuar?\")",
                      " ns2= inputbox(\"¿Número de la última simulación que desea efectuar?\")",
                      " uu= inputbox(\"¿Desea que le diga en cada momento lo que estoy haciendo?\")",
                      // udi and the fourteen run parameters took the numbers 250 to 390.
                      "400 for nsi=ns1 to ns2:uns=mid$(str$(nsi),2)",
                      "410 open \"datos\"+uns+\".txt\" for input as #1",
                      " open \"resul\"+uns+\".ale\" for output as #2:close #2:open \"resul\"+uns+\".ale\" for random as #2 len=4",
                      " :nvi= 2",
                      " 440 line input #1,uc",
                  }));
  EXPECT_EQ(module.RestartLabel(), 240);
}

}  // namespace
}  // namespace korva

// The genetic algorithm's procedures for continuous and discrete genes, and
// the evaluation procedure made from a simulator's calculation section.
#include "simulator/genetic_routines.h"

#include <gtest/gtest.h>

#include "emit/emitted_text.h"
#include "simulator/simulator_module.h"

#include <algorithm>

namespace korva {
namespace {

using Lines = std::vector<std::string>;

SimulationState Options(int alleles) {
  SimulationState sim;
  sim.GeneticAlgorithm = true;
  sim.ChromosomeVar = "CRO";
  sim.InitialChromosomeVar = "CRI";
  sim.ChromosomeParamsVar = "PAR";
  sim.ObjectiveVar = "OBJ";
  sim.MaxAlleles = alleles;
  return sim;
}

bool Has(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(GeneticRoutines, ContinuousGenesSearchAWindowDiscreteGenesTakeAlleles) {
  Lines continuous = GeneticProcedures(Options(0));
  EXPECT_EQ(continuous[0], "");
  EXPECT_EQ(continuous[1], " Sub ALGGEN()");
  EXPECT_EQ(continuous[3], "   Dim OBJant, OBJ2 As Single");
  EXPECT_TRUE(Has(continuous, "        if CRI(j)*(1-PAR(j,3)/100) > PAR(j,1) then"));
  EXPECT_TRUE(Has(continuous, "           YYR(j,2)=CRI(j)*(1+PAR(j,3)/100)"));
  EXPECT_TRUE(Has(continuous, "        YYY(i,j)=(YYR(j,2)-YYR(j,1))*k+YYR(j,1)"));
  EXPECT_TRUE(Has(continuous, "                k=rnd: YYY(npo,i)=(YYR(i,2)-YYR(i,1))*k+YYR(i,1)"));
  EXPECT_FALSE(Has(continuous, "        l=k*nal+1: if l>nal then l=nal"));

  Lines discrete = GeneticProcedures(Options(5));
  EXPECT_FALSE(Has(discrete, "     for j=1 to ngc")) << "no window block with alleles";
  EXPECT_TRUE(Has(discrete, "        l=k*nal+1: if l>nal then l=nal"));
  EXPECT_TRUE(Has(discrete, "        YYY(i,j)=PAR(j,l)"));
  EXPECT_TRUE(Has(discrete, "        YYY(npo,j)=PAR(j,l)"));
  EXPECT_TRUE(Has(discrete, "                k=rnd: l=k*nal+1: if l>nal then l=nal"));
  EXPECT_TRUE(Has(discrete, "                YYY(npo,i)=PAR(i,l)"));
  // The procedures in their order, each ended by " End Sub" and two blanks.
  Lines headers;
  for (size_t i = 0; i < discrete.size(); ++i) {
    if (discrete[i].rfind(" Sub ", 0) == 0) headers.push_back(discrete[i]);
    if (discrete[i] == " End Sub") {
      EXPECT_EQ(discrete[i + 1], "  ");
    }
  }
  EXPECT_EQ(headers, (Lines{" Sub ALGGEN()", " Sub POBLINIC()", " Sub SELEC()", " Sub INMIGR()", " Sub REPRO()"}));
}

// The calculation as the module wrote it, each line with its mark.
using Marked = std::vector<std::pair<std::string, StatementMark>>;
StatementMark As(StatementRole role, size_t tail = 0) { return StatementMark{static_cast<unsigned char>(role), tail}; }

TEST(GeneticRoutines, EvaluationLeavesOutWhatTheMarksSay) {
  using R = StatementRole;
  const Marked calculation = {{" 190 if k1=0 then ", As(R::kChromosomeSizing)},
                              {" 200  redim CRO(6)", As(R::kChromosomeSizing)},
                              {" 210  k1=1", As(R::kChromosomeSizing)},
                              {" 220 endif", As(R::kChromosomeSizing)},
                              {" 230 : : ALGGEN : for i1=1 to 6:", As(R::kChromosomeLoops)},
                              {" 240 CRO(i1) = YYY (1 , i1):    REM  f(CRI)", As(R::kFunctionLine)},
                              {" 250 write #2,CRO(i1)", As(R::kOutput)},
                              {" 260 next:", As(R::kPlain)},
                              {" 270 if k2=0 then ", As(R::kSizing)},
                              {" 280  redim CROTT(3)", As(R::kSizing)},
                              {" 290  k2=1", As(R::kPlain)},
                              {" 300 endif", As(R::kPlain)},
                              {" 310 OBJ = (CRO(1)-PAR(1,1))^2+(cro(2)-PAR(2,1))^2", As(R::kFunctionLine)},
                              {" 320 if k = 1 then write #2,OBJ", As(R::kFunctionLine)},
                              {" 330 next i:close #3:REN=ym:write #2,REN", As(R::kPlain, 12)},
                              {" 340 REM Fin del calculo de las variables", As(R::kCalculationEnd)},
                              {" 350 write #2,CRO(1)", As(R::kPlain)}};
  // The modeller's own lines are copied as typed, whatever they hold; an
  // array named like the chromosome is sized all the same.
  EXPECT_EQ(EvaluationLines(calculation, "CRO"),
            (Lines{"    230 : : : for i1=1 to 6:", "    260 next:", "    270 if k2=0 then ", "    280  redim CROTT(3)",
                   "    290  k2=1", "    300 endif", "    310 OBJ = (XXX(1)-PAR(1,1))^2+(XXX(2)-PAR(2,1))^2",
                   "    320 if k = 1 then write #2,OBJ", "    330 next i:close #3:REN=ym"}));
  // A corrected output is still an output; a corrected lookup is copied as typed.
  EXPECT_EQ(EvaluationLines({{" 250 print CRO(1)", As(R::kOutput)}, {" 330 REN=ym", As(R::kPlain, 0)}}, "CRO"),
            (Lines{"    330 REN=ym"}));
}

TEST(GeneticRoutines, EvaluationOfADynamicModelStartsInsideTheTimeLoop) {
  SimulationState sim = Options(0);
  sim.DynamicChoice = "s";
  sim.TimeUnit = "mes";
  sim.ChangingInputCount = 1;
  SimulatorModule module;
  module.Start("M", sim, SimulatorModule::Room{});
  module.AddReadingStatement(" line input #1,uc:input #1,ñAA:AA=ñAA");
  module.AddPerStep(" AA=AA+CRO(1)");  // a line of the body run at every step
  module.CloseSetUp(sim);
  module.Hold({{" OBJ = CRO(1)*t", StatementRole::kFunctionLine},
               {" if dt0<=dt0a then write #2,OBJ", StatementRole::kOutput},
               {std::string(emitted::kCalculationEnd), StatementRole::kCalculationEnd},
               {std::string(emitted::kTimeLoopEnd)}});
  module.Flush();
  ModelTables model;
  module.Complete(model, sim, "6", 0);
  const Lines text = module.Text();
  auto at = std::find(text.begin(), text.end(), " Sub calcobj()");
  ASSERT_NE(at, text.end());
  EXPECT_EQ(Lines(at, text.end()),
            (Lines{" Sub calcobj()", "    240 AA=AA+XXX(1)", "    250 OBJ = XXX(1)*t", " End Sub", "  "}))
      << "from the line after the loop head, 230, to the end of the calculation";
  // The gene count follows the main procedure's header.
  auto header = std::find(text.begin(), text.end(), " Public Sub SM()");
  ASSERT_NE(header, text.end());
  EXPECT_EQ(*(header + 1), " ngc = 6-1");
}

}  // namespace
}  // namespace korva

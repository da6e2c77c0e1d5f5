// The genetic algorithm's procedures for continuous and discrete genes, and
// the evaluation procedure made from a simulator's calculation section.
#include "simulator/genetic_routines.h"

#include <gtest/gtest.h>

#include "simulator/simulator_body.h"

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

TEST(GeneticRoutines, EvaluationOfAStaticModel) {
  Lines simulator = {" 170 line input #1,uc:input #1,ñPAR",
                     " 180 REM Ecuaciones",
                     " 190 if k1=0 then ",
                     " 200  redim CRO(6)",
                     " 210  k1=1",
                     " 220 endif",
                     " 230 : : ALGGEN : for i1=1 to 6:",
                     " 240 CRO(i1) = YYY (1 , i1):    REM  f(CRI)",
                     " 250 write #2,CRO(i1)",
                     " 260 next:",
                     " 270 if k2=0 then ",
                     " 280  redim TT(3)",
                     " 290  k2=1",
                     " 300 endif",
                     " 310 OBJ = (CRO(1)-PAR(1,1))^2+(cro(2)-PAR(2,1))^2",
                     " 320 write #2,OBJ",
                     " 330 next i:close #3:REN=ym:write #2,REN",
                     " 340 REM Fin del calculo de las variables",
                     " 350 write #2,CRO(1)"};
  EXPECT_EQ(EvaluationLines(simulator, "CRO"),
            (Lines{"    230 : : : for i1=1 to 6:", "    260 next:", "    270 if k2=0 then ", "    280  redim TT(3)",
                   "    290  k2=1", "    300 endif", "    310 OBJ = (XXX(1)-PAR(1,1))^2+(XXX(2)-PAR(2,1))^2",
                   "    330 next i:close #3:REN=ym"}));
}

TEST(GeneticRoutines, EvaluationOfADynamicModelStartsInsideTheTimeLoop) {
  Lines simulator = {" 180 REM Ecuaciones",
                     " 190 x=1",
                     " 430" + std::string(kTimeLoopHead),
                     " 440 OBJ = CRO(1)*t",
                     " 450 if dt0<=dt0a then put #2,, OBJ",
                     " 460 REM Fin del calculo de las variables"};
  EXPECT_EQ(EvaluationLines(simulator, "CRO"), (Lines{"    440 OBJ = XXX(1)*t"}));
}

}  // namespace
}  // namespace korva

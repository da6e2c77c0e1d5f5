// The specification stage run on small models, from the simulation set-up to
// the completed simulator.
#include "variables/variable_specification.h"

#include <gtest/gtest.h>

#include "emit/emitted_text.h"

#include <algorithm>
#include <filesystem>

#include "variables/create_run.h"

namespace korva {
namespace {

using testing::CreateRun;
using testing::Join;
using testing::Lines;
using testing::LinesOf;
using testing::StaticSetUp;
using testing::TempDir;

TEST(VariableSpecification, CodesAnswerTheirQuestionsAndAreRecordedLikeAnswers) {
  CreateRun c({"AA a", "BB b", "YY media [ince=s;esta=n;ndim=2;d1=10;d2=5", "ZZ z [ndim=0;tabl=n;"},
              {"YY   AA,BB", "ZZ   YY"},
              Join({"n", "s", "mes", "a", "n", "0", "n", "s", "n", "0", "n", "s", "n"},  // dynamic, uncertainty "a"
                   {"n",                                                                 // functions typed
                    "NP", "2", "h=AA+BB", "s=1", "n", "s",                               // YY: d2 asked, lines
                    "n", "n", "1", "ZZ=YY(1,1)", "n", "s",                               // ZZ
                    "n"}));                                                              // no correction
  c.Go();
  ASSERT_EQ(c.ended, EndReason::kFinished);
  EXPECT_EQ(c.a.box.remaining(), 0u);
  EXPECT_EQ(c.a.TimesAsked("¿La función YY=f(AA,BB) lleva incertidumbre?"), 0);
  EXPECT_EQ(c.a.TimesAsked("¿La variable YY media [ince=s;esta=n;ndim=2;d1=10;d2=5 es de estado?(S/N/T)"), 0);
  EXPECT_EQ(c.a.TimesAsked("Vaya introduciendolas. d1="), 0);
  EXPECT_EQ(c.a.TimesAsked("Vaya introduciendolas. d2="), 1) << "a code without its \";\" is asked";
  EXPECT_EQ(c.a.TimesAsked("¿La función YY=f(AA,BB) es una tabla? (S/N/T)"), 0) << "uncertain: never a table";
  EXPECT_EQ(c.a.TimesAsked("¿La variable ZZ es dimensional?(S/N/T)"), 0) << "ndim=0";
  EXPECT_EQ(c.a.TimesAsked("¿La variable ZZ z [ndim=0;tabl=n; es de estado?(S/N/T)"), 1);
  EXPECT_TRUE(c.a.Showed("Llame a los subíndices de YY i1,i2,..., correlativamente."));
  EXPECT_TRUE(
      c.ShowedSome("¡OJO! LAS VARIABLES DIMENSIONALES NO SUELEN LLEVAR INCERTIDUMBRE.\n"
                   "      Si insiste en ello deber"));
  EXPECT_TRUE(c.ShowedSome("Si la función lleva incertidumbre escriba dos sentencias, una que sea\n"));

  const std::string log = c.dir.Read("MODELO1.txt");
  EXPECT_NE(log.find("\"¿Funciones grabadas?\",\"n\"\r\n\"YY media [ince=s;esta=n;ndim=2;d1=10;d2=5\"\r\n"
                     "\"   La funcion\",\"YY=f(AA,BB)\",\"¿Lleva incertidumbre?\",\"s\"\r\n"
                     "\"   ¿De estado?\",\"n\"\r\n\"   ¿Dimensional?\",\"s\"\r\n\"   Dimensiones\",2\r\n"
                     "\"   \",\"10\"\r\n\"   \",\"NP\"\r\n\"   ¿Lineas de la funcion?\",2\r\nh=AA+BB\r\ns=1\r\n"),
            std::string::npos);

  EXPECT_EQ(c.a.run.Cycle.Sim.UncertainInputCount, 0);
  EXPECT_EQ(c.a.run.Cycle.Spec.UncertainFunctionCount, 1);
  EXPECT_EQ(c.a.run.Cycle.Spec.SizeVariables, Lines{"NP"});
  EXPECT_TRUE(c.SimHas(" :nvi= 1")) << "the final count replaces the set-up's";
  Lines sim = c.Sim();
  auto at = std::find(sim.begin(), sim.end(), " 430" + std::string(emitted::kTimeLoopHead));
  ASSERT_NE(at, sim.end());
  EXPECT_EQ(Lines(at + 1, at + 13),
            (Lines{" 440 if k1=0 then ", " 450  redim YY(10,NP)", " 460  k1=1", " 470 endif",
                   " 480 for i1=1 to 10:for i2=1 to NP:", " 490 h=AA+BB", " 500 s=1", " 510  nsw=1::gs210:YY(i1,i2)=y1",
                   " 520 if dt0<=dt0a then put #2,, YY(i1,i2)", " 530 next:next:", " 540 ZZ=YY(1,1)",
                   " 550 if dt0<=dt0a then put #2,, ZZ"}));
  EXPECT_TRUE(c.SimHas(" 600 next npaso"));
  EXPECT_TRUE(c.SimHas(" 610 next ir:close #1,#2:ic=1+10*NP"));
  EXPECT_TRUE(c.SimHas(" 630 write #1,ic,udi,pp,rg,rini,nr,NP:close #1"));
  EXPECT_TRUE(c.SimHas(" Sub gs120()"));
  EXPECT_TRUE(c.SimHas(" Sub gs210()"));
  EXPECT_EQ(sim[2], " Dim AA, BB, YY(), ZZ As Single");
}

TEST(VariableSpecification, StaticModelWithoutUncertaintyOrGeneticAlgorithm) {
  CreateRun c({"AA a", "YY y"}, {"YY   AA"},
              Join(StaticSetUp(1), {"n", "n", "n", "n", "2", "YY=f(AA)", "YY=2*AA", "n", "s", "n"}));
  c.Go();
  ASSERT_EQ(c.ended, EndReason::kFinished);
  EXPECT_EQ(c.a.TimesAsked("¿La variable YY y es de estado?(S/N/T)"), 0) << "a static model has no states";
  EXPECT_EQ(c.Sim(), (Lines{" defsng a-h, o-t, x-z:deflng i-n:defstr u-w",
                            " Dim t, dt As Single",
                            " Dim AA, YY As Single",
                            " Sub Main()",
                            "  SM",
                            " End Sub ",
                            " Public Sub SM()",
                            "10 Rem Programa para simular con el modelo M",
                            "20 uorg=\"\":udep=\"\": uarea=\"\":uproy=\"\"",
                            "udi=\"n\"",
                            " ns1= inputbox(\"¿Número de la primera simulación que desea efectuar?\")",
                            " ns2= inputbox(\"¿Número de la última simulación que desea efectuar?\")",
                            " uu= inputbox(\"¿Desea que le diga en cada momento lo que estoy haciendo?\")",
                            "70 for nsi=ns1 to ns2:uns=mid$(str$(nsi),2)",
                            "80 open \"datos\"+uns+\".txt\" for input as #1",
                            " open \"resul\"+uns for output as #2",
                            " 100 line input #1,uc::input #1,ñAA:AA=ñAA",
                            " 110 REM Ecuaciones",
                            " 120 REM YY=f(AA)",
                            " 130 YY=2*AA",
                            " 140 write #2,YY",
                            " 150 REM Fin del calculo de las variables",
                            " 160 if uu=\"s\" then",
                            " 170  debug.print \"Sim \";nsi;\"/\";ns2",
                            " 180 endif",
                            " 190 close #1,#2:ic=1",
                            " 200 open \"R\"+uns+\"ic\" for output as #1",
                            " 210 write #1,ic,udi,pp,rg,rini,nr:close #1:nx=nx+1:next",
                            " 220 v1=inputbox(\"He terminado. ¿Desea ejecutar alguna otra simulación (S/N)\"):if "
                            "v1=\"s\" or v1=\"S\" goto 20",
                            " End sub",
                            "   "}));
  EXPECT_EQ(c.dir.Read("FM.txt"), "YY=f(AA)\r\n YY=2*AA\r\n") << "typed functions are kept in calculation order";
  for (const auto& entry : std::filesystem::directory_iterator(c.dir.path())) {
    EXPECT_NE(entry.path().extension(), ".tem") << entry.path();
  }
}

TEST(VariableSpecification, ManyPendingStatementsAreOfferedForCorrectionBeforeTheNextElement) {
  Lines lines;
  for (int k = 1; k <= 30; ++k) lines.push_back("YY = YY + " + std::to_string(k));
  Lines answers = Join(StaticSetUp(1), {"n", "n", "n", "n", "30"});
  answers = Join(answers, lines);
  answers = Join(answers, {"n", "s",                 // YY accepted: 31 statements for a buffer of 18
                           "s", "20", " 20 YY = 0",  // statement 20 replaced
                           "s", "30", "30",          // statement 30 emptied
                           "n",                      // written
                           "n", "n", "n", "1", "ZZ = YY", "n", "s", "n"});
  CreateRun c({"AA a", "YY y", "ZZ z"}, {"YY   AA", "ZZ   YY"}, answers);
  c.Go();
  ASSERT_EQ(c.ended, EndReason::kFinished);
  EXPECT_EQ(c.a.box.remaining(), 0u);
  EXPECT_LT(c.PromptAt("¿Desea corregir alguna sentencia? (S/N/T)"),
            c.PromptAt("¿La función ZZ=f(YY) lleva incertidumbre?"));
  EXPECT_TRUE(c.SimHas(" 130 YY = 0"));
  EXPECT_TRUE(c.SimHas(" 140 ")) << "only the number: an empty numbered line";
  EXPECT_TRUE(c.SimHas(" 150 YY = YY + 4"));
  EXPECT_TRUE(c.SimHas(" 430 ZZ = YY")) << "numbering goes on after the written statements";
  EXPECT_NE(c.dir.Read("MODELO1.txt").find("\"   Sentencia a corregir\",20\r\n 20 YY = 0\r\n"), std::string::npos);
}

TEST(VariableSpecification, RejectedFunctionIsSpecifiedAgainAndItsStatementsDiscarded) {
  CreateRun c({"AA a", "YY y"}, {"YY   AA"},
              Join(StaticSetUp(1), {"n", "s", "n", "n", "n", "1", "YY = 1", "n", "n",  // refused "s"; rejected
                                    "n", "n", "n", "1", "YY = AA", "n", "s", "n"}));
  c.Go();
  ASSERT_EQ(c.ended, EndReason::kFinished);
  EXPECT_TRUE(c.ShowedSome("Este modelo no considera incertidumbre")) << "no function draws without repetitions";
  EXPECT_EQ(c.a.TimesAsked("¿La función YY=f(AA) lleva incertidumbre?"), 3);
  EXPECT_TRUE(c.SimHas(" 120 YY = AA"));
  EXPECT_TRUE(c.SimHas(" 130 write #2,YY"));
  EXPECT_EQ(c.dir.Read("FM.txt"), "YY = AA\r\n") << "only the accepted function is kept";
  EXPECT_EQ(c.a.run.Cycle.Spec.UncertainFunctionCount, 0);
}

TEST(VariableSpecification, TrustedCodesCheckTheFunctionAndStopOnAFault) {
  CreateRun c({"AA a [ndim=0;", "YY y [ince=n;ndim=0;tabl=n;"}, {"YY   AA"},
              {"n", "n", "s", "n", "n", "1", "YY = 3", "n"});
  c.Go();
  EXPECT_EQ(c.ended, EndReason::kErrorReported);
  EXPECT_TRUE(
      c.a.Showed("HAY ALGUN ERROR CON RESPECTO A LA FUNCIÓN YY=f(AA)\n"
                 "     Le sugiero corrija o suprima los códigos entre corchetes\n"
                 "     de los nombres de las variables de salida desde YY y [ince=n;ndim=0;tabl=n;"));

  CreateRun good({"AA a [ndim=0;", "YY y [ince=n;ndim=0;tabl=n;"}, {"YY   AA"},
                 {"n", "n", "s", "n", "n", "1", "YY = AA", "n"});
  good.Go();
  ASSERT_EQ(good.ended, EndReason::kFinished);
  EXPECT_EQ(good.a.TimesAsked("¿Es correcto? (S/N/T)"), 0);
  EXPECT_EQ(good.a.TimesAsked("¿Desea corregir alguna sentencia? (S/N/T)"), 0);
  EXPECT_NE(good.dir.Read("MODELO1.txt")
                .find("YY = AA\r\n\"   ¿Corregir alguna ecuacion?\",\"n\"\r\n\"   ¿Correcto?\",\"s\"\r\n"),
            std::string::npos);
}

TEST(VariableSpecification, OrderedEquationsFileThatFailsEndsTheRun) {
  const Lines names = {"AA a", "YY y", "ZZ z"};
  const Lines matrix = {"YY   AA", "ZZ   YY"};
  CreateRun missing(names, matrix, Join(StaticSetUp(1), {"s", ""}));
  missing.Go();
  EXPECT_EQ(missing.ended, EndReason::kErrorReported);
  EXPECT_NE(missing.a.box.Prompts().back().find("PULSE UNA TECLA PARA CONTINUAR"), std::string::npos);

  CreateRun shorter(names, matrix, Join(StaticSetUp(1), {"s", "n", "n", "n", "s", "n", "n", "n"}));
  shorter.dir.Write("FM.txt", "YY = AA\n");
  shorter.Go();
  EXPECT_EQ(shorter.ended, EndReason::kErrorReported);
  EXPECT_TRUE(shorter.ShowedSome("no tiene la función de ZZ z"));

  std::string longBlock = "YY = AA\n";
  for (int k = 0; k < 100; ++k) longBlock += " YY = YY + 1\n";
  CreateRun longer(names, matrix, Join(StaticSetUp(1), {"s", "n", "n", "n"}));
  longer.dir.Write("FM.txt", longBlock + "ZZ = YY\n");
  longer.Go();
  EXPECT_EQ(longer.ended, EndReason::kErrorReported);
  EXPECT_TRUE(longer.ShowedSome("La función de YY y en el fichero"));
}

TEST(VariableSpecification, ReplayedLogOutOfStepWithTheSpecificationStops) {
  TempDir dir;
  {
    CreateRun first({"AA a", "YY y"}, {"YY   AA"},
                    Join(StaticSetUp(1), {"n", "n", "n", "n", "1", "YY = AA", "n", "s", "n"}), dir.workDir());
    first.Go();
    ASSERT_EQ(first.ended, EndReason::kFinished);
  }
  std::string log = dir.Read("MODELO1.txt");
  size_t at = log.find("¿Funciones grabadas?");
  ASSERT_NE(at, std::string::npos);
  dir.Write("MODELO1.txt", log.replace(at, 20, "¿Otra pregunta?"));
  CreateRun replay({"AA a", "YY y"}, {"YY   AA"}, {"n"}, dir.workDir());
  replay.Go();
  EXPECT_EQ(replay.ended, EndReason::kErrorReported);
  EXPECT_TRUE(replay.a.Showed("Error de descuadre en fichero Modelo1"));
}

}  // namespace
}  // namespace korva

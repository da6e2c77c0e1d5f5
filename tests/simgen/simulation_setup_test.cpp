#include "simgen/simulation_setup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "emit/emitted_text.h"

#include "core/staged_files.h"
#include "model/model_fixture.h"
#include "support/dialogue_run.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::LeveledModelOf;
using testing::LinesOf;
using testing::TempDir;

// A set-up run on a model of two inputs (A, B) and one calculated element (Y),
// with the simulator as the set-up leaves it.
struct SetUpRun {
  SetUpRun(std::vector<std::string> names, std::vector<std::string> answers)
      : a(dir.workDir(), "M", std::move(answers)) {
    a.run.Cycle.Model = LeveledModelOf(names, {"YY   AA,BB"});
    ended = a.Try(SimulationSetup);
  }
  // The simulator as far as the set-up wrote it.
  std::vector<std::string> Sim() { return a.run.Cycle.Simulator.Text(); }
  std::string SimText() {
    std::string text;
    for (const std::string& line : Sim()) text += line + "\r\n";
    return text;
  }
  std::vector<std::string> Data() const { return LinesOf(dir.Read("DM.bas")); }
  TempDir dir;
  ActivityRun a;
  std::optional<EndReason> ended;
};

const std::vector<std::string> kPlain = {"AA primera entrada", "BB segunda entrada", "YY resultado"};

TEST(SimulationSetup, StaticModelWithoutOptions) {
  SetUpRun s(kPlain, {"n", "n", "n", "s", "n", "", "n"});
  ASSERT_EQ(s.ended, std::nullopt);
  EXPECT_EQ(s.Sim(), (std::vector<std::string>{
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
                         " 110 line input #1,uc::input #1,ñBB:BB=ñBB",
                         " 120 REM Ecuaciones",
                     }));
  // No help texts in the data-entry program, and its first per-variable line is 140.
  std::vector<std::string> data = s.Data();
  EXPECT_EQ(data[0], "defsng a-h, o-t, x-z:deflng i-n:defstr u-w");
  EXPECT_EQ(data[6], "uorg=\"\"");
  EXPECT_EQ(data[11], "20 REM print:print \"Programa para rellenar el fichero de datos del modelo M\"");
  auto first = std::find(data.begin(), data.end(), " 140 ub=\"AA primera entrada\"");
  ASSERT_NE(first, data.end());
  EXPECT_EQ(*(first - 1), "    GoTo 140");
  EXPECT_EQ(data.back(), " 280 End Sub");
  EXPECT_EQ(data[data.size() - 3], " 260 close #1,#2,#3");
  EXPECT_EQ(s.a.TimesAsked("¿Es correcto? (S/N/T) "), 2);
  EXPECT_TRUE(s.a.Showed(":input #1,ñAA"));
}

TEST(SimulationSetup, DataEntrySectionOfAScalarInput) {
  SetUpRun s(kPlain, {"n", "n", "n", "s", "n", "s", "n"});
  std::vector<std::string> data = s.Data();
  auto at = std::find(data.begin(), data.end(), " 200 ub=\"BB segunda entrada\"");
  ASSERT_NE(at, data.end());
  EXPECT_EQ(
      std::vector<std::string>(at, at + 6),
      (std::vector<std::string>{
          " 200 ub=\"BB segunda entrada\"",
          " 210 if nn<3 or ua=\"n\" then msgbox(ub)",
          " 220 if nn=1 or ua=\"n\" then ñBB=inputbox(ub) else if nn<5 and uns<>\"\" and ua<>\"p\" and (uns<>unsa "
          "or nx=0) then line input #1,uc:input #1,ñBB",
          " 230 if nn=3 and uvc<>\"BB\" goto 260",
          " 240 if nn=5 then print #2,ub: write #2,ñBB:goto 260",
          " 250 ua=inputbox(ñBB & \"¿Desea seguir (), corregir (n), o volver al principio (p)?\"):if "
          "ua=\"p\" then nn=3:uvc=\"\" else if ua=\"n\" goto 200",
      }));
}

TEST(SimulationSetup, DynamicModelWithUncertaintyAndCodes) {
  // AA: uncertain, one value per repetition. BB: codes: certain, two changes of
  // value. CC: uncertain with a new value at every step, dimensional (codes).
  std::vector<std::string> names = {"AA entrada incierta", "BB cambia [ince=n;cval=2;ndim=0;",
                                    "CC vector [ince=s;aldi=s;cval=0;ndim=1;d1=5;", "YY resultado"};
  SetUpRun s(names, {"n", "s", "dia", "a",     // options
                     "s", "n", "0", "n", "s",  // AA, confirmed
                     "n",                      // codes are checked, not trusted
                     "", "",                   // BB, CC confirmed
                     "n"});
  ASSERT_EQ(s.ended, std::nullopt);
  EXPECT_EQ(s.a.TimesAsked("¿Desea utilizar los códigos entre corchetes sin comprobar nada? (S/N/T)"), 1);
  std::vector<std::string> sim = s.Sim();
  EXPECT_EQ(sim[8], "10 Redim tnor(74, 2), ta(20, 2)");
  EXPECT_EQ(sim[14],
            " tnor(1,2) =0   :tnor(2,2) =0398:tnor(3,2) =0796:tnor(4,2) =1192:tnor(5,2) =1585:tnor(6,2) =1974");
  EXPECT_EQ(sim[15].substr(0, 48), " tnor(7,2) =2358:tnor(8,2) =2736:tnor(9,2) =3108");
  EXPECT_EQ(sim[15].substr(48, 16), ":tnor(10,2)=3472");
  EXPECT_EQ(sim[24],
            " tnor(68,2)=9991:tnor(69,2)=9993:tnor(70,2)=9995.3:tnor(71,2)=9996.8:tnor(72,2)=9997.8:"
            "tnor(73,2)=9998.6:tnor(74,2)=9999.1");
  EXPECT_EQ(sim[27], "110 GoTo 230");
  EXPECT_EQ(sim[28], "230 Rem Programa para simular con el modelo M");
  EXPECT_EQ(sim[0], " Dim tnor(), a, b, b1, c, y1, ta(), h, s As Single");
  EXPECT_EQ(sim[3], " Dim uyy As String");
  const std::vector<std::string> rest(sim.begin() + 30, sim.end());
  EXPECT_EQ(rest,
            (std::vector<std::string>{
                "udi=\"s\"",
                " pp= inputbox(\"¿Cuantos dias desea simular?\")",
                " dt= inputbox(\"¿Con que paso desea integrar?\")",
                " rg= inputbox(\" ¿Cada cuantos dias desea ver los resultados?\")",
                " nr= inputbox(\"¿Cuantas repeticiones desea?\")",
                " rini= inputbox(\"¿Cual es el dia inicial?\")",
                " ns1= inputbox(\"¿Número de la primera simulación que desea efectuar?\")",
                " ns2= inputbox(\"¿Número de la última simulación que desea efectuar?\")",
                " uu= inputbox(\"¿Desea que le diga en cada momento lo que estoy haciendo?\")",
                "340 for nsi=ns1 to ns2:uns=mid$(str$(nsi),2)",
                "350 open \"datos\"+uns+\".txt\" for input as #1",
                " open \"resul\"+uns+\".ale\" for output as #2:close #2:open \"resul\"+uns+\".ale\" for random as #2 len=4",
                " :nvi= 0",
                " 380 line input #1,uc::input #1,wAA",
                " 390 line input #1,uc:redim ñBBp(3),ñBBc(3):for k=1 to 3:input #1,uc,ñBBp(k),uc,ñBBc(k):next:lBB=1",
                " 400 line input #1,uc:redim wCC(5):for i1=1 to 5:input #1,wCC(i1):next:redim CC(5)",
                " 410 FOR IR=1 TO NR",
                " 420 :ua=wAA:uyy=\"AA\"::gs170:AA=y1",
                " 430" + std::string(emitted::kReportingIntervalFloor),
                " 440" + std::string(emitted::kStepCount),
                " 450" + std::string(emitted::kTimeLoopHead),
                " 460 if lBB< 3 then if t+rini>=ñBBp(lBB+1) then lBB=lBB+1",
                " 470 BB=ñBBc(lBB)",
                " 480 :for i1=1 to 5:ua=wCC(i1):uyy=\"CC\"::gs170:CC(i1)=y1:next",
            }));
  const SimulationState& state = s.a.run.Cycle.Sim;
  EXPECT_EQ(state.UncertainInputCount, 2);
  EXPECT_EQ(state.ChangingInputCount, 1);
  EXPECT_EQ(state.ValueChangeInputCount, 1);
  EXPECT_EQ(state.UncertainFlags, (std::vector<int>{0, 1, 0, 1, 0}));
  EXPECT_EQ(state.DimensionalFlags, (std::vector<int>{0, 0, 0, 1, 0}));
  EXPECT_EQ(std::vector<int>(state.ValueCounts.begin() + 1, state.ValueCounts.end()), (std::vector<int>{1, 3, 1, 1}));
  EXPECT_EQ(state.ValueChangeInits, std::vector<std::string>{": lBB=1"});
  // The help texts of an uncertain model are in the data-entry program.
  std::vector<std::string> data = s.Data();
  EXPECT_EQ(std::count(data.begin(), data.end(), "msgbox(v1+ux+v2+ux+v3+ux+v4+ux+v5)"), 2);
  EXPECT_NE(std::find(data.begin(), data.end(), " 140 ub=\"AA entrada incierta\""), data.end());
  EXPECT_NE(std::find(data.begin(), data.end(), " 200 if nx=0 then"), data.end());
  // Answers given by codes are recorded like typed ones.
  std::string log = s.dir.Read("MODELO1.txt");
  EXPECT_NE(log.find("\"   Incertidumbre: \",\"n\"\r\n\"   Cambios de valor\",\"2\"\r\n\"   ¿Dimensional?\",\"n\""),
            std::string::npos);
  EXPECT_NE(log.find("\"   Dimensiones\",\"1\"\r\n\"   \",\"5\""), std::string::npos);
}

TEST(SimulationSetup, WithoutUncertaintyTheMarkersGo) {
  SetUpRun s(kPlain, {"n", "s", "mes", "N", "n", "0", "n", "s", "n", "0", "n", "s", "n"});
  ASSERT_EQ(s.ended, std::nullopt);
  std::vector<std::string> sim = s.Sim();
  EXPECT_EQ(sim[4], "10 Rem Programa para simular con el modelo M");
  EXPECT_NE(std::find(sim.begin(), sim.end(), " 140 line input #1,uc::input #1,AA"), sim.end());
  EXPECT_EQ(sim.back(), " 180" + std::string(emitted::kTimeLoopHead));
  std::string data = s.dir.Read("DM.bas");
  EXPECT_EQ(data.find("ñ"), std::string::npos);
  EXPECT_NE(data.find(" 160 if nn=1 or ua=\"n\" then AA=inputbox(ub)"), std::string::npos);
}

TEST(SimulationSetup, FaultyCodesAreAskedAndRefusedAnswersAskAgain) {
  std::vector<std::string> names = {"AA x [ndim=x;cval=2", "BB y", "YY z"};
  SetUpRun s(names, {"n", "s", "dia", "n", "s",  // options; codes trusted
                     "1",                        // cval without ";" is asked
                     "n",                        // ndim not a number: asked
                     "0", "n", "n",              // BB, refused, then again
                     "0", "n", "", "s"});
  ASSERT_EQ(s.ended, EndReason::kFinished) << "stopped to go on another time";
  EXPECT_TRUE(s.a.Showed("Error en código cval de: \nAA x [ndim=x;cval=2"));
  EXPECT_EQ(s.a.TimesAsked("¿La variable AA es dimensional?(S/N/T)"), 1);
  EXPECT_TRUE(s.a.Showed("Comencemos de nuevo"));
  EXPECT_EQ(s.a.TimesAsked("¿La variable BB Cuantos cambios de valor tiene?"), 2);
  EXPECT_TRUE(s.a.Showed("¡Hasta la proxima!"));
  EXPECT_EQ(s.a.TimesAsked("¿Es correcto? (S/N/T) "), 2) << "trusted codes are not confirmed";
  EXPECT_NE(s.SimText().find(" 180" + std::string(emitted::kTimeLoopHead)), std::string::npos)
      << "the set-up's part of the simulator is whole";
  // The data-entry program is whole and in place; the simulator is not written.
  EXPECT_TRUE(s.dir.Has("DM.bas"));
  DiscardStaged(s.a.run.Context);
  EXPECT_FALSE(s.dir.Has("SM.bas"));
  for (const auto& entry : std::filesystem::directory_iterator(s.dir.dir())) {
    EXPECT_EQ(entry.path().filename().string().find(".korva-tmp-"), std::string::npos) << entry.path();
  }
}

// Every array the simulator uses is sized before use, and an input's size may
// be a long name.
TEST(SimulationSetup, ArraysOfDrawnAndChangingInputsAreSized) {
  std::vector<std::string> names = {"AA cambia [ince=s;aldi=n;cval=1;ndim=1;d1=NPUNTOSX;",
                                    "BB y [ince=n;cval=0;ndim=2;d1=3;d2=N;", "YY z"};
  SetUpRun s(names, {"n", "s", "dia", "a", "s", "n"});
  ASSERT_EQ(s.ended, std::nullopt);
  EXPECT_EQ(s.a.box.Prompts().size(), 6u) << "no size asked: the codes answer everything";
  std::vector<std::string> sim = s.Sim();
  EXPECT_NE(std::find(sim.begin(), sim.end(),
                      " 380 line input #1,uc:redim ñAAp(2),wAAc(NPUNTOSX,2),ñAAc(NPUNTOSX,2):for i1=1 to NPUNTOSX:"
                      "for k=1 to 2:input #1,uc,ñAAp(k),uc,wAAc(i1,k):next:next:lAA=1:redim AA(NPUNTOSX)"),
            sim.end());
  EXPECT_NE(std::find(sim.begin(), sim.end(),
                      " 390 line input #1,uc:redim ñBB(3,N):for i1=1 to 3:for i2=1 to N:input #1,ñBB(i1,i2):next:next:"
                      "redim BB(3,N):for i1=1 to 3:for i2=1 to N:BB(i1,i2)=ñBB(i1,i2):next:next"),
            sim.end());
}

TEST(SimulationSetup, GeneticAlgorithmOptions) {
  SetUpRun s(kPlain, {"s", "AA", "BB", "YY", "x", "3", "YY", "s", "dia", "t",
                      "n", "s",  "n",  "0",  "n", "s", "0",  "n", "s",   "n"});
  ASSERT_EQ(s.ended, std::nullopt);
  EXPECT_TRUE(s.a.Showed("La opción t no tiene sentido con el algoritmo genético"));
  EXPECT_EQ(s.a.run.Cycle.Sim.MaxAlleles, 3);
  EXPECT_EQ(s.a.TimesAsked("¿La variable:BB\n¿Desea que tome un valor aleatorio distinto en cada dia?(S/N/T)"), 0)
      << "the initial chromosome is not asked";
  std::vector<std::string> sim = s.Sim();
  EXPECT_EQ(sim[0], " Dim ngc, pob, rep, nre, inm, mut, gen, ite, npo As Integer");
  EXPECT_EQ(sim[1], " Dim nal As Integer");
  EXPECT_NE(std::find(sim.begin(), sim.end(), " rep= inputbox(\" ¿Porcentaje de reproductores?\"):nre=rep*pob/100"),
            sim.end());
  EXPECT_NE(std::find(sim.begin(), sim.end(), " ixx=ngc+1: Redim YYY(pob,ixx), YYR(ngc,2), XXX(ixx)"), sim.end());
  // In replay the two notices are shown again, the unit notice is not.
  ActivityRun replay(s.dir.workDir(), "M", {"n"});
  replay.run.Cycle.Model = s.a.run.Cycle.Model;
  ASSERT_EQ(replay.Try(SimulationSetup), std::nullopt);
  EXPECT_EQ(replay.box.Messages().size(), 2u + 2 /*reading statements*/);
  EXPECT_EQ(replay.box.Prompts(), std::vector<std::string>{"¿Desea dejarlo para seguir en otro momento?"});
}

TEST(SimulationSetup, EmptyUncertaintyAnswerTerminates) {
  SetUpRun s(kPlain, {"n", "s", "dia", ""});
  EXPECT_EQ(s.ended, EndReason::kTerminated);
  EXPECT_EQ(s.dir.Read("MODELO1.txt").find("Algunas"), std::string::npos);
}

}  // namespace
}  // namespace korva

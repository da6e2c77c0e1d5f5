// Answers of the specification stage that the run must refuse or stop on:
// an uncertain function checked against trusted codes, replayed answers that
// cannot belong to the model (the "desacople" stop), and counts of dimensions
// and of table points typed out of range or not as numbers.
#include <gtest/gtest.h>

#include "variables/create_run.h"

namespace korva {
namespace {

using testing::CreateRun;
using testing::Join;
using testing::Lines;
using testing::StaticSetUp;
using testing::TempDir;

// The questions a run asked, for the message of a failed expectation.
std::string Asked(const CreateRun& run) {
  std::string text = "asked:";
  for (const std::string& prompt : run.a.box.Prompts()) text += "\n  " + prompt;
  return text;
}

const Lines kTrustedNames = {"AA a [ince=n;cval=0;ndim=0;", "YY y [ince=s;esta=n;ndim=0;"};

// A dynamic model with uncertainty whose codes are trusted: the function of
// YY, uncertain by its code, is typed with `lines` and checked, not asked.
CreateRun TrustedUncertainRun(const Lines& lines) {
  Lines answers = {"n", "s", "mes", "a", "s", "n", "n", std::to_string(lines.size())};
  answers = Join(answers, lines);
  answers.push_back("n");  // no equation to correct
  return CreateRun(kTrustedNames, {"YY   AA"}, answers);
}

TEST(SpecificationAnswers, AnUncertainFunctionWithTrustedCodesNeedsItsEstimateAndItsArguments) {
  for (const Lines& lines : {Lines{"h=AA*2", "s=1"}, Lines{"H = AA*2", "s=1"}}) {
    SCOPED_TRACE(lines[0]);
    CreateRun good = TrustedUncertainRun(lines);
    good.Go();
    EXPECT_EQ(good.ended, EndReason::kFinished);
    EXPECT_EQ(good.a.TimesAsked("¿Es correcto? (S/N/T)"), 0) << "trusted: checked, not asked";
    EXPECT_NE(good.dir.Read("MODELO1.txt").find(lines[0] + "\r\ns=1\r\n\"   ¿Corregir alguna ecuacion?\",\"n\"\r\n"
                                                           "\"   ¿Correcto?\",\"s\"\r\n"),
              std::string::npos);
    EXPECT_EQ(good.a.run.Cycle.Spec.UncertainFunctionCount, 1);
  }
  // No estimate "h=", or an argument missing: the run stops and names the function.
  for (const Lines& lines : {Lines{"YY=AA*2", "s=1"}, Lines{"h=2", "s=1"}}) {
    SCOPED_TRACE(lines[0]);
    CreateRun bad = TrustedUncertainRun(lines);
    bad.Go();
    EXPECT_EQ(bad.ended, EndReason::kErrorReported);
    EXPECT_TRUE(bad.ShowedSome("HAY ALGUN ERROR CON RESPECTO A LA FUNCIÓN YY=f(AA)\n"));
    EXPECT_EQ(bad.dir.Read("MODELO1.txt").find("\"   ¿Correcto?\",\"s\"\r\n\"YY"), std::string::npos);
  }
}

// Builds the log of a first run of the model in `dir`, changes `record` in it
// into `changed` and replays it: the reason the replay ended and its run.
struct ChangedReplay {
  ChangedReplay(const Lines& names, const Lines& matrix, const Lines& answers, const std::string& record,
                const std::string& changed) {
    {
      CreateRun first(names, matrix, answers, dir.workDir());
      first.Go();
      EXPECT_EQ(first.ended, EndReason::kFinished) << Asked(first);
    }
    std::string log = dir.Read("MODELO1.txt");
    const size_t at = log.find(record);
    EXPECT_NE(at, std::string::npos) << record;
    if (at != std::string::npos) dir.Write("MODELO1.txt", log.replace(at, record.size(), changed));
    replay.emplace(names, matrix, Lines{"n", "n"}, dir.workDir());
    replay->Go();
  }
  TempDir dir;
  std::optional<CreateRun> replay;
};

TEST(SpecificationAnswers, AReplayedAnswerTheModelCannotHaveStopsTheRunAsADecoupledLog) {
  const Lines names = {"AA a", "YY y"};
  const Lines matrix = {"YY   AA"};
  const std::string decoupled = "¡Posible error de desacople en el fichero MODELO1!";
  // An uncertain function in a model without uncertainty.
  const Lines staticAnswers = Join(StaticSetUp(1), {"n", "n", "n", "n", "1", "YY = AA", "n", "s", "n"});
  const std::string function = "\"YY=f(AA)\",\"¿Lleva incertidumbre?\",\"";
  {
    ChangedReplay unchanged(names, matrix, staticAnswers, function + "n\"", function + "n\"");
    EXPECT_EQ(unchanged.replay->ended, EndReason::kFinished);
    EXPECT_FALSE(unchanged.replay->ShowedSome("desacople"));
  }
  {
    ChangedReplay uncertain(names, matrix, staticAnswers, function + "n\"", function + "s\"");
    EXPECT_EQ(uncertain.replay->ended, EndReason::kErrorReported);
    EXPECT_TRUE(uncertain.replay->a.Showed("Este modelo no considera incertidumbre: ninguna función puede llevarla.\n" +
                                          decoupled));
  }
  // A state answer that is neither "s" nor "n".
  const Lines dynamicAnswers = {"n", "s", "mes", "n", "0", "n", "s", "n",
                                "n", "n", "n", "n", "n", "1", "YY = AA", "n", "s", "n"};
  for (const std::string& answer : {std::string("x"), std::string("")}) {
    SCOPED_TRACE("state answered [" + answer + "]");
    ChangedReplay state(names, matrix, dynamicAnswers, "\"   ¿De estado?\",\"n\"",
                        "\"   ¿De estado?\",\"" + answer + "\"");
    EXPECT_EQ(state.replay->ended, EndReason::kErrorReported);
    EXPECT_TRUE(state.replay->a.Showed(decoupled));
    EXPECT_EQ(state.replay->a.TimesAsked("¿La variable YY y es de estado?(S/N/T)"), 0) << "replayed, not asked";
  }
}

TEST(SpecificationAnswers, TypedDimensionCountsAreAskedAgainUntilInRange) {
  // A calculated element: recorded as a bare number.
  CreateRun calculated({"AA a", "YY y"}, {"YY   AA"},
                       Join(StaticSetUp(1), {"n", "n", "s", "0", "dos", "32001", "1.5", " 2", "10", "5", "n", "1",
                                             "YY(i1,i2)=AA", "n", "s", "n"}));
  calculated.Go();
  ASSERT_EQ(calculated.ended, EndReason::kFinished);
  EXPECT_EQ(calculated.a.box.remaining(), 0u);
  EXPECT_EQ(calculated.a.TimesAsked("¿Cuantas dimensiones tiene?"), 5);
  EXPECT_NE(calculated.dir.Read("MODELO1.txt").find("\"   Dimensiones\",2\r\n\"   \",\"10\"\r\n\"   \",\"5\"\r\n"),
            std::string::npos);
  EXPECT_TRUE(calculated.ShowedSome("Llame a los subíndices de YY i1,i2,..., correlativamente."));

  // An input: recorded as typed, and read back as its number.
  CreateRun input({"AA a", "YY y"}, {"YY   AA"},
                  {"n", "n", "s", "-1", "", "32001", "3", "4", "5", "6", "s", "n",
                   "n", "n", "n", "n", "1", "YY = AA(1,1,1)", "n", "s", "n"});
  input.Go();
  ASSERT_EQ(input.ended, EndReason::kFinished);
  EXPECT_EQ(input.a.box.remaining(), 0u);
  EXPECT_EQ(input.a.TimesAsked("¿Cuantas dimensiones tiene"), 4);
  EXPECT_NE(input.dir.Read("MODELO1.txt").find("\"   Dimensiones\",\"3\"\r\n\"   \",\"4\"\r\n\"   \",\"5\"\r\n"
                                               "\"   \",\"6\"\r\n\"   ¿Correcto?\",\"s\"\r\n"),
            std::string::npos);
}

TEST(SpecificationAnswers, TypedTablePointCountsAreAskedAgainAndZeroEndsTheRun) {
  const Lines names = {"AA a", "YY y"};
  const Lines matrix = {"YY   AA"};
  CreateRun table(names, matrix,
                  Join(StaticSetUp(1), {"n", "n", "n", "s", "-2", "tres", "32768", "2", "AA, YY", "1, 10", "s",
                                        "2, 20", "s", "s", "s", "n"}));
  table.Go();
  ASSERT_EQ(table.ended, EndReason::kFinished) << Asked(table);
  EXPECT_EQ(table.a.box.remaining(), 0u);
  EXPECT_EQ(table.a.TimesAsked("¿Cuantos puntos tiene la tabla"), 4);
  EXPECT_NE(table.dir.Read("MODELO1.txt").find("\"   Puntos de la tabla\",2\r\nAA, YY\r\n1, 10\r\n"), std::string::npos);

  CreateRun stopped(names, matrix, Join(StaticSetUp(1), {"n", "n", "n", "s", "abc", "0"}));
  stopped.Go();
  EXPECT_EQ(stopped.ended, EndReason::kTerminated);
  EXPECT_EQ(stopped.dir.Read("MODELO1.txt").find("Puntos de la tabla"), std::string::npos) << "ended without a record";
}

}  // namespace
}  // namespace korva

// Completing the proposed model: aligned names, the answers the records imply,
// and the records fitted to the create path for each uncertainty answer.
#include "analogy/completion.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "analogy/library_model.h"

namespace korva {
namespace {

using Lines = std::vector<std::string>;

TEST(AnalogyCompletion, ShorterIdentifiersArePaddedToTheLongest) {
  AlignedList aligned = AlignIdentifiers({"POB poblacion", "T tasa", "NACI nacimientos", "X"});
  EXPECT_EQ(aligned.IdLength, 4);
  EXPECT_EQ(aligned.Names, (Lines{"POB  poblacion", "T    tasa", "NACI nacimientos", "X   "}));
}

TEST(AnalogyCompletion, TheRecordsImplyTheDynamicAnswerAndTheUncertaintyTheLibraryUses) {
  const std::string state = "\"   ¿De estado?\",\"s\"";
  const std::string certainInput = "\"   Incertidumbre: \",\"n\"";
  const std::string uncertainInput = "\"   Incertidumbre: \",\"s\"";
  const std::string function = "\"   La funcion\",\"Y=f(X)\",\"¿Lleva incertidumbre?\",\"n\"";
  const std::string uncertainFunction = "\"   La funcion\",\"Y=f(X)\",\"¿Lleva incertidumbre?\",\"s\"";
  ImpliedAnswers a = ImplyAnswers({state, certainInput, uncertainInput, function});
  EXPECT_EQ(a.Dynamic, "s");
  EXPECT_EQ(a.Uncertainty, "a");
  // Every function is asked about its uncertainty: the question alone, or an
  // input asked and answered no, is no uncertainty.
  a = ImplyAnswers({state, certainInput, function});
  EXPECT_EQ(a.Uncertainty, "n");
  a = ImplyAnswers({function});
  EXPECT_EQ(a.Dynamic, "n");
  EXPECT_EQ(a.Uncertainty, "n");
  EXPECT_EQ(ImplyAnswers({state, function, uncertainFunction}).Uncertainty, "a");
  EXPECT_EQ(ImplyAnswers({"\"   ¿Dimensional?\",\"n\""}).Uncertainty, "n");

  EXPECT_EQ(InitialValueNames({"\"   Su valor inicial es\",\"POI\"", "\"   ¿De estado?\",\"n\"",
                               "\"   Su valor inicial es\",\"ANO\""}),
            (std::set<std::string>{"POI", "ANO"}));
}

TEST(AnalogyCompletion, TheHeaderAsksWhatTheCreatePathAsks) {
  Lines header = PreparedLogHeader("FIN", "prever", {"s", "a"});
  ASSERT_EQ(header.size(), 13u);
  EXPECT_EQ(header[0], "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"");
  EXPECT_EQ(header[1], "\"Nombre del simulador\",\"FIN\"");
  EXPECT_EQ(header[5], "\"Fichero G s¡ y fichero C no\",\"s\"") << "the equations are ordered into F";
  EXPECT_EQ(header[9], "\"¿Algoritmo genético?\",\"n\"");
  EXPECT_EQ(header[12], "\"  Algunas, Todas o Ninguna variables de entrada con incertidumbre: \",\"a\"");
  EXPECT_EQ(PreparedLogHeader("FIN", "prever", {"n", "t"}).back(), "\"¿Sistema dinámico?\",\"n\"");
}

// A proposed model: two inputs (ANO, the initial value of the state ANI, and
// RAC) and two calculated elements, one of them without its function record.
class FittingToTheCreatePath : public ::testing::Test {
 protected:
  FittingToTheCreatePath() {
    BuildLibraryTables(model, {"ANO animales al inicio", "RAC racion", "ANI animales", "CON consumo"},
                       {"ANI    ANO", "CON    RAC,ANI"});
  }
  Lines Fit(const std::string& dynamic, const std::string& uncertainty) {
    return FitToCreateDialogue(groups, model.Tables, {dynamic, uncertainty}, {"ANO"});
  }

  LibraryModel model;
  Lines groups = {
      "\"ANO animales al inicio\"",
      "\"   Cambios de valor\",\"0\"",
      "\"   ¿Dimensional?\",\"n\"",
      "\"   ¿Correcto?\",\"s\"",
      "\"RAC racion\"",
      "\"   Incertidumbre: \",\"n\"",
      "\"   Cambios de valor\",\"0\"",
      "\"   ¿Dimensional?\",\"n\"",
      "\"   ¿Correcto?\",\"s\"",
      "\"ANI animales\"",
      "\"   La funcion\",\"ANI=f(ANO)\",\"¿Lleva incertidumbre?\",\"n\"",
      "\"   ¿De estado?\",\"s\"",
      "\"   Su valor inicial es\",\"ANO\"",
      "\"   ¿Correcto?\",\"s\"",
      "\"CON consumo\"",
      "\"   ¿De estado?\",\"n\"",
      "\"   ¿Correcto?\",\"s\"",
  };
  const std::string opening = "\"¿Funciones grabadas?\",\"s\"";
  const std::string function = "\"   La función\",\"Y=f()\",\"¿Lleva incertidumbre?\",\"n\"";
};

TEST_F(FittingToTheCreatePath, SomeInputsUncertainAsksEveryInputAndMakesInitialValuesUncertain) {
  Lines fitted = Fit("s", "a");
  Lines expected = {groups[0],
                    "\"   Incertidumbre: \",\"s\"",
                    "\"   Aleatorios distintos: \",\"n\"",
                    groups[1],
                    groups[2],
                    groups[3],
                    groups[4],
                    groups[5],
                    groups[6],
                    groups[7],
                    groups[8],
                    opening,
                    groups[9],
                    groups[10],
                    groups[11],
                    groups[12],
                    groups[13],
                    groups[14],
                    function,
                    groups[15],
                    groups[16]};
  EXPECT_EQ(fitted, expected);
}

TEST_F(FittingToTheCreatePath, AllInputsUncertainDropsTheInputQuestionAndAsksForNewValuesEachStep) {
  Lines fitted = Fit("s", "t");
  const std::string aleatorios = "\"   Aleatorios distintos: \",\"n\"";
  Lines expected = {groups[0],  aleatorios, groups[1],  groups[2], groups[3],  groups[4],  aleatorios,
                    groups[6],  groups[7],  groups[8],  opening,   groups[9],  groups[10], groups[11],
                    groups[12], groups[13], groups[14], function,  groups[15], groups[16]};
  EXPECT_EQ(fitted, expected);
}

TEST_F(FittingToTheCreatePath, NoUncertaintyLeavesTheInputsAsTheyStand) {
  Lines fitted = Fit("s", "n");
  Lines expected = {groups[0],  groups[1],  groups[2],  groups[3], groups[4],  groups[6],
                    groups[7],  groups[8],  opening,    groups[9], groups[10], groups[11],
                    groups[12], groups[13], groups[14], function,  groups[15], groups[16]};
  EXPECT_EQ(fitted, expected) << "an uncertainty record of an input is not asked under n";
  // A static model asks inputs neither uncertainty nor changes of value.
  Lines still = Fit("n", "t");
  EXPECT_EQ(Lines(still.begin(), still.begin() + 6),
            (Lines{groups[0], groups[2], groups[3], groups[4], groups[7], groups[8]}));
}

// Groups from models of both kinds, and an element without any records.
TEST_F(FittingToTheCreatePath, StaticGroupsAnswerTheQuestionsOfADynamicModelAndAMissingGroupIsMade) {
  const Lines staticGroups = {
      "\"RAC racion\"",
      "\"   ¿Dimensional?\",\"n\"",
      "\"   ¿Correcto?\",\"s\"",
      "\"CON consumo\"",
      "\"   La funcion\",\"CON=f(RAC,ANI)\",\"¿Lleva incertidumbre?\",\"n\"",
      "\"   ¿Dimensional?\",\"n\"",
      "\"   ¿Tabla?\",\"n\"",
      "\"   ¿Correcto?\",\"s\"",
  };
  Lines mixed = {groups[9], groups[10], groups[11], groups[12], groups[13]};  // ANI, dynamic
  mixed.insert(mixed.end(), staticGroups.begin(), staticGroups.end());        // no group for ANO
  const std::string noChanges = "\"   Cambios de valor\",\"0\"";
  const std::string noState = "\"   ¿De estado?\",\"n\"";
  Lines dynamic = FitToCreateDialogue(mixed, model.Tables, {"s", "n"}, {"ANO"});
  Lines expected = {"\"ANO animales al inicio\"",
                    noChanges,
                    "\"   ¿Dimensional?\",\"n\"",
                    "\"   ¿Correcto?\",\"s\"",
                    staticGroups[0],
                    noChanges,
                    staticGroups[1],
                    staticGroups[2],
                    opening,
                    groups[9],
                    groups[10],
                    groups[11],
                    groups[12],
                    groups[13],
                    staticGroups[3],
                    staticGroups[4],
                    noState,
                    staticGroups[5],
                    staticGroups[6],
                    staticGroups[7]};
  EXPECT_EQ(dynamic, expected);

  // In a static model the state and its initial value are not asked.
  Lines still = FitToCreateDialogue(mixed, model.Tables, {"n", "n"}, {"ANO"});
  EXPECT_EQ(std::count(still.begin(), still.end(), groups[11]), 0);
  EXPECT_EQ(std::count(still.begin(), still.end(), groups[12]), 0);
  EXPECT_EQ(std::count(still.begin(), still.end(), noChanges), 0);
  EXPECT_EQ(still.size(), expected.size() - 5);
}

}  // namespace
}  // namespace korva

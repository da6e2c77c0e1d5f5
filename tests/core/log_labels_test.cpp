// The vocabulary of the answers log. The labels the analogy search writes in
// the logs it prepares must be read back as the labels of the questions they
// answer, and every label must fall on its side of the line between a
// specifications file's header and its elements' groups (three blanks).
#include "core/log_labels.h"

#include <gtest/gtest.h>

#include <string>

#include "core/questions.h"
#include "files/record_fields.h"
#include "model/specification_records.h"

namespace korva {
namespace {

std::string RecordOf(std::string_view label) {
  return FormatRecord({RecordField::Text(std::string(label)), RecordField::Text("s")});
}

TEST(LogLabels, ThePreparedLogsWordingsAreTheQuestionsLabels) {
  EXPECT_TRUE(SameLabel(kPreparedLabelModelPurpose, kLabelModelPurpose));
  EXPECT_TRUE(SameLabel(kPreparedLabelMatrixFromEquations, kLabelMatrixFromEquations));
  EXPECT_TRUE(SameLabel(kPreparedLabelMatrixView, kLabelMatrixView));
  EXPECT_TRUE(SameLabel(kPreparedLabelFunction, kLabelFunction));
  // The older wording of the matrix view is one label, not any label.
  EXPECT_FALSE(SameLabel(kPreparedLabelMatrixView, kLabelListView));
}

TEST(LogLabels, ElementLabelsContinueAGroupAndStepLabelsDoNot) {
  for (std::string_view label :
       {kLabelInputUncertain, kLabelNewRandomEachStep, kLabelValueChanges, kLabelFunction, kLabelState,
        kLabelInitialValue, kLabelDimensional, kLabelDimensionCount, kLabelDimensionSize, kLabelTable,
        kLabelTablePoints, kLabelFunctionLineCount, kLabelCorrectEquation, kLabelCorrect,
        kLabelStatementToCorrect, kPreparedLabelFunction}) {
    EXPECT_TRUE(InGroup(RecordOf(label))) << "[" << label << "]";
  }
  for (std::string_view label :
       {kLabelActivity, kLabelModelName, kLabelModelPurpose, kLabelMaxEquationLines, kLabelListSaved,
        kLabelListContinueOrRestart, kLabelMaxElements, kLabelListAllCorrect, kLabelWrongElement,
        kLabelElementCorrection, kLabelListView, kLabelListViewAgain, kLabelMatrixFromEquations, kLabelMatrixSaved,
        kLabelMaxDependencies, kLabelMatrixContinueOrRestart, kLabelMatrixRowCorrect, kLabelMatrixView,
        kLabelMatrixViewAgain, kLabelCalculationOrderListing, kLabelOrderSpecifications, kLabelGeneticAlgorithm,
        kLabelChromosomeVar, kLabelInitialChromosomeVar, kLabelChromosomeParamsVar, kLabelMaxAlleles,
        kLabelObjectiveVar, kLabelDynamic, kLabelTimeUnit, kLabelInputsUncertainty, kLabelFunctionsRecorded,
        kPreparedLabelModelPurpose, kPreparedLabelMatrixFromEquations, kPreparedLabelMatrixView}) {
    EXPECT_FALSE(InGroup(RecordOf(label))) << "[" << label << "]";
  }
}

}  // namespace
}  // namespace korva
